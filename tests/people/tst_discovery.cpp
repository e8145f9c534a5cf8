#include "listsview.h"
#include "trendsview.h"

#include "peoplefixtures.h"

#include <QtTest>

namespace {
QVariantMap listPage(const QString &nextCursor)
{
    QVariantMap page = fixtureFile("lists.json").toMap();
    page.insert("next_cursor", nextCursor);
    return page;
}

QVariantMap savedSearch(const QString &id, const QString &query)
{
    return {{"id", id}, {"query", query}, {"name", query}};
}
} // namespace

class TestDiscovery : public ScriptedSession
{
    Q_OBJECT

private Q_SLOTS:
    void init() { start(); }
    void savedSearchesInQueryOrder()
    {
        ZirrupModel *saved = h->trendsView()->savedSearchesModel();

        h->updateSavedSearches();
        b->complete(b->lastCall("retrieveSavedSearch"),
                    fixtureFile("saved_searches.json").toList());
        QCOMPARE(column(saved, "query_item"), QStringList({"bread", "qml", "qml"}));
        // Of two equal queries, the upper one's id.
        QCOMPARE(h->savedSearchId("qml"), saved->get(1).value("id").toString());
        QCOMPARE(h->savedSearchId("QML"), QString());

        // A new search lands in its place, not at the end.
        h->saveSearch("apple");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("11", "apple")});
        QCOMPARE(column(saved, "query_item"), QStringList({"apple", "bread", "qml", "qml"}));
        QVERIFY(!flag("savedsearches_is_loading"));

        // Saving a query again is answered with the one saved before: still one row.
        h->saveSearch("bread");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("5", "bread")});
        QCOMPARE(saved->count(), 4);

        // Deleting goes by the text's id; unknown text sends nothing.
        const int sent = b->callCount("retrieveSavedSearch");
        h->deleteSearch("pears");
        QCOMPARE(b->callCount("retrieveSavedSearch"), sent);
        h->deleteSearch("bread");
        QCOMPARE(b->lastCall("retrieveSavedSearch").args, Zr::ArgMap({{"id", "5"}}));
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("5", "bread")});
        QCOMPARE(column(saved, "query_item"), QStringList({"apple", "qml", "qml"}));

        // A failure keeps the rows and says so.
        h->saveSearch("x");
        QVERIFY(flag("savedsearches_is_loading"));
        b->fail(b->lastCall("retrieveSavedSearch"), "Internal error");
        QVERIFY(!flag("savedsearches_is_loading"));
        QCOMPARE(shownError(), QVariantList {QStringLiteral("qtn_zirrup_error_save_search")});
        QCOMPARE(saved->count(), 3);

        // The list read before a save and a delete that are answered first keeps both.
        h->updateSavedSearches();
        const ScriptedCall listing = b->lastCall("retrieveSavedSearch");
        h->saveSearch("zebra");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("12", "zebra")});
        h->deleteSearch("apple");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("11", "apple")});
        b->complete(listing, {savedSearch("11", "apple"), savedSearch("7", "qml")});
        QCOMPARE(column(saved, "query_item"), QStringList({"qml", "zebra"}));
    }
    void placeOfAPosition()
    {
        h->getGeoLocation("60.17", "24.94");
        const ScriptedCall lookup = b->lastCall("retrieveGeo");
        QCOMPARE(lookup.args,
                 Zr::ArgMap({{"lat", "60.17"}, {"long", "24.94"}, {"max_results", "1"}}));
        b->complete(lookup, {fixtureFile("places.json")});
        QCOMPARE(values({"geo_location", "geo_id"}), QString("Helsinki, Finland|4f6e2d1a9b3c8e70"));

        // Nowhere near a place: both empty.
        h->getGeoLocation("0.5", "-30.1");
        b->complete(b->lastCall("retrieveGeo"),
                    {QVariantMap {{"result", QVariantMap {{"places", QVariantList()}}}}});
        QCOMPARE(values({"geo_location", "geo_id"}), QString("|"));

        // Empty coordinates only clear.
        h->getGeoLocation("60.17", "24.94");
        const ScriptedCall stale = b->lastCall("retrieveGeo");
        h->getGeoLocation("", "");
        b->complete(stale, {fixtureFile("places.json")});
        QCOMPARE(text("geo_location"), QString());

        // A failed or refused lookup reads "error", so the editor stops waiting.
        h->getGeoLocation("60.17", "24.94");
        b->fail(b->lastCall("retrieveGeo"), "Internal error");
        QCOMPARE(text("geo_location"), QString("error"));
        b->setResult("retrieveGeo", Zr::RequestFailed);
        h->getGeoLocation("60.17", "24.94");
        QCOMPARE(text("geo_location"), QString("error"));
    }
    void addedToListsPaging_data()
    {
        QTest::addColumn<QString>("nextCursor");
        QTest::addColumn<bool>("more");
        QTest::newRow("further page") << "1419102307712354" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("minus one") << "-1" << false;
    }
    void addedToListsPaging()
    {
        QFETCH(QString, nextCursor);
        QFETCH(bool, more);
        ZirrupModel *lists = h->listsView()->addedToListsModel();

        // The lists of the profile already shown are not reloaded without force.
        h->setCurrentUser("bob");
        h->updateAddedToLists("Bob");
        QVERIFY(!b->hasCall("retrieveList"));

        h->updateAddedToLists("Bob", true);
        const ScriptedCall first = b->lastCall("retrieveList");
        QCOMPARE(first.type, int(ListType::Memberships));
        QCOMPARE(first.args, Zr::ArgMap({{"screen_name", "Bob"}, {"cursor", "-1"}}));
        QVERIFY(flag("listsview_loading"));

        // Answers to nobody's request change nothing.
        Q_EMIT b->listCompleted(ListType::Memberships, {listPage("0")}, 4242);
        QCOMPARE(lists->count(), 0);

        b->complete(first, {listPage(nextCursor)});
        QCOMPARE(fields(lists, 0, {"id", "name", "screenName", "desc"}),
                 QString("301|@bob/qt-people|Bob|Folks who   write Qt"));
        // Only "private" exactly is a private list.
        QCOMPARE(column(lists, "isprivate"), QStringList({"false", "true", "false"}));
        QVERIFY(!flag("listsview_loading"));
        QCOMPARE(flag("listsview_more_available"), more);

        const int asked = b->callCount("retrieveList");
        h->moreAddedToLists("Bob");
        QCOMPARE(b->callCount("retrieveList"), asked + (more ? 1 : 0));
        if (!more)
            return;
        QCOMPARE(b->lastCall("retrieveList").args.value("cursor"), nextCursor);
        QVERIFY(flag("listsview_is_loading_more"));
        b->fail(b->lastCall("retrieveList"), "Internal error");
        QVERIFY(!flag("listsview_is_loading_more"));
        QCOMPARE(c->view().callCount("showError"), 0);
        QCOMPARE(lists->count(), 3);
    }
    void ownAndSubscribedLists()
    {
        ZirrupModel *mine = h->listsView()->subscribedListsModel();

        // The first page asks for the own lists too; further pages only for subscriptions.
        h->updateSubscribedLists();
        const ScriptedCall own = b->lastCall("retrieveList", ListType::OwnLists);
        b->complete(own, {listPage("0")});
        b->complete(b->lastCall("retrieveList", ListType::Subscriptions), {listPage("77")});
        QCOMPARE(mine->count(), 6);
        QVERIFY(flag("mylists_more_available"));
        h->moreSubscribedLists();
        QCOMPARE(b->lastCall("retrieveList", ListType::OwnLists).queryId, own.queryId);
        b->complete(b->lastCall("retrieveList", ListType::Subscriptions), {listPage("0")});
        QCOMPARE(mine->count(), 9);
        QVERIFY(!flag("mylists_more_available"));

        // Avatars of list owners arrive later.
        const QString avatar = QStringLiteral("image://avatar/file:///cache/carol-bigger.png");
        h->emitUserImageLoaded("Carol", ProfileView::ImageSizeOriginal, avatar);
        QCOMPARE(column(mine, "avatar").count(avatar), 0);
        h->emitUserImageLoaded("Carol", ProfileView::ImageSizeBigger, avatar);
        QCOMPARE(column(mine, "avatar").count(avatar), 6);

        // A list page learns from the service whether the user follows the list.
        QVariantMap list = listPage("0").value("lists").toList().first().toMap();
        list.insert("following", true);
        h->updateListFollowing("301");
        QCOMPARE(b->lastCall("retrieveList").type, int(ListType::Show));
        b->complete(b->lastCall("retrieveList"), {list});
        QVERIFY(flag("tweetsview_following_list"));

        // Ending a subscription says so, and the menu's lists are asked again.
        h->unsubscribeList("301");
        const ScriptedCall unsubscribe = b->lastCall("retrieveList");
        QCOMPARE(unsubscribe.type, int(ListType::Unsubscribe));
        QCOMPARE(unsubscribe.args, Zr::ArgMap({{"list_id", "301"}}));
        b->complete(unsubscribe, {list});
        QVERIFY(!flag("tweetsview_following_list"));
        const ScriptedCall reload = b->lastCall("retrieveList");
        QCOMPARE(reload.type, int(ListType::Subscriptions));
        QCOMPARE(reload.args.value("cursor"), QString("-1"));
    }
};

QTEST_MAIN(TestDiscovery)
#include "tst_discovery.moc"
