// Every kind of request of the client library against the demo world of zirrup-sandbox.
#include "apiclient.h"
#include "backendprobe.h"
#include "sandboxprocess.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QtTest>

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
    SandboxAccount signIn(const QString &name, const QString &password);
    SandboxProcess m_sandbox {{QStringLiteral("--seed")}};
    std::unique_ptr<BackendProbe> m_demo;
    std::unique_ptr<BackendProbe> m_alice;
};

static QByteArray png(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), Qt::yellow);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

SandboxAccount TestIntegrationRequests::signIn(const QString &name, const QString &password)
{
    ApiClient client(m_sandbox.baseUrl());
    return client.signIn(name, password);
}

void TestIntegrationRequests::initTestCase()
{
    QVERIFY2(m_sandbox.start(), qPrintable(m_sandbox.errorString()));
    Zr::setServiceUrl(m_sandbox.baseUrl());
    const SandboxAccount demo = signIn(QStringLiteral("demo"), QStringLiteral("demo"));
    const SandboxAccount alice = signIn(QStringLiteral("alice"), QStringLiteral("alice"));
    QVERIFY(demo.isValid() && alice.isValid());
    m_demo = std::make_unique<BackendProbe>(demo);
    m_alice = std::make_unique<BackendProbe>(alice);
}

void TestIntegrationRequests::timelinesAndStatuses()
{
    Zirrup *demo = m_demo->backend();
    QSignalSpy written(m_alice->backend(), &Zirrup::statusWritten);
    int id = -1;
    QCOMPARE(m_alice->backend()->writeStatus(
                 {{QStringLiteral("status"),
                   QStringLiteral("integration @demo #qt http://example.org/int")}},
                 &id),
             int(Zr::RequestSent));
    QVERIFY(!m_alice->await(written, id).isEmpty());

    QSignalSpy timelines(demo, &Zirrup::timelineUpdated);
    const Zr::ArgMap args {{QStringLiteral("count"), QStringLiteral("51")},
                           {QStringLiteral("include_entities"), QStringLiteral("true")},
                           {QStringLiteral("include_my_retweet"), QStringLiteral("true")}};
    demo->retrieveTimelineResources(nullptr, &id, TimelineType::Home, args, Zr::CacheThenNetwork);
    QList<QVariant> answer = m_demo->await(timelines, id);
    QCOMPARE(answer.value(0).toInt(), int(TimelineType::Home));
    QVariantList statuses = answer.value(1).toList();
    QCOMPARE(statuses.size(), 51);
    QVariantMap newest = statuses.first().toMap();
    // The library hands on ids as text with every digit.
    QCOMPARE(newest.value(QStringLiteral("id")).toString().size(), 19);
    QCOMPARE(newest.value(QStringLiteral("text")).toString().left(18),
             QStringLiteral("integration @demo "));
    const QString newId = newest.value(QStringLiteral("id")).toString();
    QCOMPARE(newest.value(QStringLiteral("entities"))
                 .toMap()
                 .value(QStringLiteral("hashtags"))
                 .toList()
                 .size(),
             1);

    // The other timelines, by number.
    const struct
    {
        TimelineType::TimelineType type;
        Zr::ArgMap extra;
    } kinds[] = {
        {TimelineType::Mentions, {}},
        {TimelineType::User,
         {{QStringLiteral("screen_name"), QStringLiteral("alice")},
          {QStringLiteral("include_rts"), QStringLiteral("true")}}},
        {TimelineType::Public, {}},
        {TimelineType::RetweetedByMe, {}},
        {TimelineType::RetweetsOfMe, {}},
    };
    for (const auto &kind : kinds) {
        Zr::ArgMap query = args;
        query.insert(kind.extra);
        demo->retrieveTimelineResources(nullptr, &id, kind.type, query, Zr::CacheThenNetwork);
        answer = m_demo->await(timelines, id);
        QCOMPARE(answer.value(0).toInt(), int(kind.type));
        if (kind.type == TimelineType::Mentions || kind.type == TimelineType::User)
            QCOMPARE(
                answer.value(1).toList().first().toMap().value(QStringLiteral("id")).toString(),
                newId);
    }

    // Paging with since_id.
    Zr::ArgMap since = args;
    since.insert(QStringLiteral("since_id"),
                 statuses.at(1).toMap().value(QStringLiteral("id")).toString());
    demo->retrieveTimelineResources(nullptr, &id, TimelineType::Home, since, Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(timelines, id).value(1).toList().size(), 1);

    QSignalSpy shown(demo, &Zirrup::statusUpdated);
    demo->retrieveStatus(nullptr,
                         {{QStringLiteral("id"), newId},
                          {QStringLiteral("include_entities"), QStringLiteral("true")}},
                         &id);
    answer = m_demo->await(shown, id);
    QCOMPARE(answer.value(0)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("user"))
                 .toMap()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("alice"));
}

void TestIntegrationRequests::retweetsFavouritesAndDeletion()
{
    Zirrup *demo = m_demo->backend();
    Zirrup *alice = m_alice->backend();
    QSignalSpy written(alice, &Zirrup::statusWritten);
    int id = -1;
    alice->writeStatus({{QStringLiteral("status"), QStringLiteral("share and like this")}}, &id);
    QVERIFY(!m_alice->await(written, id).isEmpty());
    QSignalSpy timelines(alice, &Zirrup::timelineUpdated);
    alice->retrieveTimelineResources(nullptr, &id, TimelineType::User,
                                     {{QStringLiteral("count"), QStringLiteral("1")}},
                                     Zr::CacheThenNetwork);
    const QString statusId = m_alice->await(timelines, id)
                                 .value(1)
                                 .toList()
                                 .first()
                                 .toMap()
                                 .value(QStringLiteral("id"))
                                 .toString();

    QSignalSpy retweeted(demo, &Zirrup::statusRetweeted);
    demo->retweetStatus({{QStringLiteral("id"), statusId}}, &id);
    QList<QVariant> answer = m_demo->await(retweeted, id);
    const QVariantMap retweet = answer.value(0).toList().first().toMap();
    QCOMPARE(retweet.value(QStringLiteral("retweeted_status"))
                 .toMap()
                 .value(QStringLiteral("id"))
                 .toString(),
             statusId);
    QCOMPARE(answer.value(1).value<Zr::ArgMap>().value(QStringLiteral("id")), statusId);

    QSignalSpy favourited(demo, &Zirrup::favoriteCreated);
    demo->createFavorite({{QStringLiteral("id"), statusId}}, &id);
    QCOMPARE(m_demo->await(favourited, id)
                 .value(0)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("favorited"))
                 .toBool(),
             true);
    QSignalSpy favourites(demo, &Zirrup::favoritesUpdated);
    demo->retrieveFavorites(nullptr, &id, {{QStringLiteral("page"), QStringLiteral("1")}},
                            Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(favourites, id)
                 .value(0)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("id"))
                 .toString(),
             statusId);
    QSignalSpy unfavourited(demo, &Zirrup::favoriteDestroyed);
    demo->destroyFavorite({{QStringLiteral("id"), statusId}}, &id);
    QCOMPARE(m_demo->await(unfavourited, id)
                 .value(0)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("favorited"))
                 .toBool(),
             false);

    // Undo the retweet, then the author deletes the status.
    QSignalSpy deleted(demo, &Zirrup::statusDeleted);
    demo->deleteStatus({{QStringLiteral("id"), retweet.value(QStringLiteral("id")).toString()},
                        {QStringLiteral("supl_id"), statusId}},
                       &id);
    QCOMPARE(
        m_demo->await(deleted, id).value(0).value<Zr::ArgMap>().value(QStringLiteral("supl_id")),
        statusId);
    QSignalSpy aliceDeleted(alice, &Zirrup::statusDeleted);
    alice->deleteStatus({{QStringLiteral("id"), statusId}}, &id);
    QVERIFY(!m_alice->await(aliceDeleted, id).isEmpty());
    QSignalSpy shown(demo, &Zirrup::statusUpdated);
    demo->retrieveStatus(nullptr, {{QStringLiteral("id"), statusId}}, &id);
    QCOMPARE(m_demo->awaitError(id).value(QStringLiteral("http_status")).toInt(), 404);
}

void TestIntegrationRequests::pictures()
{
    Zirrup *alice = m_alice->backend();
    QSignalSpy posted(alice, &Zirrup::postedStatusWithMedia);
    int id = -1;
    const QByteArray picture = png(QSize(640, 480));
    QCOMPARE(
        alice->postStatusWithMedia({{QStringLiteral("status"), QStringLiteral("a picture")},
                                    {QStringLiteral("include_entities"), QStringLiteral("true")}},
                                   &id, {{QStringLiteral("/tmp/photo.png"), picture}}),
        int(Zr::RequestSent));
    const QVariantMap status = m_alice->await(posted, id).value(0).toList().first().toMap();
    const QVariantMap media = status.value(QStringLiteral("entities"))
                                  .toMap()
                                  .value(QStringLiteral("media"))
                                  .toList()
                                  .first()
                                  .toMap();
    const QString mediaUrl = media.value(QStringLiteral("media_url")).toString();
    QVERIFY(mediaUrl.startsWith(m_sandbox.baseUrl().toString()));

    // Read back: the status has it, and the picture comes back as a thumbnail file.
    QSignalSpy shown(m_demo->backend(), &Zirrup::statusUpdated);
    m_demo->backend()->retrieveStatus(
        nullptr,
        {{QStringLiteral("id"), status.value(QStringLiteral("id")).toString()},
         {QStringLiteral("include_entities"), QStringLiteral("true")}},
        &id);
    QCOMPARE(m_demo->await(shown, id)
                 .value(0)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("entities"))
                 .toMap()
                 .value(QStringLiteral("media"))
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("media_url"))
                 .toString(),
             mediaUrl);
    // A picture is a local file at once when it was fetched before, else after the request.
    QSignalSpy loaded(m_demo->backend(), &Zirrup::tinyUrlImageLoaded);
    const auto fetch = [&](const Zr::ArgMap &args) {
        QString file;
        int query = -1;
        if (m_demo->backend()->retrieveTinyUrlImage(args, &file, &query) == Zr::RequestSent)
            file = m_demo->await(loaded, query).value(0).toString();
        return QImage(QUrl(file).isLocalFile() ? QUrl(file).toLocalFile() : file);
    };
    const QImage thumb =
        fetch({{QStringLiteral("direct_url"), QStringLiteral("1")},
               {QStringLiteral("image_id"), media.value(QStringLiteral("id")).toString()},
               {QStringLiteral("image_url"), mediaUrl + QStringLiteral(":thumb")},
               {QStringLiteral("as_thumb"), QStringLiteral("1")}});
    QCOMPARE(thumb.size(), QSize(150, 150));
    // The full picture, as posted.
    QCOMPARE(fetch({{QStringLiteral("direct_url"), QStringLiteral("1")},
                    {QStringLiteral("image_url"), mediaUrl}})
                 .size(),
             QSize(640, 480));
    // A picture host's link, through the preview.
    QVERIFY(!fetch({{QStringLiteral("image_url"), QStringLiteral("http://zirpic.net/Hk3p9")}})
                 .isNull());

    // A new profile picture, and the avatar in the list size.
    QSignalSpy account(alice, &Zirrup::accountUpdated);
    alice->retrieveAccountResources(&id, AccountType::UpdateProfileImage,
                                    {{QStringLiteral("image"), QStringLiteral("me.png")}},
                                    png(QSize(300, 300)));
    const QVariantMap user = m_alice->await(account, id).value(1).toList().first().toMap();
    const QString avatarUrl = user.value(QStringLiteral("profile_image_url")).toString();
    QVERIFY(avatarUrl.contains(QStringLiteral("/media/avatars/")));
    QSignalSpy users(m_demo->backend(), &Zirrup::userUpdated);
    m_demo->backend()->retrieveUserResources(
        nullptr, &id, UserType::ProfileImage,
        {{QStringLiteral("screen_name"), QStringLiteral("alice")},
         {QStringLiteral("size"), QStringLiteral("normal")},
         {QStringLiteral("url"), avatarUrl}},
        Zr::CacheThenNetwork);
    const QList<QVariant> avatar = m_demo->await(users, id);
    QCOMPARE(avatar.value(0).toInt(), int(UserType::ProfileImage));
    QVERIFY(!avatar.value(1).toList().value(0).toString().isEmpty());
}

void TestIntegrationRequests::messages()
{
    Zirrup *demo = m_demo->backend();
    Zirrup *alice = m_alice->backend();
    QSignalSpy written(alice, &Zirrup::directMessageWritten);
    int id = -1;
    alice->writeDirectMessage({{QStringLiteral("screen_name"), QStringLiteral("demo")},
                               {QStringLiteral("text"), QStringLiteral("Integration says hi <3")}},
                              &id);
    const QVariantMap message = m_alice->await(written, id).value(0).toList().first().toMap();
    QCOMPARE(message.value(QStringLiteral("text")).toString(),
             QStringLiteral("Integration says hi &lt;3"));
    const QString messageId = message.value(QStringLiteral("id")).toString();

    QSignalSpy boxes(demo, &Zirrup::directMessageUpdated);
    demo->retrieveDirectMessages(nullptr, &id, DirectMessageType::Received,
                                 {{QStringLiteral("count"), QStringLiteral("5")}},
                                 Zr::CacheThenNetwork);
    QList<QVariant> answer = m_demo->await(boxes, id);
    QCOMPARE(answer.value(0).toInt(), int(DirectMessageType::Received));
    QCOMPARE(answer.value(1).toList().first().toMap().value(QStringLiteral("id")).toString(),
             messageId);
    QSignalSpy aliceBoxes(alice, &Zirrup::directMessageUpdated);
    alice->retrieveDirectMessages(nullptr, &id, DirectMessageType::Sent, {}, Zr::CacheThenNetwork);
    QCOMPARE(m_alice->await(aliceBoxes, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("id"))
                 .toString(),
             messageId);

    QSignalSpy deleted(demo, &Zirrup::directMessageDeleted);
    demo->deleteDirectMessage({{QStringLiteral("id"), messageId}}, &id);
    QVERIFY(!m_demo->await(deleted, id).isEmpty());
    alice->retrieveDirectMessages(nullptr, &id, DirectMessageType::Sent, {}, Zr::CacheThenNetwork);
    const QVariantList sent = m_alice->await(aliceBoxes, id).value(1).toList();
    QVERIFY(sent.isEmpty()
            || sent.first().toMap().value(QStringLiteral("id")).toString() != messageId);
}

void TestIntegrationRequests::people()
{
    Zirrup *demo = m_demo->backend();
    int id = -1;
    QSignalSpy users(demo, &Zirrup::userUpdated);
    demo->retrieveUserResources(nullptr, &id, UserType::Show,
                                {{QStringLiteral("screen_name"), QStringLiteral("jonas")}},
                                Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(users, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("protected"))
                 .toBool(),
             true);
    demo->retrieveUserResources(nullptr, &id, UserType::Lookup,
                                {{QStringLiteral("screen_name"), QStringLiteral("alice,bob")}},
                                Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(users, id).value(1).toList().size(), 2);

    QSignalSpy ids(demo, &Zirrup::friedsAndFollowersUpdated);
    demo->retrieveFaFResources(nullptr, FriendsFollowersType::Following,
                               {{QStringLiteral("cursor"), QStringLiteral("-1")}}, &id,
                               Zr::CacheThenNetwork);
    QVariantMap page = m_demo->await(ids, id).value(1).toList().first().toMap();
    QVERIFY(page.value(QStringLiteral("ids")).toList().size() >= 10);
    QCOMPARE(page.value(QStringLiteral("next_cursor")).toString(), QStringLiteral("0"));
    demo->retrieveFaFResources(nullptr, FriendsFollowersType::Followers,
                               {{QStringLiteral("screen_name"), QStringLiteral("alice")}}, &id,
                               Zr::CacheThenNetwork);
    QVERIFY(!m_demo->await(ids, id).isEmpty());

    QSignalSpy exists(demo, &Zirrup::friendshipFetched);
    demo->friendshipExists(nullptr,
                           {{QStringLiteral("user_a"), QStringLiteral("demo")},
                            {QStringLiteral("user_b"), QStringLiteral("alice")}},
                           &id);
    QCOMPARE(m_demo->await(exists, id).value(0).toList(), QVariantList {true});
    QSignalSpy unfollowed(demo, &Zirrup::friendshipDestroyed);
    demo->destroyFriendship({{QStringLiteral("screen_name"), QStringLiteral("grace")}}, &id);
    QCOMPARE(m_demo->await(unfollowed, id)
                 .value(0)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("following"))
                 .toBool(),
             false);
    QSignalSpy followed(demo, &Zirrup::friendshipCreated);
    demo->createFriendship({{QStringLiteral("screen_name"), QStringLiteral("grace")}}, &id);
    QCOMPARE(m_demo->await(followed, id)
                 .value(0)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("following"))
                 .toBool(),
             true);

    QSignalSpy blocked(demo, &Zirrup::blockCreated);
    demo->createBlock({{QStringLiteral("screen_name"), QStringLiteral("hiro")}}, &id);
    QVERIFY(!m_demo->await(blocked, id).isEmpty());
    QSignalSpy blockedIds(demo, &Zirrup::blockedIdsList);
    demo->retrieveBlockedIdsList(nullptr, &id, Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(blockedIds, id).value(0).toList().size(), 2);
    QSignalSpy unblocked(demo, &Zirrup::blockDestroyed);
    demo->destroyBlock({{QStringLiteral("screen_name"), QStringLiteral("hiro")}}, &id);
    QVERIFY(!m_demo->await(unblocked, id).isEmpty());

    QSignalSpy account(demo, &Zirrup::accountUpdated);
    demo->retrieveAccountResources(&id, AccountType::UpdateProfile,
                                   {{QStringLiteral("location"), QStringLiteral("Espoo")}},
                                   QByteArray());
    QCOMPARE(m_demo->await(account, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("location"))
                 .toString(),
             QStringLiteral("Espoo"));
    demo->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QCOMPARE(m_demo->await(account, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("demo"));

    QSignalSpy searched(demo, &Zirrup::searchCompleted);
    demo->searchResources({{QStringLiteral("q"), QStringLiteral("ali")}}, &id, SearchType::People);
    QCOMPARE(m_demo->await(searched, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("alice"));
}

void TestIntegrationRequests::discovery()
{
    // Signed out, the start page's trends.
    BackendProbe anonymous {SandboxAccount()};
    int id = -1;
    QSignalSpy trends(anonymous.backend(), &Zirrup::trendsUpdated);
    anonymous->retrieveTrends(nullptr, &id, TrendType::Place,
                              {{QStringLiteral("woeid"), QStringLiteral("1")}},
                              Zr::CacheThenNetwork);
    QVERIFY(!anonymous.await(trends, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("trends"))
                 .toList()
                 .isEmpty());
    QSignalSpy help(anonymous.backend(), &Zirrup::helpRetrieved);
    anonymous->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
    QCOMPARE(anonymous.await(help, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("characters_reserved_per_media"))
                 .toInt(),
             21);
    QSignalSpy searched(anonymous.backend(), &Zirrup::searchCompleted);
    anonymous->searchResources({{QStringLiteral("q"), QStringLiteral("#qt")},
                                {QStringLiteral("rpp"), QStringLiteral("10")},
                                {QStringLiteral("include_entities"), QStringLiteral("true")}},
                               &id, SearchType::Tweets);
    const QVariantMap answer = anonymous.await(searched, id).value(1).toList().first().toMap();
    QVERIFY(!answer.value(QStringLiteral("results")).toList().isEmpty());
    QVERIFY(!answer.value(QStringLiteral("results"))
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("from_user"))
                 .toString()
                 .isEmpty());

    Zirrup *demo = m_demo->backend();
    QSignalSpy saved(demo, &Zirrup::savedSearchCompleted);
    demo->retrieveSavedSearch(SSType::Create,
                              {{QStringLiteral("query"), QStringLiteral("integration")}}, &id);
    const QString savedId = m_demo->await(saved, id)
                                .value(1)
                                .toList()
                                .first()
                                .toMap()
                                .value(QStringLiteral("id"))
                                .toString();
    demo->retrieveSavedSearch(SSType::List, {}, &id);
    QCOMPARE(m_demo->await(saved, id).value(1).toList().size(), 5);
    demo->retrieveSavedSearch(SSType::Show, {{QStringLiteral("id"), savedId}}, &id);
    QCOMPARE(m_demo->await(saved, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("query"))
                 .toString(),
             QStringLiteral("integration"));
    demo->retrieveSavedSearch(SSType::Destroy, {{QStringLiteral("id"), savedId}}, &id);
    QCOMPARE(m_demo->await(saved, id).value(0).toInt(), int(SSType::Destroy));

    QSignalSpy geo(demo, &Zirrup::geoCompleted);
    demo->retrieveGeo(nullptr, GeoType::ReverseGeocode,
                      {{QStringLiteral("lat"), QStringLiteral("60.17")},
                       {QStringLiteral("long"), QStringLiteral("24.94")},
                       {QStringLiteral("max_results"), QStringLiteral("3")}},
                      &id, Zr::CacheThenNetwork);
    const QVariantMap place = m_demo->await(geo, id)
                                  .value(1)
                                  .toList()
                                  .first()
                                  .toMap()
                                  .value(QStringLiteral("result"))
                                  .toMap()
                                  .value(QStringLiteral("places"))
                                  .toList()
                                  .first()
                                  .toMap();
    QVERIFY(!place.value(QStringLiteral("full_name")).toString().isEmpty());
    demo->retrieveGeo(nullptr, GeoType::Id,
                      {{QStringLiteral("place_id"), place.value(QStringLiteral("id")).toString()}},
                      &id, Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(geo, id).value(1).toList().first().toMap().value(QStringLiteral("id")),
             place.value(QStringLiteral("id")));
    demo->retrieveGeo(nullptr, GeoType::Search,
                      {{QStringLiteral("query"), QStringLiteral("Tokyo")}}, &id,
                      Zr::CacheThenNetwork);
    QCOMPARE(m_demo->await(geo, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("result"))
                 .toMap()
                 .value(QStringLiteral("places"))
                 .toList()
                 .size(),
             1);

    QSignalSpy wrapped(demo, &Zirrup::urlToSnipConverted);
    demo->UrlToSnip(QStringLiteral("http://example.org/integration/page"), &id);
    const QList<QVariant> link = m_demo->await(wrapped, id);
    QCOMPARE(link.value(0).toString(), QStringLiteral("http://example.org/integration/page"));
    QVERIFY(link.value(1).toString().startsWith(m_sandbox.baseUrl().toString()
                                                + QStringLiteral("/l/")));
}

void TestIntegrationRequests::lists()
{
    Zirrup *demo = m_demo->backend();
    QSignalSpy lists(demo, &Zirrup::listCompleted);
    int id = -1;
    demo->retrieveList(ListType::OwnLists, {{QStringLiteral("cursor"), QStringLiteral("-1")}}, &id);
    const QVariantList own = m_demo->await(lists, id)
                                 .value(1)
                                 .toList()
                                 .first()
                                 .toMap()
                                 .value(QStringLiteral("lists"))
                                 .toList();
    QCOMPARE(own.size(), 3);
    const QString listId = own.first().toMap().value(QStringLiteral("id")).toString();
    demo->retrieveList(ListType::Memberships,
                       {{QStringLiteral("screen_name"), QStringLiteral("demo")},
                        {QStringLiteral("cursor"), QStringLiteral("-1")}},
                       &id);
    QCOMPARE(m_demo->await(lists, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("next_cursor"))
                 .toString(),
             QStringLiteral("0"));
    demo->retrieveList(ListType::Subscriptions, {}, &id);
    const QVariantList subscribed = m_demo->await(lists, id)
                                        .value(1)
                                        .toList()
                                        .first()
                                        .toMap()
                                        .value(QStringLiteral("lists"))
                                        .toList();
    QCOMPARE(subscribed.size(), 2);
    demo->retrieveList(ListType::Show, {{QStringLiteral("list_id"), listId}}, &id);
    QCOMPARE(m_demo->await(lists, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("full_name"))
                 .toString(),
             QStringLiteral("@demo/qt-people"));
    demo->retrieveList(ListType::Statuses,
                       {{QStringLiteral("list_id"), listId},
                        {QStringLiteral("per_page"), QStringLiteral("51")},
                        {QStringLiteral("include_rts"), QStringLiteral("true")}},
                       &id);
    QVERIFY(m_demo->await(lists, id).value(1).toList().size() > 10);
    demo->retrieveList(ListType::Members, {{QStringLiteral("list_id"), listId}}, &id);
    QCOMPARE(m_demo->await(lists, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("users"))
                 .toList()
                 .size(),
             5);

    const QString other = subscribed.first().toMap().value(QStringLiteral("id")).toString();
    demo->retrieveList(ListType::Unsubscribe, {{QStringLiteral("list_id"), other}}, &id);
    QCOMPARE(m_demo->await(lists, id)
                 .value(1)
                 .toList()
                 .first()
                 .toMap()
                 .value(QStringLiteral("following"))
                 .toBool(),
             false);
    demo->retrieveList(ListType::Subscribe, {{QStringLiteral("list_id"), other}}, &id);
    const QList<QVariant> answer = m_demo->await(lists, id);
    QCOMPARE(answer.value(0).toInt(), int(ListType::Subscribe));
    QCOMPARE(answer.value(1).toList().first().toMap().value(QStringLiteral("following")).toBool(),
             true);
}

QTEST_MAIN(TestIntegrationRequests)
#include "tst_integration_requests.moc"
