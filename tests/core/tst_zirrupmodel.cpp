#include "zirrupmessageitem.h"
#include "zirrupmodel.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const int FirstRole = Qt::UserRole + 1;
const QHash<int, QByteArray> Roles = {
    {FirstRole, "name"}, {FirstRole + 1, "count"}, {FirstRole + 2, "flag"}};

QStandardItem *row(const QString &name, int count, bool flag = false)
{
    auto *item = new QStandardItem;
    item->setData(name, FirstRole);
    item->setData(count, FirstRole + 1);
    item->setData(flag, FirstRole + 2);
    return item;
}

ZirrupMessageItem *message(const QString &id)
{
    auto *item = new ZirrupMessageItem;
    if (!id.isEmpty())
        item->setData(id, ZirrupMessageItem::IdRole);
    return item;
}
} // namespace

class TestZirrupModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsByRoleNameAndCount();
    void createOrClearKeepsTheModel();
    void messageListsSortNumerically();
};

void TestZirrupModel::rowsByRoleNameAndCount()
{
    ZirrupModel model(Roles);
    QSignalSpy countChanged(&model, &ZirrupModel::countChanged);
    model.appendRow(row(QStringLiteral("alice"), 3, true));
    model.appendRow(row(QStringLiteral("bob"), 0));
    QCOMPARE(model.property("count").toInt(), 2);
    // get() is what QML calls: every role by name, invalid outside the rows.
    QVariantMap second;
    QVERIFY(
        QMetaObject::invokeMethod(&model, "get", Q_RETURN_ARG(QVariantMap, second), Q_ARG(int, 1)));
    QCOMPARE(second, (QVariantMap {{"name", "bob"}, {"count", 0}, {"flag", false}}));
    QCOMPARE(model.get(0).value("name").toString(), QStringLiteral("alice"));
    for (int outside : {-1, 2}) {
        const QVariantMap map = model.get(outside);
        QCOMPARE(map.keys(), QStringList({"count", "flag", "name"}));
        QVERIFY(!map.value("name").isValid());
    }

    // Only data changes and an explicit call say the count changed.
    QCOMPARE(countChanged.count(), 0);
    model.item(0)->setData(2, FirstRole + 1);
    QCOMPARE(countChanged.count(), 1);
    model.emitCountChanged();
    QCOMPARE(countChanged.count(), 2);
}

void TestZirrupModel::createOrClearKeepsTheModel()
{
    QObject owner;
    ZirrupModel *model = nullptr;
    ZirrupModel *created = ZirrupModel::createOrClear(model, Roles, &owner);
    QVERIFY(model);
    QCOMPARE(created, model);
    QCOMPARE(model->parent(), &owner);

    model->appendRow(row(QStringLiteral("alice"), 1));
    QSignalSpy countChanged(model, &ZirrupModel::countChanged);
    ZirrupModel::createOrClear(model, Roles, &owner);
    QCOMPARE(model, created);
    QCOMPARE(model->count(), 0);
    QCOMPARE(countChanged.count(), 1);
    QCOMPARE(model->roleNames(), Roles);
}

void TestZirrupModel::messageListsSortNumerically()
{
    ZirrupModel model({{ZirrupMessageItem::IdRole, "msg_id"}});
    // Ids beyond 64 bits, of one length and of different lengths, and a row without one ("").
    for (const char *id :
         {"42", "1243", "18446744073709551616", "1000", "999", "", "1000000000000000123", "1234",
          "18446744073709551617", "999999999999999999"})
        model.appendRow(message(QLatin1String(id)));
    // The sort role is not what orders message rows.
    model.setSortRole(Qt::DisplayRole);
    model.sort(0, Qt::DescendingOrder);
    QStringList sorted;
    for (int i = 0; i < model.count(); ++i)
        sorted.append(model.get(i).value("msg_id").toString());
    QCOMPARE(sorted,
             QStringList({"18446744073709551617", "18446744073709551616", "1000000000000000123",
                          "999999999999999999", "1243", "1234", "1000", "999", "42", ""}));
    model.sort(0, Qt::AscendingOrder);
    QCOMPARE(model.get(0).value("msg_id").toString(), QString());
}

QTEST_GUILESS_MAIN(TestZirrupModel)
#include "tst_zirrupmodel.moc"
