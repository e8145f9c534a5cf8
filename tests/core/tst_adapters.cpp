#include "awaitlogin.h"
#include "datahandler.h"
#include "jsonrows.h"
#include "zirrupmodel.h"

#include "scriptedcontroller.h"

#include <QSignalSpy>
#include <QStandardItem>
#include <QtTest>

// What the pages find published at start, and what a reset of the front end leaves.
class TestAdapters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void publishedModelsAndStartValues();
    void frontendResetClearsButKeepsTheModels();
    void adaptersFollowTheBackend();
};

void TestAdapters::publishedModelsAndStartValues()
{
    ScriptedController c;
    c.start(false);
    QCOMPARE(c.contextProperty("dataHandler").value<QObject *>(), c.handler());

    const QJsonObject data = jsonFile(QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/adapters.json"));
    const QJsonObject tables = data.value("roleTables").toObject();
    const QJsonObject roles = data.value("roles").toObject();
    QSet<QObject *> distinct;
    for (auto it = roles.begin(); it != roles.end(); ++it) {
        auto *model = qobject_cast<ZirrupModel *>(c.contextProperty(it.key()).value<QObject *>());
        QVERIFY2(model, qPrintable(it.key()));
        // Consecutive roles from Qt::UserRole + 1, in this order and nothing else.
        const QJsonArray names = tables.value(it.value().toString()).toArray();
        QCOMPARE(model->roleNames().size(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(model->roleNames().value(Qt::UserRole + 1 + i), names[i].toString().toUtf8());
        QCOMPARE(model->count(), 0);
        distinct.insert(model);
    }
    QCOMPARE(distinct.size(), roles.size());
    QCOMPARE(c.handler()->searchHistoryModel(),
             c.contextProperty("mySearchHistoryModel").value<QObject *>());
    // Saved searches are kept in query order.
    QCOMPARE(c.handler()->trendsView()->savedSearchesModel()->sortRole(), Qt::UserRole + 1);

    const QJsonObject values = data.value("startValues").toObject();
    for (const QString &kind : values.keys()) {
        for (const QJsonValue &name : values.value(kind).toArray()) {
            const QVariant value = c.contextProperty(name.toString());
            const bool ok = kind == "empty"
                ? value.typeId() == QMetaType::QString && value.toString().isEmpty()
                : value.typeId() == QMetaType::Bool && value.toBool() == (kind == "true");
            QVERIFY2(ok, qPrintable(name.toString()));
        }
    }
}

void TestAdapters::frontendResetClearsButKeepsTheModels()
{
    ScriptedController c;
    c.start(true);
    awaitLogin(c);
    c.signIn();
    DataHandler *handler = c.handler();

    const QList<ZirrupModel *> models = {handler->timelineView()->timelineModel(),
                                         handler->timelineView()->uploadModel(),
                                         handler->messagesView()->conversationModel(),
                                         handler->profileView()->followerModel(),
                                         handler->trendsView()->trendsModel(),
                                         handler->listsView()->subscribedListsModel(),
                                         handler->searchHistoryModel()};
    for (ZirrupModel *model : models)
        model->appendRow(new QStandardItem);
    for (const char *name : {"tweetsview_is_refreshing", "profileview_loading", "geo_location",
                             "mylists_loading", "conversation_zirrupName"})
        handler->setContextProperty(QLatin1String(name), true);
    handler->setContextProperty(QStringLiteral("messagesview_loading"), false);
    QSignalSpy initialized(handler, &DataHandler::frontendInitialized);

    // The background cleanup's reset keeps the signed-in state.
    handler->cleanFrontend(false);
    QCOMPARE(initialized.count(), 1);
    QCOMPARE(initialized.first().first().value<DataHandler *>(), handler);
    for (ZirrupModel *model : models)
        QCOMPARE(model->count(), 0);
    QCOMPARE(handler->timelineView()->timelineModel(), models.at(0));
    QCOMPARE(c.contextProperty("myTimelineModel").value<QObject *>(), models.at(0));
    QCOMPARE(handler->searchHistoryModel(), models.last());
    QCOMPARE(c.contextProperty("tweetsview_is_refreshing").toBool(), false);
    QCOMPARE(c.contextProperty("profileview_loading").toBool(), false);
    QCOMPARE(c.contextProperty("geo_location").toString(), QString());
    QCOMPARE(c.contextProperty("mylists_loading").toBool(), false);
    QCOMPARE(c.contextProperty("conversation_zirrupName").toString(), QString());
    QCOMPARE(c.contextProperty("messagesview_loading").toBool(), true);
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), true);

    handler->cleanFrontend(true);
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), false);
}

void TestAdapters::adaptersFollowTheBackend()
{
    ScriptedController c;
    c.start(true);
    DataHandler *handler = c.handler();
    QPointer<ScriptedBackend> anonymous = c.backend();
    awaitLogin(c);
    c.signIn();
    ScriptedBackend *signedIn = c.backend();
    QVERIFY(signedIn != anonymous.data());
    for (Zr::Zirrup *held : {handler->timelineView()->backend(), handler->messagesView()->backend(),
                             handler->profileView()->backend(), handler->trendsView()->backend(),
                             handler->listsView()->backend()})
        QCOMPARE(held, signedIn);

    // The trends adapter answers the new backend only.
    handler->updateTrendingTopics();
    const ScriptedCall trends = signedIn->lastCall("retrieveTrends");
    signedIn->complete(trends,
                       {QVariantMap {{"trends", QVariantList {QVariantMap {{"name", "#a"}}}}}});
    QCOMPARE(handler->trendsView()->trendsModel()->count(), 1);
    QVERIFY(anonymous);
    Q_EMIT anonymous->trendsUpdated(TrendType::Place, {}, trends.queryId);
    QCOMPARE(handler->trendsView()->trendsModel()->count(), 1);

    // Once a backend is gone, nobody holds on to it.
    Q_EMIT c.login()->accountRemoved();
    QTRY_VERIFY(c.backends().at(1).isNull());
    QCOMPARE(handler->timelineView()->backend(), c.backend());
    QCOMPARE(handler->listsView()->backend(), c.backend());
}

QTEST_MAIN(TestAdapters)
#include "tst_adapters.moc"
