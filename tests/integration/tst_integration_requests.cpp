// Every kind of request of the client library against the demo world of zirrup-sandbox.
#include "apiclient.h"
#include "backendprobe.h"
#include "sandboxprocess.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

using Zr::Zirrup;

class TestIntegrationRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void timelinesAndStatuses();
    void retweetsFavouritesAndDeletion();
    void pictures();
    void messages();
    void people();
    void discovery();
    void lists();

private:
    SandboxProcess m_sandbox {{u"--seed"_s}};
    std::unique_ptr<BackendProbe> m_demo;
    std::unique_ptr<BackendProbe> m_alice;
};

static QByteArray png(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void TestIntegrationRequests::initTestCase()
{
    QVERIFY2(m_sandbox.start(), qPrintable(m_sandbox.errorString()));
    Zr::setServiceUrl(m_sandbox.baseUrl());
    ApiClient client(m_sandbox.baseUrl());
    m_demo = std::make_unique<BackendProbe>(client.signIn(u"demo"_s, u"demo"_s));
    m_alice = std::make_unique<BackendProbe>(client.signIn(u"alice"_s, u"alice"_s));
}

void TestIntegrationRequests::timelinesAndStatuses()
{
    Zirrup *demo = m_demo->backend();
    QSignalSpy written(m_alice->backend(), &Zirrup::statusWritten);
    int id = -1;
    QCOMPARE(m_alice->backend()->writeStatus(
                 {{u"status"_s, u"integration @demo #qt http://example.org/int"_s}}, &id),
             int(Zr::RequestSent));
    QVERIFY(!m_alice->await(written, id).isEmpty());

    QSignalSpy timelines(demo, &Zirrup::timelineUpdated);
    const Zr::ArgMap args {{u"count"_s, u"51"_s},
                           {u"include_entities"_s, u"true"_s},
                           {u"include_my_retweet"_s, u"true"_s}};
    demo->retrieveTimelineResources(nullptr, &id, TimelineType::Home, args, Zr::CacheThenNetwork);
    const QList<QVariant> answer = m_demo->await(timelines, id);
    QCOMPARE(answer.value(0).toInt(), int(TimelineType::Home));
    QCOMPARE(dig(answer, u"1"_s).toList().size(), 51);
    // The library hands on ids as text with every digit.
    const QString newId = dig(answer, u"1/0/id"_s).toString();
    QCOMPARE(newId.size(), 19);
    QCOMPARE(dig(answer, u"1/0/text"_s).toString().left(18), u"integration @demo "_s);
    QCOMPARE(dig(answer, u"1/0/entities/hashtags"_s).toList().size(), 1);

    // The other timelines, by number; paging with since_id.
    const struct
    {
        TimelineType::TimelineType type;
        Zr::ArgMap extra;
        int newest; // of which newId is first; -1: no such check
    } kinds[] = {
        {TimelineType::Mentions, {}, 0},
        {TimelineType::User, {{u"screen_name"_s, u"alice"_s}, {u"include_rts"_s, u"true"_s}}, 0},
        {TimelineType::Public, {}, -1},
        {TimelineType::RetweetedByMe, {}, -1},
        {TimelineType::RetweetsOfMe, {}, -1},
        {TimelineType::Home, {{u"since_id"_s, dig(answer, u"1/1/id"_s).toString()}}, 1},
    };
    for (const auto &kind : kinds) {
        Zr::ArgMap query = args;
        query.insert(kind.extra);
        demo->retrieveTimelineResources(nullptr, &id, kind.type, query, Zr::CacheThenNetwork);
        const QList<QVariant> page = m_demo->await(timelines, id);
        QCOMPARE(page.value(0).toInt(), int(kind.type));
        if (kind.newest >= 0)
            QCOMPARE(dig(page, u"1/0/id"_s).toString(), newId);
        if (kind.newest > 0)
            QCOMPARE(dig(page, u"1"_s).toList().size(), kind.newest);
    }

    QSignalSpy shown(demo, &Zirrup::statusUpdated);
    demo->retrieveStatus(nullptr, {{u"id"_s, newId}, {u"include_entities"_s, u"true"_s}}, &id);
    QCOMPARE(m_demo->await(shown, id, u"0/0/user/screen_name"_s).toString(), u"alice"_s);
}

void TestIntegrationRequests::retweetsFavouritesAndDeletion()
{
    Zirrup *demo = m_demo->backend();
    Zirrup *alice = m_alice->backend();
    QSignalSpy written(alice, &Zirrup::statusWritten);
    int id = -1;
    alice->writeStatus({{u"status"_s, u"share and like this"_s}}, &id);
    QVERIFY(!m_alice->await(written, id).isEmpty());
    QSignalSpy timelines(alice, &Zirrup::timelineUpdated);
    alice->retrieveTimelineResources(nullptr, &id, TimelineType::User, {{u"count"_s, u"1"_s}},
                                     Zr::CacheThenNetwork);
    const QString statusId = m_alice->await(timelines, id, u"1/0/id"_s).toString();

    QSignalSpy retweeted(demo, &Zirrup::statusRetweeted);
    demo->retweetStatus({{u"id"_s, statusId}}, &id);
    const QList<QVariant> retweet = m_demo->await(retweeted, id);
    QCOMPARE(dig(retweet, u"0/0/retweeted_status/id"_s).toString(), statusId);
    QCOMPARE(dig(retweet, u"1/id"_s).toString(), statusId);

    QSignalSpy favourited(demo, &Zirrup::favoriteCreated);
    demo->createFavorite({{u"id"_s, statusId}}, &id);
    QCOMPARE(m_demo->await(favourited, id, u"0/0/favorited"_s).toBool(), true);
    QSignalSpy favourites(demo, &Zirrup::favoritesUpdated);
    demo->retrieveFavorites(nullptr, &id, {{u"page"_s, u"1"_s}}, Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(favourites, id, u"0/0/id"_s).toString(), statusId);
    QSignalSpy unfavourited(demo, &Zirrup::favoriteDestroyed);
    demo->destroyFavorite({{u"id"_s, statusId}}, &id);
    QCOMPARE(m_demo->await(unfavourited, id, u"0/0/favorited"_s).toBool(), false);

    // Undo the retweet, then the author deletes the status.
    QSignalSpy deleted(demo, &Zirrup::statusDeleted);
    demo->deleteStatus({{u"id"_s, dig(retweet, u"0/0/id"_s).toString()}, {u"supl_id"_s, statusId}},
                       &id);
    QCOMPARE(m_demo->await(deleted, id, u"0/supl_id"_s).toString(), statusId);
    QSignalSpy aliceDeleted(alice, &Zirrup::statusDeleted);
    alice->deleteStatus({{u"id"_s, statusId}}, &id);
    QVERIFY(!m_alice->await(aliceDeleted, id).isEmpty());
    demo->retrieveStatus(nullptr, {{u"id"_s, statusId}}, &id);
    QCOMPARE(m_demo->awaitError(id).value(u"http_status"_s).toInt(), 404);
}

void TestIntegrationRequests::pictures()
{
    Zirrup *alice = m_alice->backend();
    Zirrup *demo = m_demo->backend();
    QSignalSpy posted(alice, &Zirrup::postedStatusWithMedia);
    int id = -1;
    QCOMPARE(alice->postStatusWithMedia(
                 {{u"status"_s, u"a picture"_s}, {u"include_entities"_s, u"true"_s}}, &id,
                 {{u"/tmp/photo.png"_s, png(QSize(640, 480))}}),
             int(Zr::RequestSent));
    const QList<QVariant> status = m_alice->await(posted, id);
    const QString mediaUrl = dig(status, u"0/0/entities/media/0/media_url"_s).toString();
    QVERIFY(mediaUrl.startsWith(m_sandbox.baseUrl().toString()));

    // Read back: the status has it, and the picture comes back as a file.
    QSignalSpy shown(demo, &Zirrup::statusUpdated);
    demo->retrieveStatus(
        nullptr, {{u"id"_s, dig(status, u"0/0/id"_s).toString()}, {u"include_entities"_s, u"1"_s}},
        &id);
    QCOMPARE(m_demo->await(shown, id, u"0/0/entities/media/0/media_url"_s).toString(), mediaUrl);
    // A picture is a local file at once when it was fetched before, else after the request.
    QSignalSpy loaded(demo, &Zirrup::tinyUrlImageLoaded);
    const auto fetch = [&](const Zr::ArgMap &args) {
        QString file;
        int query = -1;
        if (demo->retrieveTinyUrlImage(args, &file, &query) == Zr::RequestSent)
            file = m_demo->await(loaded, query, u"0"_s).toString();
        return QImage(QUrl(file).isLocalFile() ? QUrl(file).toLocalFile() : file).size();
    };
    QCOMPARE(fetch({{u"direct_url"_s, u"1"_s},
                    {u"image_id"_s, dig(status, u"0/0/entities/media/0/id"_s).toString()},
                    {u"image_url"_s, mediaUrl + u":thumb"_s},
                    {u"as_thumb"_s, u"1"_s}}),
             QSize(150, 150));
    QCOMPARE(fetch({{u"direct_url"_s, u"1"_s}, {u"image_url"_s, mediaUrl}}), QSize(640, 480));
    // A picture host's link, through the preview.
    QVERIFY(fetch({{u"image_url"_s, u"http://zirpic.net/Hk3p9"_s}}).isValid());

    // A new profile picture, and the avatar in the list size.
    QSignalSpy account(alice, &Zirrup::accountUpdated);
    alice->retrieveAccountResources(&id, AccountType::UpdateProfileImage,
                                    {{u"image"_s, u"me.png"_s}}, png(QSize(300, 300)));
    const QString avatarUrl = m_alice->await(account, id, u"1/0/profile_image_url"_s).toString();
    QVERIFY(avatarUrl.contains(u"/media/avatars/"_s));
    QSignalSpy users(demo, &Zirrup::userUpdated);
    demo->retrieveUserResources(
        nullptr, &id, UserType::ProfileImage,
        {{u"screen_name"_s, u"alice"_s}, {u"size"_s, u"normal"_s}, {u"url"_s, avatarUrl}},
        Zr::CacheThenNetwork);
    const QList<QVariant> avatar = m_demo->await(users, id);
    QCOMPARE(avatar.value(0).toInt(), int(UserType::ProfileImage));
    QVERIFY(!dig(avatar, u"1/0"_s).toString().isEmpty());
}

void TestIntegrationRequests::messages()
{
    Zirrup *demo = m_demo->backend();
    Zirrup *alice = m_alice->backend();
    QSignalSpy written(alice, &Zirrup::directMessageWritten);
    int id = -1;
    alice->writeDirectMessage(
        {{u"screen_name"_s, u"demo"_s}, {u"text"_s, u"Integration says hi <3"_s}}, &id);
    const QList<QVariant> message = m_alice->await(written, id);
    QCOMPARE(dig(message, u"0/0/text"_s).toString(), u"Integration says hi &lt;3"_s);
    const QString messageId = dig(message, u"0/0/id"_s).toString();

    QSignalSpy boxes(demo, &Zirrup::directMessageUpdated);
    demo->retrieveDirectMessages(nullptr, &id, DirectMessageType::Received, {{u"count"_s, u"5"_s}},
                                 Zr::CacheThenNetwork);
    const QList<QVariant> received = m_demo->await(boxes, id);
    QCOMPARE(received.value(0).toInt(), int(DirectMessageType::Received));
    QCOMPARE(dig(received, u"1/0/id"_s).toString(), messageId);
    QSignalSpy aliceBoxes(alice, &Zirrup::directMessageUpdated);
    alice->retrieveDirectMessages(nullptr, &id, DirectMessageType::Sent, {}, Zr::CacheThenNetwork);
    QCOMPARE(m_alice->await(aliceBoxes, id, u"1/0/id"_s).toString(), messageId);

    QSignalSpy deleted(demo, &Zirrup::directMessageDeleted);
    demo->deleteDirectMessage({{u"id"_s, messageId}}, &id);
    QVERIFY(!m_demo->await(deleted, id).isEmpty());
    alice->retrieveDirectMessages(nullptr, &id, DirectMessageType::Sent, {}, Zr::CacheThenNetwork);
    QVERIFY(m_alice->await(aliceBoxes, id, u"1/0/id"_s).toString() != messageId);
}

void TestIntegrationRequests::people()
{
    Zirrup *demo = m_demo->backend();
    int id = -1;
    QSignalSpy users(demo, &Zirrup::userUpdated);
    demo->retrieveUserResources(nullptr, &id, UserType::Show, {{u"screen_name"_s, u"jonas"_s}},
                                Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(users, id, u"1/0/protected"_s).toBool(), true);
    demo->retrieveUserResources(nullptr, &id, UserType::Lookup,
                                {{u"screen_name"_s, u"alice,bob"_s}}, Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(users, id, u"1"_s).toList().size(), 2);

    QSignalSpy ids(demo, &Zirrup::friedsAndFollowersUpdated);
    demo->retrieveFaFResources(nullptr, FriendsFollowersType::Following, {{u"cursor"_s, u"-1"_s}},
                               &id, Zr::CacheThenNetwork);
    const QList<QVariant> page = m_demo->await(ids, id);
    QVERIFY(dig(page, u"1/0/ids"_s).toList().size() >= 10);
    QCOMPARE(dig(page, u"1/0/next_cursor"_s).toString(), u"0"_s);
    demo->retrieveFaFResources(nullptr, FriendsFollowersType::Followers,
                               {{u"screen_name"_s, u"alice"_s}}, &id, Zr::CacheThenNetwork);
    QVERIFY(!m_demo->await(ids, id).isEmpty());

    QSignalSpy exists(demo, &Zirrup::friendshipFetched);
    demo->friendshipExists(nullptr, {{u"user_a"_s, u"demo"_s}, {u"user_b"_s, u"alice"_s}}, &id);
    QCOMPARE(m_demo->await(exists, id, u"0"_s).toList(), QVariantList {true});
    QSignalSpy unfollowed(demo, &Zirrup::friendshipDestroyed);
    demo->destroyFriendship({{u"screen_name"_s, u"grace"_s}}, &id);
    QCOMPARE(m_demo->await(unfollowed, id, u"0/0/following"_s).toBool(), false);
    QSignalSpy followed(demo, &Zirrup::friendshipCreated);
    demo->createFriendship({{u"screen_name"_s, u"grace"_s}}, &id);
    QCOMPARE(m_demo->await(followed, id, u"0/0/following"_s).toBool(), true);

    QSignalSpy blocked(demo, &Zirrup::blockCreated);
    demo->createBlock({{u"screen_name"_s, u"hiro"_s}}, &id);
    QVERIFY(!m_demo->await(blocked, id).isEmpty());
    QSignalSpy blockedIds(demo, &Zirrup::blockedIdsList);
    demo->retrieveBlockedIdsList(nullptr, &id, Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(blockedIds, id, u"0"_s).toList().size(), 2);
    QSignalSpy unblocked(demo, &Zirrup::blockDestroyed);
    demo->destroyBlock({{u"screen_name"_s, u"hiro"_s}}, &id);
    QVERIFY(!m_demo->await(unblocked, id).isEmpty());

    QSignalSpy account(demo, &Zirrup::accountUpdated);
    demo->retrieveAccountResources(&id, AccountType::UpdateProfile, {{u"location"_s, u"Espoo"_s}},
                                   QByteArray());
    QCOMPARE(m_demo->await(account, id, u"1/0/location"_s).toString(), u"Espoo"_s);
    demo->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QCOMPARE(m_demo->await(account, id, u"1/0/screen_name"_s).toString(), u"demo"_s);

    QSignalSpy searched(demo, &Zirrup::searchCompleted);
    demo->searchResources({{u"q"_s, u"ali"_s}}, &id, SearchType::People);
    QCOMPARE(m_demo->await(searched, id, u"1/0/screen_name"_s).toString(), u"alice"_s);
}

void TestIntegrationRequests::discovery()
{
    // Signed out, the start page's trends.
    BackendProbe anonymous {SandboxAccount()};
    int id = -1;
    QSignalSpy trends(anonymous.backend(), &Zirrup::trendsUpdated);
    anonymous->retrieveTrends(nullptr, &id, TrendType::Place, {{u"woeid"_s, u"1"_s}},
                              Zr::CacheThenNetwork);
    QVERIFY(!anonymous.await(trends, id, u"1/0/trends"_s).toList().isEmpty());
    QSignalSpy help(anonymous.backend(), &Zirrup::helpRetrieved);
    anonymous->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
    QCOMPARE(anonymous.await(help, id, u"1/0/characters_reserved_per_media"_s).toInt(), 21);
    QSignalSpy searched(anonymous.backend(), &Zirrup::searchCompleted);
    anonymous->searchResources(
        {{u"q"_s, u"#qt"_s}, {u"rpp"_s, u"10"_s}, {u"include_entities"_s, u"true"_s}}, &id,
        SearchType::Tweets);
    QVERIFY(!anonymous.await(searched, id, u"1/0/results/0/from_user"_s).toString().isEmpty());

    Zirrup *demo = m_demo->backend();
    QSignalSpy saved(demo, &Zirrup::savedSearchCompleted);
    demo->retrieveSavedSearch(SSType::Create, {{u"query"_s, u"integration"_s}}, &id);
    const QString savedId = m_demo->await(saved, id, u"1/0/id"_s).toString();
    demo->retrieveSavedSearch(SSType::List, {}, &id);
    QCOMPARE(m_demo->await(saved, id, u"1"_s).toList().size(), 5);
    demo->retrieveSavedSearch(SSType::Show, {{u"id"_s, savedId}}, &id);
    QCOMPARE(m_demo->await(saved, id, u"1/0/query"_s).toString(), u"integration"_s);
    demo->retrieveSavedSearch(SSType::Destroy, {{u"id"_s, savedId}}, &id);
    QCOMPARE(m_demo->await(saved, id, u"0"_s).toInt(), int(SSType::Destroy));

    QSignalSpy geo(demo, &Zirrup::geoCompleted);
    demo->retrieveGeo(nullptr, GeoType::ReverseGeocode,
                      {{u"lat"_s, u"60.17"_s}, {u"long"_s, u"24.94"_s}, {u"max_results"_s, u"3"_s}},
                      &id, Zr::CacheThenNetwork);
    const QVariantMap place = m_demo->await(geo, id, u"1/0/result/places/0"_s).toMap();
    QVERIFY(!place.value(u"full_name"_s).toString().isEmpty());
    demo->retrieveGeo(nullptr, GeoType::Id, {{u"place_id"_s, place.value(u"id"_s).toString()}}, &id,
                      Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(geo, id, u"1/0/id"_s), place.value(u"id"_s));
    demo->retrieveGeo(nullptr, GeoType::Search, {{u"query"_s, u"Tokyo"_s}}, &id,
                      Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(geo, id, u"1/0/result/places"_s).toList().size(), 1);

    QSignalSpy wrapped(demo, &Zirrup::urlToSnipConverted);
    demo->UrlToSnip(u"http://example.org/integration/page"_s, &id);
    const QList<QVariant> link = m_demo->await(wrapped, id);
    QCOMPARE(link.value(0).toString(), u"http://example.org/integration/page"_s);
    QVERIFY(link.value(1).toString().startsWith(m_sandbox.baseUrl().toString() + u"/l/"_s));
}

void TestIntegrationRequests::lists()
{
    Zirrup *demo = m_demo->backend();
    QSignalSpy lists(demo, &Zirrup::listCompleted);
    int id = -1;
    demo->retrieveList(ListType::OwnLists, {{u"cursor"_s, u"-1"_s}}, &id);
    const QVariantList own = m_demo->await(lists, id, u"1/0/lists"_s).toList();
    QCOMPARE(own.size(), 3);
    const QString listId = dig(own, u"0/id"_s).toString();
    demo->retrieveList(ListType::Memberships,
                       {{u"screen_name"_s, u"demo"_s}, {u"cursor"_s, u"-1"_s}}, &id);
    QCOMPARE(m_demo->await(lists, id, u"1/0/next_cursor"_s).toString(), u"0"_s);
    demo->retrieveList(ListType::Subscriptions, {}, &id);
    const QVariantList subscribed = m_demo->await(lists, id, u"1/0/lists"_s).toList();
    QCOMPARE(subscribed.size(), 2);
    demo->retrieveList(ListType::Show, {{u"list_id"_s, listId}}, &id);
    QCOMPARE(m_demo->await(lists, id, u"1/0/full_name"_s).toString(), u"@demo/qt-people"_s);
    demo->retrieveList(
        ListType::Statuses,
        {{u"list_id"_s, listId}, {u"per_page"_s, u"51"_s}, {u"include_rts"_s, u"true"_s}}, &id);
    QVERIFY(m_demo->await(lists, id, u"1"_s).toList().size() > 10);
    demo->retrieveList(ListType::Members, {{u"list_id"_s, listId}}, &id);
    QCOMPARE(m_demo->await(lists, id, u"1/0/users"_s).toList().size(), 5);

    const QString other = dig(subscribed, u"0/id"_s).toString();
    demo->retrieveList(ListType::Unsubscribe, {{u"list_id"_s, other}}, &id);
    QCOMPARE(m_demo->await(lists, id, u"1/0/following"_s).toBool(), false);
    demo->retrieveList(ListType::Subscribe, {{u"list_id"_s, other}}, &id);
    const QList<QVariant> answer = m_demo->await(lists, id);
    QCOMPARE(answer.value(0).toInt(), int(ListType::Subscribe));
    QCOMPARE(dig(answer, u"1/0/following"_s).toBool(), true);
}

QTEST_MAIN(TestIntegrationRequests)
#include "tst_integration_requests.moc"
