// What every call puts on the wire, how it is signed, and which completion it ends in.

#include "fakeserver.h"
#include "oauth.h"
#include "testsupport.h"

#include <QtTest>

#include <functional>

using Zr::ArgMap;
using Zr::Zirrup;

namespace {

const QByteArray bigId = "9223372036854775809"; // above 2^63
const QByteArray status = statusJson(bigId, "hello");
const QByteArray user = userJson("1845", "bob");

struct Row
{
    const char *name;
    std::function<int(Zirrup *, int *)> call;
    QByteArray method;
    QString path;
    ArgMap params;
    QByteArray answer;
    const char *signal;
    // Checks the completion's arguments (the query id, always last, is checked apart).
    std::function<void(const QList<QVariant> &)> check;
};

QString firstId(const QVariant &list)
{
    return list.toList().value(0).toMap().value(QStringLiteral("id")).toString();
}

void expectStatuses(const QList<QVariant> &args, int dataIndex)
{
    QCOMPARE(firstId(args.at(dataIndex)), QString::fromLatin1(bigId));
}

QList<Row> rows()
{
    using namespace std::placeholders;
    QList<Row> table;
    const ArgMap timelineArgs {{"count", "51"}, {"since_id", "100"}, {"include_entities", "true"}};
    const struct
    {
        TimelineType::TimelineType type;
        const char *path;
        const char *name;
    } timelines[] = {{TimelineType::Home, "home_timeline", "timeline home"},
                     {TimelineType::Public, "public_timeline", "timeline public"},
                     {TimelineType::User, "user_timeline", "timeline user"},
                     {TimelineType::Mentions, "mentions", "timeline mentions"},
                     {TimelineType::RetweetedByMe, "retweeted_by_me", "timeline retweeted by me"},
                     {TimelineType::RetweetsOfMe, "retweets_of_me", "timeline retweets of me"}};
    for (const auto &t : timelines) {
        const auto type = t.type;
        table.append({t.name,
                      [=](Zirrup *z, int *id) {
                          return z->retrieveTimelineResources(nullptr, id, type, timelineArgs,
                                                              Zr::CacheThenNetwork);
                      },
                      "GET", QStringLiteral("/1/statuses/%1.json").arg(t.path), timelineArgs,
                      "[" + status + "]",
                      SIGNAL(timelineUpdated(TimelineType::TimelineType, QVariantList, int)),
                      [=](const QList<QVariant> &a) {
                          QCOMPARE(a.at(0).toInt(), int(type));
                          expectStatuses(a, 1);
                      }});
    }
    const ArgMap show {{"id", "77"}, {"include_entities", "true"}};
    table.append({"show status",
                  [=](Zirrup *z, int *id) { return z->retrieveStatus(nullptr, show, id); }, "GET",
                  "/1/statuses/show.json", show, status, SIGNAL(statusUpdated(QVariantList, int)),
                  std::bind(expectStatuses, _1, 0)});
    const ArgMap post {{"status", "Grüße & 1+1=2 #qt"}, {"in_reply_to_status_id", "77"}};
    table.append({"write status", [=](Zirrup *z, int *id) { return z->writeStatus(post, id); },
                  "POST", "/1/statuses/update.json", post, status, SIGNAL(statusWritten(int)),
                  [](const QList<QVariant> &a) { QCOMPARE(a.size(), 1); }});
    const ArgMap retweet {{"id", "77"}, {"include_entities", "true"}};
    table.append({"retweet", [=](Zirrup *z, int *id) { return z->retweetStatus(retweet, id); },
                  "POST", "/1/statuses/retweet/77.json", ArgMap {{"include_entities", "true"}},
                  status, SIGNAL(statusRetweeted(QVariantList, QMap<QString, QString>, int)),
                  [=](const QList<QVariant> &a) {
                      expectStatuses(a, 0);
                      QCOMPARE(a.at(1).value<ArgMap>(), retweet);
                  }});
    const ArgMap undo {{"id", "78"}, {"supl_id", "77"}};
    table.append({"delete status", [=](Zirrup *z, int *id) { return z->deleteStatus(undo, id); },
                  "POST", "/1/statuses/destroy/78.json", ArgMap(), status,
                  SIGNAL(statusDeleted(QMap<QString, QString>, int)),
                  [=](const QList<QVariant> &a) { QCOMPARE(a.at(0).value<ArgMap>(), undo); }});
    table.append({"favourite", [=](Zirrup *z, int *id) { return z->createFavorite(retweet, id); },
                  "POST", "/1/favorites/create/77.json", ArgMap {{"include_entities", "true"}},
                  status, SIGNAL(favoriteCreated(QVariantList, int)),
                  std::bind(expectStatuses, _1, 0)});
    table.append({"unfavourite",
                  [=](Zirrup *z, int *id) { return z->destroyFavorite(retweet, id); }, "POST",
                  "/1/favorites/destroy/77.json", ArgMap {{"include_entities", "true"}}, status,
                  SIGNAL(favoriteDestroyed(QVariantList, int)), std::bind(expectStatuses, _1, 0)});
    const ArgMap favourites {{"screen_name", "bob"}, {"page", "2"}};
    table.append({"favourites",
                  [=](Zirrup *z, int *id) {
                      return z->retrieveFavorites(nullptr, id, favourites, Zr::CacheThenNetwork);
                  },
                  "GET", "/1/favorites.json", favourites, "[" + status + "]",
                  SIGNAL(favoritesUpdated(QVariantList, int)), std::bind(expectStatuses, _1, 0)});
    const ArgMap messages {{"count", "50"}, {"include_entities", "true"}};
    for (const auto type : {DirectMessageType::Received, DirectMessageType::Sent}) {
        table.append(
            {type == DirectMessageType::Received ? "messages received" : "messages sent",
             [=](Zirrup *z, int *id) {
                 return z->retrieveDirectMessages(nullptr, id, type, messages,
                                                  Zr::CacheThenNetwork);
             },
             "GET",
             type == DirectMessageType::Received ? "/1/direct_messages.json"
                                                 : "/1/direct_messages/sent.json",
             messages, "[" + status + "]",
             SIGNAL(directMessageUpdated(DirectMessageType::DirectMessageType, QVariantList, int)),
             [=](const QList<QVariant> &a) {
                 QCOMPARE(a.at(0).toInt(), int(type));
                 expectStatuses(a, 1);
             }});
    }
    const ArgMap message {{"text", "Lunch? <3"}, {"screen_name", "bob"}};
    table.append(
        {"send message", [=](Zirrup *z, int *id) { return z->writeDirectMessage(message, id); },
         "POST", "/1/direct_messages/new.json", message, status,
         SIGNAL(directMessageWritten(QVariantList, int)), std::bind(expectStatuses, _1, 0)});
    const ArgMap dropMessage {{"id", "1000000000000700001"}};
    table.append(
        {"delete message",
         [=](Zirrup *z, int *id) { return z->deleteDirectMessage(dropMessage, id); }, "POST",
         "/1/direct_messages/destroy/1000000000000700001.json", ArgMap(), status,
         SIGNAL(directMessageDeleted(QMap<QString, QString>, int)),
         [=](const QList<QVariant> &a) { QCOMPARE(a.at(0).value<ArgMap>(), dropMessage); }});
    const ArgMap byName {{"screen_name", "bob"}};
    table.append({"user show",
                  [=](Zirrup *z, int *id) {
                      return z->retrieveUserResources(nullptr, id, UserType::Show, byName,
                                                      Zr::CacheThenNetwork);
                  },
                  "GET", "/1/users/show.json", byName, user,
                  SIGNAL(userUpdated(UserType::UserType, QVariantList, int)),
                  [](const QList<QVariant> &a) {
                      QCOMPARE(a.at(0).toInt(), int(UserType::Show));
                      QCOMPARE(firstId(a.at(1)), QStringLiteral("1845"));
                  }});
    const ArgMap lookup {{"user_id", "1845,1846"}};
    table.append({"user lookup",
                  [=](Zirrup *z, int *id) {
                      return z->retrieveUserResources(nullptr, id, UserType::Lookup, lookup,
                                                      Zr::CacheThenNetwork);
                  },
                  "GET", "/1/users/lookup.json", lookup,
                  "[" + user + "," + userJson("1846", "carol") + "]",
                  SIGNAL(userUpdated(UserType::UserType, QVariantList, int)),
                  [](const QList<QVariant> &a) {
                      QCOMPARE(a.at(0).toInt(), int(UserType::Lookup));
                      QCOMPARE(a.at(1).toList().size(), 2);
                  }});
    const ArgMap cursor {{"screen_name", "bob"}, {"cursor", "-1"}};
    for (const auto type : {FriendsFollowersType::Following, FriendsFollowersType::Followers}) {
        table.append(
            {type == FriendsFollowersType::Following ? "following ids" : "follower ids",
             [=](Zirrup *z, int *id) {
                 return z->retrieveFaFResources(nullptr, type, cursor, id, Zr::CacheThenNetwork);
             },
             "GET",
             type == FriendsFollowersType::Following ? "/1/friends/ids.json"
                                                     : "/1/followers/ids.json",
             cursor,
             "{\"ids\":[\"9223372036854775809\",\"12\"],\"next_cursor\":1234567890123456789,"
             "\"next_cursor_str\":\"1234567890123456789\"}",
             SIGNAL(friedsAndFollowersUpdated(QMap<QString, QString>, QVariantList, int)),
             [=](const QList<QVariant> &a) {
                 QCOMPARE(a.at(0).value<ArgMap>(), cursor);
                 const QVariantMap answer = a.at(1).toList().value(0).toMap();
                 QCOMPARE(answer.value("ids").toStringList(),
                          QStringList({"9223372036854775809", "12"}));
                 QCOMPARE(answer.value("next_cursor").toString(),
                          QStringLiteral("1234567890123456789"));
             }});
    }
    const ArgMap pair {{"user_a", "bob"}, {"user_b", "demo"}};
    table.append(
        {"friendship exists",
         [=](Zirrup *z, int *id) { return z->friendshipExists(nullptr, pair, id); }, "GET",
         "/1/friendships/exists.json", pair, "{\"friends\":true}",
         SIGNAL(friendshipFetched(QVariantList, int)),
         [](const QList<QVariant> &a) { QCOMPARE(a.at(0).toList(), QVariantList {true}); }});
    const struct
    {
        const char *name;
        std::function<int(Zirrup *, const ArgMap &, int *)> call;
        const char *path;
        const char *signal;
    } userPosts[] = {{"follow", &Zirrup::createFriendship, "/1/friendships/create.json",
                      SIGNAL(friendshipCreated(QVariantList, int))},
                     {"unfollow", &Zirrup::destroyFriendship, "/1/friendships/destroy.json",
                      SIGNAL(friendshipDestroyed(QVariantList, int))},
                     {"block", &Zirrup::createBlock, "/1/blocks/create.json",
                      SIGNAL(blockCreated(QVariantList, int))},
                     {"unblock", &Zirrup::destroyBlock, "/1/blocks/destroy.json",
                      SIGNAL(blockDestroyed(QVariantList, int))}};
    for (const auto &p : userPosts) {
        const auto call = p.call;
        table.append(
            {p.name, [=](Zirrup *z, int *id) { return call(z, byName, id); }, "POST", p.path,
             byName, user, p.signal,
             [](const QList<QVariant> &a) { QCOMPARE(firstId(a.at(0)), QStringLiteral("1845")); }});
    }
    table.append({"blocked ids",
                  [=](Zirrup *z, int *id) {
                      return z->retrieveBlockedIdsList(nullptr, id, Zr::CacheThenNetwork);
                  },
                  "GET", "/1/blocks/blocking/ids.json", ArgMap(),
                  "[\"1845\",\"9223372036854775809\"]", SIGNAL(blockedIdsList(QVariantList, int)),
                  [](const QList<QVariant> &a) {
                      QCOMPARE(a.at(0).toList(), QVariantList({"1845", "9223372036854775809"}));
                  }});
    const ArgMap profile {
        {"name", "Demo"}, {"url", ""}, {"location", "Oulu"}, {"description", "x"}};
    table.append({"update profile",
                  [=](Zirrup *z, int *id) {
                      return z->retrieveAccountResources(id, AccountType::UpdateProfile, profile,
                                                         {});
                  },
                  "POST", "/1/account/update_profile.json", profile, user,
                  SIGNAL(accountUpdated(AccountType::AccountType, QVariantList, int)),
                  [](const QList<QVariant> &a) {
                      QCOMPARE(a.at(0).toInt(), int(AccountType::UpdateProfile));
                      QCOMPARE(firstId(a.at(1)), QStringLiteral("1845"));
                  }});
    table.append({"verify credentials",
                  [=](Zirrup *z, int *id) {
                      return z->retrieveAccountResources(id, AccountType::VerifyCredentials, {},
                                                         {});
                  },
                  "GET", "/1/account/verify_credentials.json", ArgMap(), user,
                  SIGNAL(accountUpdated(AccountType::AccountType, QVariantList, int)),
                  [](const QList<QVariant> &a) {
                      QCOMPARE(a.at(0).toInt(), int(AccountType::VerifyCredentials));
                  }});
    table.append({"trends",
                  [=](Zirrup *z, int *id) {
                      return z->retrieveTrends(nullptr, id, TrendType::Place, {{"woeid", "1"}},
                                               Zr::CacheThenNetwork);
                  },
                  "GET", "/1/trends/place.json", ArgMap {{"id", "1"}},
                  "[{\"trends\":[{\"name\":\"#qt\",\"query\":\"%23qt\"}]}]",
                  SIGNAL(trendsUpdated(TrendType::TrendType, QVariantList, int)),
                  [](const QList<QVariant> &a) {
                      QCOMPARE(a.at(0).toInt(), int(TrendType::Place));
                      QCOMPARE(a.at(1).toList().value(0).toMap().value("trends").toList().size(),
                               1);
                  }});
    const QByteArray saved = "{\"id\":5,\"id_str\":\"5\",\"query\":\"#qt\"}";
    const struct
    {
        SSType::SSType type;
        const char *name;
        QByteArray method;
        const char *path;
        ArgMap args, params;
    } savedSearches[] = {{SSType::List, "saved searches", "GET", "/1/saved_searches.json", {}, {}},
                         {SSType::Show,
                          "saved search show",
                          "GET",
                          "/1/saved_searches/show/5.json",
                          {{"id", "5"}},
                          {}},
                         {SSType::Create,
                          "saved search create",
                          "POST",
                          "/1/saved_searches/create.json",
                          {{"query", "#qt"}},
                          {{"query", "#qt"}}},
                         {SSType::Destroy,
                          "saved search destroy",
                          "POST",
                          "/1/saved_searches/destroy/5.json",
                          {{"id", "5"}},
                          {}}};
    for (const auto &s : savedSearches) {
        const auto type = s.type;
        const ArgMap args = s.args;
        table.append({s.name,
                      [=](Zirrup *z, int *id) { return z->retrieveSavedSearch(type, args, id); },
                      s.method, s.path, s.params, type == SSType::List ? "[" + saved + "]" : saved,
                      SIGNAL(savedSearchCompleted(SSType::SSType, QVariantList, int)),
                      [=](const QList<QVariant> &a) {
                          QCOMPARE(a.at(0).toInt(), int(type));
                          QCOMPARE(firstId(a.at(1)), QStringLiteral("5"));
                      }});
    }
    const QByteArray places = "{\"result\":{\"places\":[{\"id\":\"4f6e2d1a9b3c8e70\",\"full_name\":"
                              "\"Helsinki, Finland\"}]}}";
    const struct
    {
        GeoType::GeoType type;
        const char *name;
        const char *path;
        ArgMap args, params;
    } geo[] = {{GeoType::ReverseGeocode,
                "reverse geocode",
                "/1/geo/reverse_geocode.json",
                {{"lat", "60.17"}, {"long", "24.94"}, {"max_results", "1"}},
                {{"lat", "60.17"}, {"long", "24.94"}, {"max_results", "1"}}},
               {GeoType::Id,
                "place",
                "/1/geo/id/4f6e2d1a9b3c8e70.json",
                {{"place_id", "4f6e2d1a9b3c8e70"}},
                {}},
               {GeoType::Search,
                "place search",
                "/1/geo/search.json",
                {{"query", "Hel"}},
                {{"query", "Hel"}}}};
    for (const auto &g : geo) {
        const auto type = g.type;
        const ArgMap args = g.args;
        table.append({g.name,
                      [=](Zirrup *z, int *id) {
                          return z->retrieveGeo(nullptr, type, args, id, Zr::CacheThenNetwork);
                      },
                      "GET", g.path, g.params, places,
                      SIGNAL(geoCompleted(GeoType::GeoType, QVariantList, int)),
                      [=](const QList<QVariant> &a) {
                          QCOMPARE(a.at(0).toInt(), int(type));
                          QCOMPARE(a.at(1)
                                       .toList()
                                       .value(0)
                                       .toMap()
                                       .value("result")
                                       .toMap()
                                       .value("places")
                                       .toList()
                                       .size(),
                                   1);
                      }});
    }
    const QByteArray list = "{\"id\":301,\"id_str\":\"301\",\"name\":\"Qt people\"}";
    const QByteArray cursored =
        "{\"lists\":[" + list + "],\"next_cursor\":0,\"next_cursor_str\":\"0\"}";
    const QByteArray members =
        "{\"users\":[" + user + "],\"next_cursor\":0,\"next_cursor_str\":\"0\"}";
    const struct
    {
        ListType::ListType type;
        const char *name;
        QByteArray method;
        const char *path;
        QByteArray answer;
        bool wrapped; // completion carries [answer] rather than the array itself
    } lists[] = {{ListType::OwnLists, "own lists", "GET", "/1/lists.json", cursored, true},
                 {ListType::Memberships, "list memberships", "GET", "/1/lists/memberships.json",
                  cursored, true},
                 {ListType::Subscriptions, "list subscriptions", "GET",
                  "/1/lists/subscriptions.json", cursored, true},
                 {ListType::Show, "list show", "GET", "/1/lists/show.json", list, true},
                 {ListType::Statuses, "list statuses", "GET", "/1/lists/statuses.json",
                  "[" + status + "]", false},
                 {ListType::Members, "list members", "GET", "/1/lists/members.json", members, true},
                 {ListType::Subscribe, "list subscribe", "POST", "/1/lists/subscribers/create.json",
                  list, true},
                 {ListType::Unsubscribe, "list unsubscribe", "POST",
                  "/1/lists/subscribers/destroy.json", list, true}};
    const ArgMap listArgs {{"list_id", "301"}, {"cursor", "-1"}};
    for (const auto &l : lists) {
        const auto type = l.type;
        const bool wrapped = l.wrapped;
        table.append({l.name,
                      [=](Zirrup *z, int *id) { return z->retrieveList(type, listArgs, id); },
                      l.method, l.path, listArgs, l.answer,
                      SIGNAL(listCompleted(ListType::ListType, QVariantList, int)),
                      [=](const QList<QVariant> &a) {
                          QCOMPARE(a.at(0).toInt(), int(type));
                          const QVariantList data = a.at(1).toList();
                          QCOMPARE(data.size(), 1);
                          QCOMPARE(data.at(0).typeId(), int(QMetaType::QVariantMap));
                          if (!wrapped)
                              QCOMPARE(firstId(data), QString::fromLatin1(bigId));
                      }});
    }
    const ArgMap people {{"q", "bo"}};
    table.append(
        {"people search",
         [=](Zirrup *z, int *id) { return z->searchResources(people, id, SearchType::People); },
         "GET", "/1/users/search.json", people, "[" + user + "]",
         SIGNAL(searchCompleted(SearchType::SearchType, QVariantList, int)),
         [](const QList<QVariant> &a) {
             QCOMPARE(a.at(0).toInt(), int(SearchType::People));
             QCOMPARE(firstId(a.at(1)), QStringLiteral("1845"));
         }});
    // "+" and a space in the words: the query must read the same as a form and as plain text.
    const ArgMap tweets {{"q", "#qt c++"}, {"rpp", "10"}, {"geocode", "60.1,24.9,15mi"}};
    table.append(
        {"tweet search",
         [=](Zirrup *z, int *id) { return z->searchResources(tweets, id, SearchType::Tweets); },
         "GET", "/1/search.json", tweets,
         "{\"results\":[{\"id\":" + bigId + ",\"id_str\":\"" + bigId
             + "\",\"from_user\":\"alice\"}],"
               "\"max_id\":"
             + bigId + ",\"max_id_str\":\"" + bigId + "\"}",
         SIGNAL(searchCompleted(SearchType::SearchType, QVariantList, int)),
         [](const QList<QVariant> &a) {
             QCOMPARE(a.at(0).toInt(), int(SearchType::Tweets));
             const QVariantMap answer = a.at(1).toList().value(0).toMap();
             QCOMPARE(answer.value("max_id").toString(), QString::fromLatin1(bigId));
             QCOMPARE(firstId(answer.value("results")), QString::fromLatin1(bigId));
         }});
    table.append(
        {"configuration",
         [=](Zirrup *z, int *id) {
             return z->retrieveHelp(HelpType::Configuration, nullptr, {}, id, Zr::CacheThenNetwork);
         },
         "GET", "/1/help/configuration.json", ArgMap(), "{\"short_url_length\":29}",
         SIGNAL(helpRetrieved(HelpType::HelpType, QVariantList, QMap<QString, QString>, int)),
         [](const QList<QVariant> &a) {
             QCOMPARE(a.at(1).toList().value(0).toMap().value("short_url_length").toInt(), 29);
         }});
    const QString longLink = QStringLiteral("http://example.org/a long/page?x=1&y=é");
    table.append({"wrap link", [=](Zirrup *z, int *id) { return z->UrlToSnip(longLink, id); },
                  "POST", "/1/links/shorten.json", ArgMap {{"url", longLink}},
                  "{\"url\":\"http://127.0.0.1/l/Xy12Q\",\"long_url\":\"x\"}",
                  SIGNAL(urlToSnipConverted(QString, QString, int)),
                  [=](const QList<QVariant> &a) {
                      QCOMPARE(a.at(0).toString(), longLink);
                      QCOMPARE(a.at(1).toString(), QStringLiteral("http://127.0.0.1/l/Xy12Q"));
                  }});
    return table;
}

// The signature the service computes for a received request.
QByteArray expectedSignature(const HttpRequest &request)
{
    const auto header = Zr::OAuth::parseAuthorizationHeader(request.headers.value("authorization"));
    Zr::OAuthParams params;
    for (auto it = header.constBegin(); it != header.constEnd(); ++it)
        params.append({it.key(), it.value()});
    if (request.headers.value("content-type").startsWith("application/x-www-form-urlencoded"))
        params += Zr::OAuth::formParameters(request.body);
    return Zr::OAuth::signature(request.method, request.url, params,
                                TestAccount::consumerSecret.toUtf8(),
                                TestAccount::tokenSecret.toUtf8());
}

} // namespace

class TestRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyCallSendsItsRequest_data();
    void everyCallSendsItsRequest();
    void requestsAreSignedAsTheServiceChecks();
    void uploadsAreMultipartAndSignedWithoutTheirParts();
    void signedOutBackendReachesOnlyPublicEndpoints();
    void queryIdsAreUniqueAndAnswersNeverSynchronous();
    void unusableArgumentsAreRefusedWithoutSending();
    void pathPrefixOfTheServiceIsKept();
    void debugOutputNeverShowsSecrets();

private:
    FakeServer *server = nullptr;
};

void TestRequests::initTestCase()
{
    server = new FakeServer(this);
    Zr::setServiceUrl(server->baseUrl());
}

void TestRequests::everyCallSendsItsRequest_data()
{
    QTest::addColumn<int>("row");
    const QList<Row> table = rows();
    for (int i = 0; i < table.size(); ++i)
        QTest::newRow(table.at(i).name) << i;
}

void TestRequests::everyCallSendsItsRequest()
{
    QFETCH(int, row);
    const Row r = rows().at(row);
    auto backend = signedInBackend();
    server->clearRequests();
    server->setHandler([&](const HttpRequest &) { return HttpResponse::json(r.answer); });

    QSignalSpy completion(backend.get(), r.signal);
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QVERIFY(completion.isValid());
    int id = -1;
    QCOMPARE(r.call(backend.get(), &id), int(Zr::RequestSent));
    QVERIFY(id > 0);
    QVERIFY(completion.wait(5000));
    QCOMPARE(errors.count(), 0);
    QCOMPARE(completion.count(), 1);
    QCOMPARE(completion.at(0).last().toInt(), id);
    r.check(completion.at(0));
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(server->requestCount(), 1);
    const HttpRequest sent = server->lastRequest();
    QCOMPARE(sent.method, r.method);
    QCOMPARE(sent.path, r.path);
    QCOMPARE(r.method == "GET" ? sent.query() : sent.form(), r.params);
    if (r.method == "POST")
        QVERIFY(sent.query().isEmpty());
    // Compressed answers would slip past the size limits.
    QCOMPARE(sent.headers.value("accept-encoding"), QByteArray("identity"));
    QCOMPARE(Zr::OAuth::parseAuthorizationHeader(sent.headers.value("authorization"))
                 .value("oauth_signature"),
             expectedSignature(sent));
}

void TestRequests::requestsAreSignedAsTheServiceChecks()
{
    auto backend = signedInBackend();
    server->clearRequests();
    server->setHandler([](const HttpRequest &request) {
        return HttpResponse::json(request.method == "GET" ? "[]" : statusJson("1", "x"));
    });
    QSignalSpy done(backend.get(), &Zirrup::timelineUpdated);
    QSignalSpy written(backend.get(), &Zirrup::statusWritten);
    int id;
    // Characters that percent-encoding, "+" and form decoding easily get wrong.
    const ArgMap awkward {{"screen_name", "a b+c"}, {"q", "~!*'();:@&=+$,/?#[]"}, {"ä", "ö/é"}};
    backend->retrieveTimelineResources(nullptr, &id, TimelineType::User, awkward,
                                       Zr::CacheThenNetwork);
    backend->writeStatus(awkward, &id);
    QTRY_COMPARE(done.count() + written.count(), 2);

    QCOMPARE(server->requestCount(), 2);
    for (const HttpRequest &request : server->requests()) {
        const auto header =
            Zr::OAuth::parseAuthorizationHeader(request.headers.value("authorization"));
        QCOMPARE(header.value("oauth_consumer_key"), TestAccount::consumerKey.toUtf8());
        QCOMPARE(header.value("oauth_token"), TestAccount::token.toUtf8());
        QCOMPARE(header.value("oauth_signature_method"), QByteArray("HMAC-SHA1"));
        QCOMPARE(header.value("oauth_version"), QByteArray("1.0"));
        QVERIFY(
            qAbs(header.value("oauth_timestamp").toLongLong() - QDateTime::currentSecsSinceEpoch())
            < 300);
        QVERIFY(!header.value("oauth_nonce").isEmpty());
        QCOMPARE(header.value("oauth_signature"), expectedSignature(request));
        QCOMPARE(request.method == "GET" ? request.query() : request.form(), awkward);
        // No secret ever travels.
        QVERIFY(!request.headers.value("authorization").contains("secret"));
    }
    const auto first = Zr::OAuth::parseAuthorizationHeader(
        server->requests().at(0).headers.value("authorization"));
    const auto second = Zr::OAuth::parseAuthorizationHeader(
        server->requests().at(1).headers.value("authorization"));
    QVERIFY(first.value("oauth_nonce") != second.value("oauth_nonce"));
}

void TestRequests::uploadsAreMultipartAndSignedWithoutTheirParts()
{
    auto backend = signedInBackend();
    server->setHandler(
        [](const HttpRequest &) { return HttpResponse::json(statusJson("5", "pic")); });
    const QByteArray png("\x89PNG\r\n\x1a\n-not-really-but-bytes\r\n--", 32);
    QSignalSpy posted(backend.get(), &Zirrup::postedStatusWithMedia);
    QSignalSpy account(backend.get(), &Zirrup::accountUpdated);
    int id;
    server->clearRequests();
    QCOMPARE(backend->postStatusWithMedia({{"status", "look"}, {"place_id", "4f6e"}}, &id,
                                          {{"/tmp/a\"b.png", png}, {"/tmp/z.png", "second"}}),
             int(Zr::RequestSent));
    QVERIFY(posted.wait(5000));
    QCOMPARE(posted.at(0).at(1).toInt(), id);
    QCOMPARE(backend->retrieveAccountResources(&id, AccountType::UpdateProfileImage,
                                               {{"image", "/home/u/me.png"}}, png),
             int(Zr::RequestSent));
    QVERIFY(account.wait(5000));
    QCOMPARE(account.at(0).at(0).toInt(), int(AccountType::UpdateProfileImage));

    const HttpRequest media = server->requests().at(0);
    QCOMPARE(media.path, QStringLiteral("/1/statuses/update_with_media.json"));
    QVERIFY(media.headers.value("content-type").startsWith("multipart/form-data"));
    QMap<QString, QString> fileNames;
    const auto parts = media.multipart(&fileNames);
    QCOMPARE(parts.keys(), QStringList({"media[]", "place_id", "status"}));
    QCOMPARE(parts.value("media[]"), png);
    QCOMPARE(parts.value("status"), QByteArray("look"));
    // The quote of the file name cannot break out of its header.
    QCOMPARE(fileNames.value("media[]"), QStringLiteral("a_b.png"));
    QCOMPARE(Zr::OAuth::parseAuthorizationHeader(media.headers.value("authorization"))
                 .value("oauth_signature"),
             expectedSignature(media));

    const HttpRequest image = server->requests().at(1);
    QCOMPARE(image.path, QStringLiteral("/1/account/update_profile_image.json"));
    const auto imageParts = image.multipart(&fileNames);
    QCOMPARE(imageParts.keys(), QStringList({"image"}));
    QCOMPARE(imageParts.value("image"), png);
    QCOMPARE(fileNames.value("image"), QStringLiteral("me.png"));
}

void TestRequests::signedOutBackendReachesOnlyPublicEndpoints()
{
    auto backend = signedOutBackend();
    QVERIFY(!backend->isAuthenticated());
    server->clearRequests();
    server->setHandler([](const HttpRequest &request) {
        if (request.path.endsWith(QLatin1String("search.json")))
            return HttpResponse::json("{\"results\":[]}");
        return HttpResponse::json("[{\"trends\":[]}]");
    });
    int id = 42;
    QVariantList list;
    QCOMPARE(backend->retrieveTimelineResources(&list, &id, TimelineType::Home, {},
                                                Zr::CacheThenNetwork),
             int(Zr::RequestFailed));
    QCOMPARE(id, -1);
    id = 42;
    QCOMPARE(backend->writeStatus({{"status", "x"}}, &id), int(Zr::RequestFailed));
    QCOMPARE(id, -1);
    QCOMPARE(backend->startStreaming({}, &id), int(Zr::RequestFailed));
    QCOMPARE(backend->searchResources({{"q", "x"}}, &id, SearchType::People),
             int(Zr::RequestFailed));

    QSignalSpy trends(backend.get(), &Zirrup::trendsUpdated);
    QSignalSpy search(backend.get(), &Zirrup::searchCompleted);
    QCOMPARE(backend->retrieveTrends(nullptr, &id, TrendType::Place, {{"woeid", "1"}},
                                     Zr::CacheThenNetwork),
             int(Zr::RequestSent));
    QCOMPARE(backend->searchResources({{"q", "x"}}, &id, SearchType::Tweets), int(Zr::RequestSent));
    QTRY_COMPARE(trends.count() + search.count(), 2);
    QCOMPARE(server->requestCount(), 2);
    for (const HttpRequest &request : server->requests())
        QVERIFY(!request.headers.contains("authorization"));
}

void TestRequests::queryIdsAreUniqueAndAnswersNeverSynchronous()
{
    auto backend = signedInBackend();
    auto other = signedInBackend();
    server->setHandler([](const HttpRequest &) { return HttpResponse::json("[]"); });
    QSignalSpy done(backend.get(), &Zirrup::timelineUpdated);
    QSet<int> ids;
    for (int i = 0; i < 5; ++i) {
        int id = -1;
        QCOMPARE(backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                                    Zr::CacheThenNetwork),
                 int(Zr::RequestSent));
        QCOMPARE(done.count(), 0);
        QVERIFY(id > 0);
        ids.insert(id);
    }
    QCOMPARE(ids.size(), 5);
    // A null id pointer is tolerated.
    QCOMPARE(other->retrieveTimelineResources(nullptr, nullptr, TimelineType::Home, {},
                                              Zr::CacheThenNetwork),
             int(Zr::RequestSent));
    QTRY_COMPARE(done.count(), 5);
    QSet<int> answered;
    for (const auto &args : done)
        answered.insert(args.at(2).toInt());
    QCOMPARE(answered, ids);
}

void TestRequests::unusableArgumentsAreRefusedWithoutSending()
{
    auto backend = signedInBackend();
    server->clearRequests();
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    int id = 7;
    // Ids become part of the path: nothing but digits may get there.
    QCOMPARE(backend->retweetStatus({{"id", "../../account/update_profile"}}, &id),
             int(Zr::RequestFailed));
    QCOMPARE(id, -1);
    QCOMPARE(backend->deleteStatus({}, &id), int(Zr::RequestFailed));
    QCOMPARE(backend->retrieveGeo(nullptr, GeoType::Id, {{"place_id", "a/b"}}, &id,
                                  Zr::CacheThenNetwork),
             int(Zr::RequestFailed));
    QCOMPARE(backend->retrieveSavedSearch(SSType::Destroy, {{"id", "5?x=1"}}, &id),
             int(Zr::RequestFailed));
    QCOMPARE(backend->retrieveTimelineResources(nullptr, &id, TimelineType::Search, {},
                                                Zr::CacheThenNetwork),
             int(Zr::RequestFailed));
    QCOMPARE(backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                                Zr::RetrieveBehavior(7)),
             int(Zr::RequestFailed));
    QCOMPARE(backend->retrieveTrends(nullptr, &id, TrendType::Daily, {}, Zr::CacheThenNetwork),
             int(Zr::RequestFailed));
    QCOMPARE(backend->postStatusWithMedia({{"status", "x"}}, &id, {}), int(Zr::RequestFailed));
    QCOMPARE(backend->retrieveAccountResources(&id, AccountType::UpdateProfileImage,
                                               {{"image", "a.png"}}, {}),
             int(Zr::RequestFailed));
    QCOMPARE(backend->UrlToSnip(QString(), &id), int(Zr::RequestFailed));
    QCOMPARE(id, -1);
    QCOMPARE(server->requestCount(), 0);
    QCOMPARE(errors.count(), 0);
}

void TestRequests::pathPrefixOfTheServiceIsKept()
{
    Zr::setServiceUrl(QUrl(server->baseUrl().toString() + QStringLiteral("/zirrup/")));
    auto backend = signedInBackend();
    server->clearRequests();
    server->setHandler(
        [](const HttpRequest &) { return HttpResponse::json("{\"short_url_length\":1}"); });
    QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
    int id;
    backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
    QVERIFY(help.wait(5000));
    QCOMPARE(server->lastRequest().path, QStringLiteral("/zirrup/1/help/configuration.json"));
    QCOMPARE(
        Zr::OAuth::parseAuthorizationHeader(server->lastRequest().headers.value("authorization"))
            .value("oauth_signature"),
        expectedSignature(server->lastRequest()));
    Zr::setServiceUrl(server->baseUrl());
}

namespace {
QStringList capturedOutput;
void captureOutput(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedOutput.append(message);
}
} // namespace

void TestRequests::debugOutputNeverShowsSecrets()
{
    server->setHandler([](const HttpRequest &request) {
        return request.method == "GET"
            ? HttpResponse::error(401, "Could not authenticate with OAuth.", request.path)
            : HttpResponse::json(statusJson("1", "x"));
    });
    Zr::SetLoggingLevel(Zr::LogDebug);
    capturedOutput.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureOutput);
    {
        auto backend = signedInBackend();
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        QSignalSpy written(backend.get(), &Zirrup::statusWritten);
        int id;
        backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                           Zr::CacheThenNetwork);
        backend->writeStatus({{"status", "hello"}}, &id);
        backend->startStreaming({}, &id);
        QTRY_COMPARE(errors.count() + written.count(), 3);
    }
    qInstallMessageHandler(previous);
    Zr::SetLoggingLevel(Zr::LogWarning);

    const QString all = capturedOutput.join(QLatin1Char('\n'));
    // Requests and answers are there, credentials are not.
    QVERIFY(all.contains(QLatin1String("/1/statuses/home_timeline.json")));
    QVERIFY(all.contains(QLatin1String("hello")));
    for (const QString &secret :
         {TestAccount::tokenSecret, TestAccount::consumerSecret,
          QString::fromLatin1(QUrl::toPercentEncoding(TestAccount::tokenSecret)),
          QStringLiteral("oauth_signature"), QStringLiteral("Authorization")})
        QVERIFY2(!all.contains(secret, Qt::CaseInsensitive), qPrintable(secret));
}

QTEST_MAIN(TestRequests)
#include "tst_requests.moc"
