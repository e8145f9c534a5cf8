#include "zirrupmodel.h"

ZirrupModel::ZirrupModel(QObject *parent)
    : QStandardItemModel(parent)
    , m_roleNames(QStandardItemModel::roleNames())
{ }

ZirrupModel::ZirrupModel(const QHash<int, QByteArray> &roleNames, QObject *parent)
    : QStandardItemModel(parent)
    , m_roleNames(roleNames)
{
    connect(this, &QAbstractItemModel::dataChanged, this, &ZirrupModel::emitCountChanged);
}

ZirrupModel *ZirrupModel::createOrClear(ZirrupModel *&model,
                                        const QHash<int, QByteArray> &roleNames, QObject *parent)
{
    if (!model) {
        model = new ZirrupModel(roleNames, parent);
    } else {
        model->clear();
        model->emitCountChanged();
    }
    return model;
}

int ZirrupModel::count() const
{
    return rowCount(QModelIndex());
}

QHash<int, QByteArray> ZirrupModel::roleNames() const
{
    return m_roleNames;
}

void ZirrupModel::emitCountChanged()
{
    Q_EMIT countChanged();
}

QVariantMap ZirrupModel::get(int row) const
{
    QVariantMap result;
    const QModelIndex rowIndex = index(row, 0);
    for (auto it = m_roleNames.cbegin(); it != m_roleNames.cend(); ++it)
        result.insert(QString::fromUtf8(it.value()), data(rowIndex, it.key()));
    return result;
}
