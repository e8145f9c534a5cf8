// Retrieve behaviours 0 and 1: what is kept on disk, what a second backend object reads back,
// and how the kept lists grow, merge, shrink and survive damage.

#include "fakeserver.h"
#include "testsupport.h"

#include <QtTest>

using Zr::Zirrup;

namespace {

QByteArray statusArray(int newest, int oldest)
{
    QByteArray json = "[";
    for (int id = newest; id >= oldest; --id) {
        if (json.size() > 1)
            json += ',';
        json += statusJson(QByteArray::number(id), "status " + QByteArray::number(id));
    }
    return json + "]";
}

QStringList ids(const QVariantList &records)
{
    QStringList result;
    for (const QVariant &record : records)
        result.append(record.toMap().value("id").toString());
    return result;
}

QString cacheFolder(const QString &account)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/zirrup/") + account + QStringLiteral("/records");
}

} // namespace

class TestCache : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void secondBackendReadsWhatTheFirstStored();
    void pagesMergeNewestFirstWithinBounds();
    void localSearchLooksThroughTheCachedHome();
    void configurationIsAnsweredFromWhatIsHeld();
    void followersAreShownAsTheUserRecordsHeld();
    void singleAnswersAreKeptPerQuestion();
    void damagedFilesAreIgnored();
    void accountsDoNotShareCaches();
    void unwritableCacheWarnsOnceAndRequestsGoOn();
    void refreshTimesAreRemembered();

private:
    template<typename Signal>
    void fetch(Zirrup *backend, Signal signal, const std::function<int(int *)> &call);
    FakeServer *server = nullptr;
};

void TestCache::initTestCase()
{
    server = new FakeServer(this);
    Zr::setServiceUrl(server->baseUrl());
}

template<typename Signal>
void TestCache::fetch(Zirrup *backend, Signal signal, const std::function<int(int *)> &call)
{
    QSignalSpy done(backend, signal);
    int id;
    QCOMPARE(call(&id), int(Zr::RequestSent));
    QVERIFY(done.wait(5000));
}

void TestCache::secondBackendReadsWhatTheFirstStored()
{
    server->setHandler(
        [](const HttpRequest &) { return HttpResponse::json(statusArray(103, 101)); });
    auto first = signedInBackend(QStringLiteral("100"));
    QVariantList list;
    fetch(first.get(), &Zirrup::timelineUpdated, [&](int *id) {
        return first->retrieveTimelineResources(&list, id, TimelineType::Home, {{"count", "51"}},
                                                Zr::CacheThenNetwork);
    });
    QVERIFY(list.isEmpty());

    auto second = signedInBackend(QStringLiteral("100"));
    QSignalSpy timeline(second.get(), &Zirrup::timelineUpdated);
    server->clearRequests();
    int id = 5;
    QCOMPARE(second->retrieveTimelineResources(&list, &id, TimelineType::Home, {}, Zr::CacheOnly),
             int(Zr::RequestAnswered));
    QCOMPARE(id, -1);
    QCOMPARE(ids(list), QStringList({"103", "102", "101"}));
    QCOMPARE(list.at(0).toMap().value("user").toMap().value("screen_name").toString(),
             QStringLiteral("alice"));
    QCOMPARE(server->requestCount(), 0);

    list.clear();
    QCOMPARE(
        second->retrieveTimelineResources(&list, &id, TimelineType::Home, {}, Zr::CacheThenNetwork),
        int(Zr::RequestSent));
    QCOMPARE(ids(list), QStringList({"103", "102", "101"}));
    QVERIFY(timeline.wait(5000));
    QCOMPARE(timeline.count(), 1);
    QCOMPARE(server->requestCount(), 1);
    // Other timelines were not touched.
    list.clear();
    second->retrieveTimelineResources(&list, &id, TimelineType::Mentions, {}, Zr::CacheOnly);
    QVERIFY(list.isEmpty());
}

void TestCache::pagesMergeNewestFirstWithinBounds()
{
    auto backend = signedInBackend(QStringLiteral("101"));
    QByteArray answer;
    server->setHandler([&](const HttpRequest &) { return HttpResponse::json(answer); });
    const auto page = [&](const Zr::ArgMap &args, int newest, int oldest) {
        answer = statusArray(newest, oldest);
        fetch(backend.get(), &Zirrup::timelineUpdated, [&](int *id) {
            return backend->retrieveTimelineResources(nullptr, id, TimelineType::Mentions, args,
                                                      Zr::CacheThenNetwork);
        });
    };
    const auto cached = [&] {
        QVariantList list;
        int id;
        backend->retrieveTimelineResources(&list, &id, TimelineType::Mentions, {}, Zr::CacheOnly);
        return ids(list);
    };

    page({{"count", "51"}}, 1300, 1250);
    QCOMPARE(cached().size(), 51);
    page({{"since_id", "1300"}}, 1310, 1301);
    page({{"max_id", "1250"}}, 1250, 1200);
    QStringList expected;
    for (int id = 1310; id >= 1200; --id)
        expected.append(QString::number(id));
    QCOMPARE(cached(), expected);

    page({{"max_id", "1200"}}, 1200, 1000);
    const QStringList bounded = cached();
    QCOMPARE(bounded.size(), 200);
    QCOMPARE(bounded.first(), QStringLiteral("1310"));
    QCOMPARE(bounded.last(), QStringLiteral("1111"));

    // Ids longer than any other order by value, not by text.
    answer = "[" + statusJson("10000000000000000000", "long") + "]";
    fetch(backend.get(), &Zirrup::timelineUpdated, [&](int *id) {
        return backend->retrieveTimelineResources(nullptr, id, TimelineType::Mentions,
                                                  {{"since_id", "1310"}}, Zr::CacheThenNetwork);
    });
    QCOMPARE(cached().first(), QStringLiteral("10000000000000000000"));

    // A new first page starts the list afresh.
    page({}, 5, 4);
    QCOMPARE(cached(), QStringList({"5", "4"}));
}

void TestCache::localSearchLooksThroughTheCachedHome()
{
    server->setHandler([](const HttpRequest &) {
        return HttpResponse::json("[" + statusJson("9", "Qt &amp; QML &lt;3") + ","
                                  + statusJson("8", "nothing here", "qtfan", "Fan") + ","
                                  + statusJson("7", "hello", "bob", "Bob Qtson") + ","
                                  + statusJson("6", "unrelated", "carol", "Carol") + "]");
    });
    auto backend = signedInBackend(QStringLiteral("102"));
    fetch(backend.get(), &Zirrup::timelineUpdated, [&](int *id) {
        return backend->retrieveTimelineResources(nullptr, id, TimelineType::Home, {},
                                                  Zr::CacheThenNetwork);
    });
    server->clearRequests();
    QSignalSpy timeline(backend.get(), &Zirrup::timelineUpdated);
    const auto search = [&](const QString &query, const QString &count) {
        QVariantList list;
        int id = 3;
        const int result = backend->retrieveTimelineResources(
            &list, &id, TimelineType::Home, {{"query", query}, {"count", count}}, Zr::CacheOnly);
        return result == Zr::RequestAnswered && id == -1 ? ids(list) : QStringList({"refused"});
    };
    QCOMPARE(search("QT", "51"), QStringList({"9", "8", "7"}));
    QCOMPARE(search("qt", "2"), QStringList({"9", "8"}));
    QCOMPARE(search("& qml <3", "51"), QStringList({"9"}));
    QCOMPARE(search("zebra", "51"), QStringList());
    QCOMPARE(server->requestCount(), 0);
    QCOMPARE(timeline.count(), 0);
}

void TestCache::configurationIsAnsweredFromWhatIsHeld()
{
    server->clearRequests();
    server->setHandler([](const HttpRequest &) {
        return HttpResponse::json("{\"short_url_length\":29,\"characters_reserved_per_media\":21}");
    });
    auto backend = signedOutBackend();
    QVariantMap config;
    int id = 4;
    QCOMPARE(backend->retrieveHelp(HelpType::Configuration, &config, {}, &id, Zr::CacheOnly),
             int(Zr::RequestAnswered));
    QCOMPARE(id, -1);
    QVERIFY(config.isEmpty());
    QCOMPARE(server->requestCount(), 0);

    QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
    QCOMPARE(backend->retrieveHelp(HelpType::Configuration, nullptr, {{"x", "1"}}, &id,
                                   Zr::CacheThenNetwork),
             int(Zr::RequestSent));
    QVERIFY(help.wait(5000));
    QCOMPARE(help.at(0).at(2).value<Zr::ArgMap>(), Zr::ArgMap({{"x", "1"}}));
    QCOMPARE(help.at(0).at(3).toInt(), id);

    QCOMPARE(backend->retrieveHelp(HelpType::Configuration, &config, {}, &id, Zr::CacheOnly),
             int(Zr::RequestAnswered));
    QCOMPARE(config.value("short_url_length").toInt(), 29);
    auto later = signedOutBackend();
    config.clear();
    later->retrieveHelp(HelpType::Configuration, &config, {}, &id, Zr::CacheOnly);
    QCOMPARE(config.value("characters_reserved_per_media").toInt(), 21);
    QCOMPARE(help.count(), 1);
}

void TestCache::followersAreShownAsTheUserRecordsHeld()
{
    server->setHandler([](const HttpRequest &request) {
        if (request.path.endsWith(QLatin1String("lookup.json")))
            return HttpResponse::json("[" + userJson("1845", "bob", "Bob") + ","
                                      + userJson("1846", "Carol") + "]");
        return HttpResponse::json(
            "{\"ids\":[\"1846\",\"9999\",\"1845\"],\"next_cursor\":0,\"next_cursor_str\":\"0\"}");
    });
    auto backend = signedInBackend(QStringLiteral("103"));
    fetch(backend.get(), &Zirrup::userUpdated, [&](int *id) {
        return backend->retrieveUserResources(nullptr, id, UserType::Lookup,
                                              {{"user_id", "1845,1846"}}, Zr::CacheThenNetwork);
    });
    const Zr::ArgMap first {{"screen_name", "Bob"}, {"cursor", "-1"}};
    fetch(backend.get(), &Zirrup::friedsAndFollowersUpdated, [&](int *id) {
        return backend->retrieveFaFResources(nullptr, FriendsFollowersType::Followers, first, id,
                                             Zr::CacheThenNetwork);
    });

    auto later = signedInBackend(QStringLiteral("103"));
    QVariantList list;
    int id;
    QCOMPARE(later->retrieveFaFResources(&list, FriendsFollowersType::Followers,
                                         {{"screen_name", "bob"}, {"cursor", "-1"}}, &id,
                                         Zr::CacheOnly),
             int(Zr::RequestAnswered));
    QCOMPARE(ids(list), QStringList({"1846", "1845"}));
    QCOMPARE(list.at(0).toMap().value("screen_name").toString(), QStringLiteral("Carol"));
    list.clear();
    later->retrieveFaFResources(&list, FriendsFollowersType::Following, first, &id, Zr::CacheOnly);
    QVERIFY(list.isEmpty());
    later->retrieveFaFResources(&list, FriendsFollowersType::Followers,
                                {{"screen_name", "bob"}, {"cursor", "77"}}, &id, Zr::CacheOnly);
    QVERIFY(list.isEmpty());

    later->retrieveUserResources(&list, &id, UserType::Show, {{"screen_name", "CAROL"}},
                                 Zr::CacheOnly);
    QCOMPARE(ids(list), QStringList({"1846"}));
    list.clear();
    later->retrieveUserResources(&list, &id, UserType::Lookup, {{"user_id", "1845,42,1846"}},
                                 Zr::CacheOnly);
    QCOMPARE(ids(list), QStringList({"1845", "1846"}));
}

void TestCache::singleAnswersAreKeptPerQuestion()
{
    server->setHandler([](const HttpRequest &request) {
        const QString path = request.path;
        if (path.contains(QLatin1String("home_timeline")))
            return HttpResponse::json(
                "[{\"id\":12,\"id_str\":\"12\",\"text\":\"RT\",\"retweeted_status\":"
                + statusJson("11", "original") + "}]");
        if (path.contains(QLatin1String("exists")))
            return HttpResponse::json("{\"friends\":true}");
        if (path.contains(QLatin1String("blocking")))
            return HttpResponse::json("[\"1\",\"2\"]");
        if (path.contains(QLatin1String("blocks/create")))
            return HttpResponse::json(userJson("3", "eve"));
        if (path.contains(QLatin1String("trends")))
            return HttpResponse::json("[{\"trends\":[{\"name\":\"#qt\"}]}]");
        if (path.contains(QLatin1String("reverse_geocode")))
            return HttpResponse::json("{\"result\":{\"places\":[{\"id\":\"4f6e\"}]}}");
        if (path.contains(QLatin1String("destroy")))
            return HttpResponse::json(statusJson("20", "dm"));
        return HttpResponse::json("[" + statusJson("20", "dm") + "]");
    });
    auto backend = signedInBackend(QStringLiteral("104"));
    const Zr::ArgMap pair {{"user_a", "Bob"}, {"user_b", "demo"}};
    const Zr::ArgMap place {{"lat", "60.1"}, {"long", "24.9"}};
    fetch(backend.get(), &Zirrup::timelineUpdated, [&](int *id) {
        return backend->retrieveTimelineResources(nullptr, id, TimelineType::Home, {},
                                                  Zr::CacheThenNetwork);
    });
    fetch(backend.get(), &Zirrup::friendshipFetched,
          [&](int *id) { return backend->friendshipExists(nullptr, pair, id); });
    fetch(backend.get(), &Zirrup::blockedIdsList, [&](int *id) {
        return backend->retrieveBlockedIdsList(nullptr, id, Zr::CacheThenNetwork);
    });
    fetch(backend.get(), &Zirrup::blockCreated, [&](int *id) {
        return backend->createBlock({{"screen_name", "eve"}}, id);
    });
    fetch(backend.get(), &Zirrup::trendsUpdated, [&](int *id) {
        return backend->retrieveTrends(nullptr, id, TrendType::Place, {{"woeid", "1"}},
                                       Zr::CacheThenNetwork);
    });
    fetch(backend.get(), &Zirrup::geoCompleted, [&](int *id) {
        return backend->retrieveGeo(nullptr, GeoType::ReverseGeocode, place, id,
                                    Zr::CacheThenNetwork);
    });
    fetch(backend.get(), &Zirrup::directMessageUpdated, [&](int *id) {
        return backend->retrieveDirectMessages(nullptr, id, DirectMessageType::Sent, {},
                                               Zr::CacheThenNetwork);
    });

    auto later = signedInBackend(QStringLiteral("104"));
    QVariantList list;
    int id;
    server->clearRequests();
    // The original of a cached retweet is found by its own id.
    QCOMPARE(later->retrieveStatus(&list, {{"id", "11"}}, &id), int(Zr::RequestSent));
    QCOMPARE(list.value(0).toMap().value("text").toString(), QStringLiteral("original"));
    list.clear();
    later->friendshipExists(&list, {{"user_a", "bob"}, {"user_b", "DEMO"}}, &id);
    QCOMPARE(list, QVariantList {true});
    list.clear();
    later->retrieveBlockedIdsList(&list, &id, Zr::CacheOnly);
    QCOMPARE(list, QVariantList({"3", "1", "2"}));
    list.clear();
    later->retrieveTrends(&list, &id, TrendType::Place, {{"woeid", "1"}}, Zr::CacheOnly);
    QCOMPARE(list.value(0).toMap().value("trends").toList().size(), 1);
    list.clear();
    later->retrieveTrends(&list, &id, TrendType::Place, {{"woeid", "2"}}, Zr::CacheOnly);
    QVERIFY(list.isEmpty());
    later->retrieveGeo(&list, GeoType::ReverseGeocode, place, &id, Zr::CacheOnly);
    QCOMPARE(list.value(0).toMap().value("result").toMap().value("places").toList().size(), 1);
    list.clear();
    later->retrieveDirectMessages(&list, &id, DirectMessageType::Sent, {}, Zr::CacheOnly);
    QCOMPARE(ids(list), QStringList({"20"}));
    list.clear();
    later->retrieveDirectMessages(&list, &id, DirectMessageType::Received, {}, Zr::CacheOnly);
    QVERIFY(list.isEmpty());

    // Deleting a message removes it from what is kept.
    QSignalSpy deleted(later.get(), &Zirrup::directMessageDeleted);
    later->deleteDirectMessage({{"id", "20"}}, &id);
    QVERIFY(deleted.wait(5000));
    later->retrieveDirectMessages(&list, &id, DirectMessageType::Sent, {}, Zr::CacheOnly);
    QVERIFY(list.isEmpty());
}

void TestCache::damagedFilesAreIgnored()
{
    auto backend = signedInBackend(QStringLiteral("105"));
    const QString folder = cacheFolder(QStringLiteral("105"));
    QVERIFY(QDir().mkpath(folder));
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("timeline_home.json", "{\"format\":1,\"key\":\"timeline_home\",\"value\":[{\"id\":\"1\"");
    write("timeline_mentions.json",
          "{\"format\":1,\"key\":\"timeline_home\",\"value\":[{\"id\":\"1\"}]}");
    write("messages_sent.json",
          "{\"format\":1,\"key\":\"messages_sent\",\"value\":[1,\"x\",{\"id\":\"3\"}]}");
    write("users.json", QByteArray(5000, '\0'));

    auto reader = signedInBackend(QStringLiteral("105"));
    QVariantList list;
    int id;
    QCOMPARE(reader->retrieveTimelineResources(&list, &id, TimelineType::Home, {}, Zr::CacheOnly),
             int(Zr::RequestAnswered));
    QVERIFY(list.isEmpty());
    reader->retrieveTimelineResources(&list, &id, TimelineType::Mentions, {}, Zr::CacheOnly);
    QVERIFY(list.isEmpty());
    reader->retrieveDirectMessages(&list, &id, DirectMessageType::Sent, {}, Zr::CacheOnly);
    QCOMPARE(ids(list), QStringList({"3"}));
    list.clear();
    reader->retrieveUserResources(&list, &id, UserType::Show, {{"screen_name", "bob"}},
                                  Zr::CacheOnly);
    QVERIFY(list.isEmpty());

    server->setHandler([](const HttpRequest &) { return HttpResponse::json(statusArray(2, 1)); });
    fetch(reader.get(), &Zirrup::timelineUpdated, [&](int *id) {
        return reader->retrieveTimelineResources(nullptr, id, TimelineType::Home, {},
                                                 Zr::CacheThenNetwork);
    });
    auto again = signedInBackend(QStringLiteral("105"));
    again->retrieveTimelineResources(&list, &id, TimelineType::Home, {}, Zr::CacheOnly);
    QCOMPARE(ids(list), QStringList({"2", "1"}));
    // Only finished files are left behind.
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        QVERIFY2(name.endsWith(QLatin1String(".json")), qPrintable(name));
}

void TestCache::accountsDoNotShareCaches()
{
    server->setHandler([](const HttpRequest &) { return HttpResponse::json(statusArray(3, 1)); });
    auto owner = signedInBackend(QStringLiteral("106"));
    fetch(owner.get(), &Zirrup::timelineUpdated, [&](int *id) {
        return owner->retrieveTimelineResources(nullptr, id, TimelineType::Home, {},
                                                Zr::CacheThenNetwork);
    });
    QVariantList list;
    int id;
    signedInBackend(QStringLiteral("107"))
        ->retrieveTimelineResources(&list, &id, TimelineType::Home, {}, Zr::CacheOnly);
    QVERIFY(list.isEmpty());
    signedOutBackend()->retrieveTimelineResources(&list, &id, TimelineType::Home, {},
                                                  Zr::CacheOnly);
    QVERIFY(list.isEmpty());
    // A user id that is not a plain number cannot lead out of the cache folder.
    auto odd = signedInBackend(QStringLiteral("../106"));
    odd->retrieveTimelineResources(&list, &id, TimelineType::Home, {}, Zr::CacheOnly);
    QVERIFY(list.isEmpty());
}

void TestCache::unwritableCacheWarnsOnceAndRequestsGoOn()
{
    const QString folder = cacheFolder(QStringLiteral("108"));
    QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    auto backend = std::make_unique<Zirrup>(TestAccount::token, TestAccount::tokenSecret,
                                            QStringLiteral("108"), TestAccount::userName,
                                            TestAccount::consumerKey, TestAccount::consumerSecret);
    QSignalSpy warnings(backend.get(), &Zirrup::errorWarning);
    backend->init();
    QCOMPARE(warnings.count(), 0);
    server->setHandler([](const HttpRequest &) { return HttpResponse::json(statusArray(2, 1)); });
    fetch(backend.get(), &Zirrup::timelineUpdated, [&](int *id) {
        return backend->retrieveTimelineResources(nullptr, id, TimelineType::Home, {},
                                                  Zr::CacheThenNetwork);
    });
    QCOMPARE(warnings.count(), 1);
    QCOMPARE(warnings.at(0).at(0).toInt(), -1);
}

void TestCache::refreshTimesAreRemembered()
{
    auto backend = signedInBackend(QStringLiteral("109"));
    QVERIFY(!backend->refreshTime(2, QStringLiteral("bob")).isValid());
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    backend->updateResfreshTime(2, QStringLiteral("Bob"));
    auto later = signedInBackend(QStringLiteral("109"));
    const QDateTime recorded = later->refreshTime(2, QStringLiteral("bob"));
    QVERIFY(recorded >= before && recorded <= QDateTime::currentDateTimeUtc().addSecs(1));
    QVERIFY(!later->refreshTime(3, QStringLiteral("bob")).isValid());
}

QTEST_MAIN(TestCache)
#include "tst_cache.moc"
