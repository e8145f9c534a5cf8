#include "jsonrows.h"
#include "zirrupmessageitem.h"
#include "zirrupmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

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
    if (!id.isNull())
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
    void messageIdsOrderNumerically_data()
    {
        addJsonRows(ZIRRUP_TEST_DATA_DIR "/data/model.json", "messageIds");
    }
    void messageIdsOrderNumerically();
    void messageListsSortNewestFirst();
    void passesTheModelTester();
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

void TestZirrupModel::messageIdsOrderNumerically()
{
    QFETCH(QVariantMap, row);
    std::unique_ptr<ZirrupMessageItem> a(message(row["first"].toString()));
    std::unique_ptr<ZirrupMessageItem> b(message(row["second"].toString()));
    QCOMPARE(*a < *b, row["firstIsLess"].toBool());
    QCOMPARE(*b < *a, row["secondIsLess"].toBool());
}

void TestZirrupModel::messageListsSortNewestFirst()
{
    ZirrupModel model({{ZirrupMessageItem::IdRole, "msg_id"}});
    for (const char *id : {"42", "1000", "999", "1000000000000000123", "7"})
        model.appendRow(message(QLatin1String(id)));
    // The sort role is not what orders message rows.
    model.setSortRole(Qt::DisplayRole);
    model.sort(0, Qt::DescendingOrder);
    QStringList sorted;
    for (int i = 0; i < model.count(); ++i)
        sorted.append(model.get(i).value("msg_id").toString());
    QCOMPARE(sorted, QStringList({"1000000000000000123", "1000", "999", "42", "7"}));
    model.sort(0, Qt::AscendingOrder);
    QCOMPARE(model.get(0).value("msg_id").toString(), QStringLiteral("7"));
}

void TestZirrupModel::passesTheModelTester()
{
    ZirrupModel model(Roles);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    for (int i = 0; i < 5; ++i)
        model.appendRow(row(QStringLiteral("user%1").arg(i), i, i % 2));
    model.insertRow(0, row(QStringLiteral("first"), 10, true));
    QCOMPARE(inserted.last().value(1).toInt(), 0);
    QCOMPARE(model.get(0).value("name").toString(), QStringLiteral("first"));
    model.setItem(model.rowCount(), 0, row(QStringLiteral("last"), 11));
    QCOMPARE(inserted.last().value(1).toInt(), 6);
    model.item(2)->setData(QStringLiteral("changed"), FirstRole);
    model.setSortRole(FirstRole + 1);
    model.sort(0, Qt::DescendingOrder);
    QCOMPARE(model.get(0).value("count").toInt(), 11);
    model.removeRows(1, 2);
    QCOMPARE(model.count(), 5);
    model.clear();
    QCOMPARE(model.count(), 0);
    model.appendRow(row(QStringLiteral("again"), 1, true));
    QCOMPARE(model.get(0).value("name").toString(), QStringLiteral("again"));
}

QTEST_GUILESS_MAIN(TestZirrupModel)
#include "tst_zirrupmodel.moc"
