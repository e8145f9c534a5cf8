#ifndef ZIRRUPMODEL_H
#define ZIRRUPMODEL_H

#include <QHash>
#include <QStandardItemModel>
#include <QVariantMap>

// The one list model of the program: a flat standard item model (one column, every field of a
// row under its own role) with named roles, a row count QML can bind to, and whole-row access.
class ZirrupModel : public QStandardItemModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit ZirrupModel(QObject *parent = nullptr);
    explicit ZirrupModel(const QHash<int, QByteArray> &roleNames, QObject *parent = nullptr);

    // Creates `model` with the role names under `parent` the first time, clears its rows after.
    static ZirrupModel *createOrClear(ZirrupModel *&model, const QHash<int, QByteArray> &roleNames,
                                      QObject *parent);

    int count() const;
    QHash<int, QByteArray> roleNames() const override;

Q_SIGNALS:
    void countChanged();

public Q_SLOTS:
    // Only dataChanged is connected automatically; owners call this after adding, inserting,
    // removing or clearing rows.
    void emitCountChanged();

public:
    // Every role of the row under its name; a row outside the model gives invalid values.
    Q_INVOKABLE QVariantMap get(int row) const;

private:
    QHash<int, QByteArray> m_roleNames;
};

#endif // ZIRRUPMODEL_H
