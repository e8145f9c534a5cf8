// Discovery in zirrup-sandbox: trends, tweet search, saved searches, places, lists,
// configuration and link previews.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"

#include <QImage>
#include <QtTest>

class TestSandboxDiscovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void trends();
    void searchTerms();
    void searchPagingAndForm();
    void searchByPlace();
    void savedSearches();
    void places();
    void listsOfAUser();
    void listContents();
    void listSubscription();
    void configuration();
    void linkPreviews();

private:
    QString post(ApiClient *client, const QString &text, const Params &extra = {});
    qint64 createList(const QString &owner, const QString &name, bool isPrivate,
                      const QStringList &members);
    SandboxFixture m_sandbox;
};

void TestSandboxDiscovery::init()
{
    QVERIFY(m_sandbox.start());
}

QString TestSandboxDiscovery::post(ApiClient *client, const QString &text, const Params &extra)
{
    const ApiResponse r = client->post(QStringLiteral("/1/statuses/update.json"),
                                       Params {{QStringLiteral("status"), text}} + extra);
    if (r.status != 200)
        qWarning("posting \"%s\" answered %d", qPrintable(text), r.status);
    return r.object().value(QStringLiteral("id_str")).toString();
}

static QStringList resultIds(const ApiResponse &r)
{
    return SandboxFixture::ids(r.object().value(QStringLiteral("results")).toArray());
}

void TestSandboxDiscovery::trends()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    post(alice, QStringLiteral("Learning #Qt in Helsinki"));
    post(bob, QStringLiteral("more #qt please, from Helsinki"));
    post(bob, QStringLiteral("#qt again and #rare once"));
    post(alice, QStringLiteral("#coffee then a walk in Helsinki"));
    post(bob, QStringLiteral("#coffee is needed"));
    // Statuses older than a day do not count.
    Database *db = m_sandbox.server()->database();
    post(alice, QStringLiteral("#ancient #ancient history"));
    post(bob, QStringLiteral("#ancient too"));
    db->exec(QStringLiteral(
        "UPDATE statuses SET created_at = created_at - 2 * 86400 WHERE text LIKE '%#ancient%'"));

    const ApiResponse r = m_sandbox.anonymous()->get(QStringLiteral("/1/trends/place.json"),
                                                     {{QStringLiteral("id"), QStringLiteral("1")}});
    QCOMPARE(r.status, 200);
    const QJsonObject answer = r.array().first().toObject();
    QCOMPARE(answer.value(QStringLiteral("locations"))
                 .toArray()
                 .first()
                 .toObject()
                 .value(QStringLiteral("woeid"))
                 .toInt(),
             1);
    QVERIFY(!answer.value(QStringLiteral("as_of")).toString().isEmpty());
    QStringList names;
    for (const QJsonValue &trend : answer.value(QStringLiteral("trends")).toArray())
        names.append(trend.toObject().value(QStringLiteral("name")).toString());
    // Most used first; the spelling used most; hashtags, then names; nothing used once.
    QCOMPARE(names,
             (QStringList {QStringLiteral("#qt"), QStringLiteral("Helsinki"),
                           QStringLiteral("#coffee")}));
    const QJsonObject first = answer.value(QStringLiteral("trends")).toArray().first().toObject();
    QCOMPARE(first.value(QStringLiteral("query")).toString(), QStringLiteral("%23qt"));
    QCOMPARE(first.value(QStringLiteral("url")).toString(),
             m_sandbox.baseUrl().toString() + QStringLiteral("/search?q=%23qt"));

    QCOMPARE(m_sandbox.anonymous()
                 ->get(QStringLiteral("/1/trends/place.json"),
                       {{QStringLiteral("id"), QStringLiteral("23424812")}})
                 .status,
             404);
    QCOMPARE(m_sandbox.anonymous()->get(QStringLiteral("/1/trends/place.json")).status, 400);
}

void TestSandboxDiscovery::searchTerms()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const QString a1 = post(alice, QStringLiteral("Qt Quick is quick #qt"));
    const QString a2 = post(alice, QStringLiteral("Talking to @bob about #qtquick"));
    const QString b1 = post(bob, QStringLiteral("quick lunch with alice"));
    const QString b2 = post(bob, QStringLiteral("Retweets are left out"));
    bob->post(QStringLiteral("/1/statuses/retweet/") + a1 + QStringLiteral(".json"));
    ApiClient *anyone = m_sandbox.anonymous();
    const auto search = [anyone](const QString &q) {
        return resultIds(anyone->get(QStringLiteral("/1/search.json"), {{QStringLiteral("q"), q}}));
    };
    QCOMPARE(search(QStringLiteral("QUICK")), (QStringList {b1, a1}));
    QCOMPARE(search(QStringLiteral("quick lunch")), QStringList {b1});
    QCOMPARE(search(QStringLiteral("#qt")), QStringList {a1}); // not #qtquick
    QCOMPARE(search(QStringLiteral("#QtQuick")), QStringList {a2});
    QCOMPARE(search(QStringLiteral("@bob")), (QStringList {b2, b1, a2})); // author or mentioned
    QCOMPARE(search(QStringLiteral("from:alice")), (QStringList {a2, a1}));
    QCOMPARE(search(QStringLiteral("from:alice quick")), QStringList {a1});
    QCOMPARE(search(QStringLiteral("nothing-like-this")), QStringList {});
}

void TestSandboxDiscovery::searchPagingAndForm()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const QString first = post(alice, QStringLiteral("paging test <zero> & more"));
    QStringList ids {first};
    for (int i = 1; i < 5; ++i)
        ids.prepend(post(bob, QStringLiteral("paging test %1").arg(i),
                         {{QStringLiteral("in_reply_to_status_id"), first}}));
    ApiClient *anyone = m_sandbox.anonymous();
    const QString path = QStringLiteral("/1/search.json");
    ApiResponse r = anyone->get(path,
                                {{QStringLiteral("q"), QStringLiteral("paging test")},
                                 {QStringLiteral("rpp"), QStringLiteral("2")}});
    QJsonObject answer = r.object();
    QCOMPARE(resultIds(r), ids.mid(0, 2));
    QCOMPARE(answer.value(QStringLiteral("max_id_str")).toString(), ids.first());
    QCOMPARE(answer.value(QStringLiteral("since_id_str")).toString(), QStringLiteral("0"));
    QCOMPARE(answer.value(QStringLiteral("page")).toInt(), 1);
    QCOMPARE(answer.value(QStringLiteral("results_per_page")).toInt(), 2);
    QCOMPARE(answer.value(QStringLiteral("query")).toString(), QStringLiteral("paging%20test"));
    QCOMPARE(answer.value(QStringLiteral("next_page")).toString(),
             QStringLiteral("?page=2&max_id=") + ids.first() + QStringLiteral("&q=paging%20test"));

    // The next page through max_id (inclusive, as the client pages) and through page.
    r = anyone->get(path,
                    {{QStringLiteral("q"), QStringLiteral("paging test")},
                     {QStringLiteral("rpp"), QStringLiteral("2")},
                     {QStringLiteral("max_id"), ids.at(1)}});
    QCOMPARE(resultIds(r), ids.mid(1, 2));
    r = anyone->get(path,
                    {{QStringLiteral("q"), QStringLiteral("paging test")},
                     {QStringLiteral("rpp"), QStringLiteral("2")},
                     {QStringLiteral("page"), QStringLiteral("3")}});
    QCOMPARE(resultIds(r), ids.mid(4));
    QVERIFY(!r.object().contains(QStringLiteral("next_page")));
    r = anyone->get(path,
                    {{QStringLiteral("q"), QStringLiteral("paging test")},
                     {QStringLiteral("since_id"), ids.at(2)}});
    QCOMPARE(resultIds(r), ids.mid(0, 2));
    QCOMPARE(r.object().value(QStringLiteral("since_id_str")).toString(), ids.at(2));

    // The search form of a result.
    r = anyone->get(path,
                    {{QStringLiteral("q"), QStringLiteral("zero")},
                     {QStringLiteral("include_entities"), QStringLiteral("true")}});
    QJsonObject result = r.object().value(QStringLiteral("results")).toArray().first().toObject();
    QCOMPARE(result.value(QStringLiteral("from_user")).toString(), QStringLiteral("alice"));
    QCOMPARE(result.value(QStringLiteral("from_user_id_str")).toString(), alice->account().userId);
    QCOMPARE(result.value(QStringLiteral("from_user_name")).toString(), QStringLiteral("alice"));
    QVERIFY(result.value(QStringLiteral("profile_image_url"))
                .toString()
                .startsWith(m_sandbox.baseUrl().toString()));
    QVERIFY(!result.contains(QStringLiteral("user")));
    QCOMPARE(result.value(QStringLiteral("text")).toString(),
             QStringLiteral("paging test &lt;zero&gt; &amp; more"));
    QCOMPARE(result.value(QStringLiteral("source")).toString(),
             QStringLiteral("&lt;a href=&quot;http://zirrup.net/download/desktop&quot; "
                            "rel=&quot;nofollow&quot;&gt;Zirrup for Desktop&lt;/a&gt;"));
    static const QRegularExpression date(
        QStringLiteral("^\\w{3}, \\d{2} \\w{3} \\d{4} \\d{2}:\\d{2}:\\d{2} \\+0000$"));
    QVERIFY(date.match(result.value(QStringLiteral("created_at")).toString()).hasMatch());
    QVERIFY(result.value(QStringLiteral("to_user")).isNull());
    QVERIFY(result.contains(QStringLiteral("entities")));
    result = anyone->get(path, {{QStringLiteral("q"), QStringLiteral("paging test 4")}})
                 .object()
                 .value(QStringLiteral("results"))
                 .toArray()
                 .first()
                 .toObject();
    QCOMPARE(result.value(QStringLiteral("to_user")).toString(), QStringLiteral("alice"));
    QCOMPARE(result.value(QStringLiteral("to_user_id_str")).toString(), alice->account().userId);
    QVERIFY(!result.contains(QStringLiteral("entities")));

    QCOMPARE(anyone
                 ->get(path,
                       {{QStringLiteral("q"), QStringLiteral("x")},
                        {QStringLiteral("rpp"), QStringLiteral("many")}})
                 .status,
             400);
}

void TestSandboxDiscovery::searchByPlace()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    const QString helsinki =
        m_sandbox.anonymous()
            ->get(QStringLiteral("/1/geo/search.json"),
                  {{QStringLiteral("query"), QStringLiteral("Helsinki, Finland")}})
            .object()
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("places"))
            .toArray()
            .first()
            .toObject()
            .value(QStringLiteral("id"))
            .toString();
    QVERIFY(!helsinki.isEmpty());
    const QString placed =
        post(alice, QStringLiteral("sauna time"), {{QStringLiteral("place_id"), helsinki}});
    const QString pinned = post(alice, QStringLiteral("sauna in Espoo"),
                                {{QStringLiteral("lat"), QStringLiteral("60.205")},
                                 {QStringLiteral("long"), QStringLiteral("24.65")}});
    post(alice, QStringLiteral("sauna somewhere"));
    post(alice, QStringLiteral("sauna in Tokyo"),
         {{QStringLiteral("lat"), QStringLiteral("35.68")},
          {QStringLiteral("long"), QStringLiteral("139.69")}});
    const auto search = [this](const QString &geocode) {
        return resultIds(m_sandbox.anonymous()->get(QStringLiteral("/1/search.json"),
                                                    {{QStringLiteral("q"), QStringLiteral("sauna")},
                                                     {QStringLiteral("geocode"), geocode}}));
    };
    // Central Helsinki with 15 miles takes in Espoo; 5 km does not.
    QCOMPARE(search(QStringLiteral("60.17,24.94,15mi")), (QStringList {pinned, placed}));
    QCOMPARE(search(QStringLiteral("60.205,24.65,5km")), QStringList {pinned});
    QCOMPARE(search(QStringLiteral("-33.9,18.4,100km")), QStringList {});
    for (const QString &bad : {QStringLiteral("60.17,24.94"), QStringLiteral("95,24.94,15mi"),
                               QStringLiteral("60,24,15 miles")}) {
        const ApiResponse r = m_sandbox.anonymous()->get(
            QStringLiteral("/1/search.json"),
            {{QStringLiteral("q"), QStringLiteral("sauna")}, {QStringLiteral("geocode"), bad}});
        QCOMPARE(r.status, 400);
        QCOMPARE(r.error(), QStringLiteral("Invalid parameter: geocode"));
    }
}

void TestSandboxDiscovery::savedSearches()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const QString create = QStringLiteral("/1/saved_searches/create.json");
    const QJsonObject first =
        alice->post(create, {{QStringLiteral("query"), QStringLiteral("#qt")}}).object();
    QCOMPARE(first.value(QStringLiteral("query")).toString(), QStringLiteral("#qt"));
    QCOMPARE(first.value(QStringLiteral("name")).toString(), QStringLiteral("#qt"));
    QVERIFY(first.value(QStringLiteral("position")).isNull());
    const QString id = first.value(QStringLiteral("id_str")).toString();
    QCOMPARE(alice->post(create, {{QStringLiteral("query"), QStringLiteral("#qt")}})
                 .object()
                 .value(QStringLiteral("id_str"))
                 .toString(),
             id);
    alice->post(create, {{QStringLiteral("query"), QStringLiteral("sauna")}});
    QCOMPARE(alice->post(create).status, 400);

    const QJsonArray all = alice->get(QStringLiteral("/1/saved_searches.json")).array();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.first().toObject().value(QStringLiteral("query")).toString(),
             QStringLiteral("#qt"));
    QCOMPARE(bob->get(QStringLiteral("/1/saved_searches.json")).array().size(), 0);
    QCOMPARE(alice->get(QStringLiteral("/1/saved_searches/show/") + id + QStringLiteral(".json"))
                 .object(),
             first);
    // Another's saved search does not exist for bob.
    QCOMPARE(
        bob->get(QStringLiteral("/1/saved_searches/show/") + id + QStringLiteral(".json")).status,
        404);
    QCOMPARE(bob->post(QStringLiteral("/1/saved_searches/destroy/") + id + QStringLiteral(".json"))
                 .status,
             404);
    QCOMPARE(
        alice->post(QStringLiteral("/1/saved_searches/destroy/") + id + QStringLiteral(".json"))
            .object(),
        first);
    QCOMPARE(
        alice->post(QStringLiteral("/1/saved_searches/destroy/") + id + QStringLiteral(".json"))
            .status,
        404);
    QCOMPARE(alice->get(QStringLiteral("/1/saved_searches.json")).array().size(), 1);
}

void TestSandboxDiscovery::places()
{
    ApiClient *anyone = m_sandbox.anonymous();
    ApiResponse r = anyone->get(QStringLiteral("/1/geo/reverse_geocode.json"),
                                {{QStringLiteral("lat"), QStringLiteral("60.185")},
                                 {QStringLiteral("long"), QStringLiteral("24.95")},
                                 {QStringLiteral("max_results"), QStringLiteral("2")}});
    QJsonArray found = r.object()
                           .value(QStringLiteral("result"))
                           .toObject()
                           .value(QStringLiteral("places"))
                           .toArray();
    // Nearest and smallest first: the neighbourhood, then its city.
    QCOMPARE(found.size(), 2);
    QCOMPARE(found.at(0).toObject().value(QStringLiteral("full_name")).toString(),
             QStringLiteral("Kallio, Helsinki"));
    QCOMPARE(found.at(1).toObject().value(QStringLiteral("full_name")).toString(),
             QStringLiteral("Helsinki, Finland"));
    QCOMPARE(r.object()
                 .value(QStringLiteral("query"))
                 .toObject()
                 .value(QStringLiteral("type"))
                 .toString(),
             QStringLiteral("reverse_geocode"));
    const QJsonObject place = found.at(1).toObject();
    QCOMPARE(place.value(QStringLiteral("id")).toString().size(), 16);
    QCOMPARE(place.value(QStringLiteral("country_code")).toString(), QStringLiteral("FI"));
    QCOMPARE(place.value(QStringLiteral("bounding_box"))
                 .toObject()
                 .value(QStringLiteral("coordinates"))
                 .toArray()
                 .first()
                 .toArray()
                 .size(),
             4);

    // Nothing within 50 km of the middle of the ocean.
    r = anyone->get(QStringLiteral("/1/geo/reverse_geocode.json"),
                    {{QStringLiteral("lat"), QStringLiteral("0")},
                     {QStringLiteral("long"), QStringLiteral("-30")}});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object()
                 .value(QStringLiteral("result"))
                 .toObject()
                 .value(QStringLiteral("places"))
                 .toArray()
                 .size(),
             0);
    QCOMPARE(anyone
                 ->get(QStringLiteral("/1/geo/reverse_geocode.json"),
                       {{QStringLiteral("lat"), QStringLiteral("60")}})
                 .error(),
             QStringLiteral("Missing parameter: long"));

    r = anyone->get(QStringLiteral("/1/geo/id/") + place.value(QStringLiteral("id")).toString()
                    + QStringLiteral(".json"));
    QCOMPARE(r.object(), place);
    QCOMPARE(place.value(QStringLiteral("url")).toString(),
             m_sandbox.baseUrl().toString()
                 + QUrl(place.value(QStringLiteral("url")).toString()).path());
    QCOMPARE(anyone->get(QStringLiteral("/1/geo/id/0000000000000000.json")).status, 404);
    found = anyone
                ->get(QStringLiteral("/1/geo/search.json"),
                      {{QStringLiteral("query"), QStringLiteral("helsinki")}})
                .object()
                .value(QStringLiteral("result"))
                .toObject()
                .value(QStringLiteral("places"))
                .toArray();
    QCOMPARE(found.size(), 3); // the city and two of its neighbourhoods
}

qint64 TestSandboxDiscovery::createList(const QString &owner, const QString &name, bool isPrivate,
                                        const QStringList &members)
{
    Database *db = m_sandbox.server()->database();
    const qint64 ownerId = m_sandbox.client(owner)->account().userId.toLongLong();
    const qint64 id = db->nextId(QStringLiteral("lists"), 300);
    db->exec(QStringLiteral("INSERT INTO lists (id, owner_id, name, slug, description, mode, "
                            "created_at) VALUES (?, ?, ?, ?, 'about', ?, ?)"),
             {id, ownerId, name, name.toLower(),
              isPrivate ? QStringLiteral("private") : QStringLiteral("public"), id});
    for (int i = 0; i < members.size(); ++i)
        db->exec(QStringLiteral(
                     "INSERT INTO list_members (list_id, user_id, created_at) VALUES (?, ?, ?)"),
                 {id, m_sandbox.client(members.at(i))->account().userId.toLongLong(), i});
    return id;
}

void TestSandboxDiscovery::listsOfAUser()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    for (int i = 0; i < 22; ++i)
        createList(QStringLiteral("alice"), QStringLiteral("list%1").arg(i), false,
                   {QStringLiteral("bob")});
    const qint64 secret = createList(QStringLiteral("alice"), QStringLiteral("secret"), true,
                                     {QStringLiteral("bob")});

    // 20 a page; the private list only for its owner.
    QJsonObject page = alice->get(QStringLiteral("/1/lists.json")).object();
    QCOMPARE(page.value(QStringLiteral("lists")).toArray().size(), 20);
    const QString next = page.value(QStringLiteral("next_cursor_str")).toString();
    QVERIFY(next != QStringLiteral("0"));
    page = alice->get(QStringLiteral("/1/lists.json"), {{QStringLiteral("cursor"), next}}).object();
    QCOMPARE(page.value(QStringLiteral("lists")).toArray().size(), 3);
    QCOMPARE(page.value(QStringLiteral("next_cursor_str")).toString(), QStringLiteral("0"));
    QVERIFY(page.value(QStringLiteral("previous_cursor_str")).toString() != QStringLiteral("0"));
    const QJsonObject last = page.value(QStringLiteral("lists")).toArray().last().toObject();
    QCOMPARE(last.value(QStringLiteral("mode")).toString(), QStringLiteral("private"));
    QCOMPARE(last.value(QStringLiteral("full_name")).toString(), QStringLiteral("@alice/secret"));
    QCOMPARE(last.value(QStringLiteral("user"))
                 .toObject()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("alice"));
    QCOMPARE(last.value(QStringLiteral("member_count")).toInt(), 1);

    page = bob->get(QStringLiteral("/1/lists.json"),
                    {{QStringLiteral("screen_name"), QStringLiteral("alice")},
                     {QStringLiteral("cursor"), next}})
               .object();
    QCOMPARE(page.value(QStringLiteral("lists")).toArray().size(), 2);
    // Memberships: bob was added to all of them; bob sees the public ones.
    int total = 0;
    QString cursor = QStringLiteral("-1");
    do {
        page = bob->get(QStringLiteral("/1/lists/memberships.json"),
                        {{QStringLiteral("cursor"), cursor}})
                   .object();
        total += page.value(QStringLiteral("lists")).toArray().size();
        cursor = page.value(QStringLiteral("next_cursor_str")).toString();
    } while (cursor != QStringLiteral("0"));
    QCOMPARE(total, 22);
    QCOMPARE(bob->get(QStringLiteral("/1/lists/show.json"),
                      {{QStringLiteral("list_id"), QString::number(secret)}})
                 .status,
             404);
    QCOMPARE(alice
                 ->get(QStringLiteral("/1/lists/show.json"),
                       {{QStringLiteral("list_id"), QString::number(secret)}})
                 .status,
             200);
    QCOMPARE(bob->get(QStringLiteral("/1/users/show.json"),
                      {{QStringLiteral("screen_name"), QStringLiteral("bob")}})
                 .object()
                 .value(QStringLiteral("listed_count"))
                 .toInt(),
             22);
}

void TestSandboxDiscovery::listContents()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    ApiClient *carol = m_sandbox.client(QStringLiteral("carol"));
    const qint64 list = createList(QStringLiteral("alice"), QStringLiteral("friends"), false,
                                   {QStringLiteral("bob"), QStringLiteral("carol")});
    const QString b = post(bob, QStringLiteral("bob on the list"));
    post(alice, QStringLiteral("alice is not on it"));
    const QString c = post(carol, QStringLiteral("carol on the list"));
    const QString rt =
        carol->post(QStringLiteral("/1/statuses/retweet/") + b + QStringLiteral(".json"))
            .object()
            .value(QStringLiteral("id_str"))
            .toString();
    const QString path = QStringLiteral("/1/lists/statuses.json");
    const QString id = QString::number(list);
    QCOMPARE(
        SandboxFixture::ids(alice
                                ->get(path,
                                      {{QStringLiteral("list_id"), id},
                                       {QStringLiteral("include_rts"), QStringLiteral("true")}})
                                .array()),
        (QStringList {rt, c, b}));
    QCOMPARE(SandboxFixture::ids(alice->get(path, {{QStringLiteral("list_id"), id}}).array()),
             (QStringList {c, b}));
    QCOMPARE(SandboxFixture::ids(alice
                                     ->get(path,
                                           {{QStringLiteral("list_id"), id},
                                            {QStringLiteral("include_rts"), QStringLiteral("1")},
                                            {QStringLiteral("per_page"), QStringLiteral("2")},
                                            {QStringLiteral("max_id"), c}})
                                     .array()),
             (QStringList {c, b}));
    QCOMPARE(alice->get(path, {{QStringLiteral("list_id"), QStringLiteral("999")}}).status, 404);
    QCOMPARE(alice->get(path).status, 400);

    const QJsonObject members =
        alice->get(QStringLiteral("/1/lists/members.json"), {{QStringLiteral("list_id"), id}})
            .object();
    QCOMPARE(members.value(QStringLiteral("users")).toArray().size(), 2);
    QCOMPARE(members.value(QStringLiteral("next_cursor_str")).toString(), QStringLiteral("0"));
}

void TestSandboxDiscovery::listSubscription()
{
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const qint64 list = createList(QStringLiteral("alice"), QStringLiteral("open"), false,
                                   {QStringLiteral("carol")});
    const qint64 closed = createList(QStringLiteral("alice"), QStringLiteral("closed"), true,
                                     {QStringLiteral("carol")});
    const Params which {{QStringLiteral("list_id"), QString::number(list)}};
    ApiResponse r = bob->post(QStringLiteral("/1/lists/subscribers/create.json"), which);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object().value(QStringLiteral("following")).toBool(), true);
    QCOMPARE(r.object().value(QStringLiteral("subscriber_count")).toInt(), 1);
    QCOMPARE(bob->post(QStringLiteral("/1/lists/subscribers/create.json"), which)
                 .object()
                 .value(QStringLiteral("subscriber_count"))
                 .toInt(),
             1);
    QCOMPARE(bob->get(QStringLiteral("/1/lists/subscriptions.json"))
                 .object()
                 .value(QStringLiteral("lists"))
                 .toArray()
                 .size(),
             1);
    QCOMPARE(m_sandbox.client(QStringLiteral("alice"))
                 ->get(QStringLiteral("/1/lists/show.json"), which)
                 .object()
                 .value(QStringLiteral("following"))
                 .toBool(),
             false);
    r = bob->post(QStringLiteral("/1/lists/subscribers/destroy.json"), which);
    QCOMPARE(r.object().value(QStringLiteral("following")).toBool(), false);
    QCOMPARE(bob->post(QStringLiteral("/1/lists/subscribers/destroy.json"), which).status, 200);
    QCOMPARE(bob->get(QStringLiteral("/1/lists/subscriptions.json"))
                 .object()
                 .value(QStringLiteral("lists"))
                 .toArray()
                 .size(),
             0);
    QCOMPARE(bob->post(QStringLiteral("/1/lists/subscribers/create.json"),
                       {{QStringLiteral("list_id"), QString::number(closed)}})
                 .status,
             404);
}

void TestSandboxDiscovery::configuration()
{
    const QJsonObject config =
        m_sandbox.anonymous()->get(QStringLiteral("/1/help/configuration.json")).object();
    QCOMPARE(config.value(QStringLiteral("characters_reserved_per_media")).toInt(), 21);
    QCOMPARE(config.value(QStringLiteral("photo_size_limit")).toInt(), 3145728);
    QCOMPARE(config.value(QStringLiteral("max_media_per_upload")).toInt(), 1);
    QCOMPARE(config.value(QStringLiteral("short_url_length")).toInt(),
             m_sandbox.baseUrl().toString().size() + 8);
    QCOMPARE(config.value(QStringLiteral("short_url_length_https")),
             config.value(QStringLiteral("short_url_length")));
    QCOMPARE(config.value(QStringLiteral("photo_sizes"))
                 .toObject()
                 .value(QStringLiteral("small"))
                 .toObject()
                 .value(QStringLiteral("h"))
                 .toInt(),
             480);
    QVERIFY(config.value(QStringLiteral("non_username_paths"))
                .toArray()
                .contains(QStringLiteral("settings")));
}

void TestSandboxDiscovery::linkPreviews()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *anyone = m_sandbox.anonymous();
    const QString path = QStringLiteral("/1/links/preview");
    const auto preview = [&](const QString &url, const QString &size = QString()) {
        Params query {{QStringLiteral("url"), url}};
        if (!size.isEmpty())
            query.append({QStringLiteral("size"), size});
        return anyone->get(path, query);
    };

    // The picture hosts, with or without www, the same picture every time.
    ApiResponse r = preview(QStringLiteral("http://zirpic.net/AbC1"));
    QCOMPARE(r.status, 200);
    QCOMPARE(r.header("Content-Type"), QByteArray("image/jpeg"));
    const QImage large = QImage::fromData(r.body);
    QVERIFY(large.width() <= 1024 && large.height() <= 1024 && !large.isNull());
    QCOMPARE(preview(QStringLiteral("http://www.zirpic.net/AbC1")).body, r.body);
    QVERIFY(preview(QStringLiteral("http://zirpic.net/XyZ9")).body != r.body);
    QCOMPARE(QImage::fromData(
                 preview(QStringLiteral("https://imgzr.io/x-1"), QStringLiteral("thumb")).body)
                 .size(),
             QSize(150, 150));
    QCOMPARE(preview(QStringLiteral("http://snapzr.com/abc")).status, 200);
    QCOMPARE(preview(QStringLiteral("http://snapzr.com/")).status, 404);

    // Our own pictures, also through a wrapped link.
    const QByteArray png = SandboxFixture::picture(QSize(1600, 400), "PNG");
    const QJsonObject status =
        alice
            ->postMultipart(
                QStringLiteral("/1/statuses/update_with_media.json"),
                {{QStringLiteral("status"), QStringLiteral("wide")},
                 {QStringLiteral("include_entities"), QStringLiteral("1")}},
                {{QStringLiteral("media[]"), QStringLiteral("w.png"), "image/png", png}})
            .object();
    const QString mediaUrl = status.value(QStringLiteral("entities"))
                                 .toObject()
                                 .value(QStringLiteral("media"))
                                 .toArray()
                                 .first()
                                 .toObject()
                                 .value(QStringLiteral("media_url"))
                                 .toString();
    QCOMPARE(QImage::fromData(preview(mediaUrl).body).size(), QSize(1024, 256));
    QCOMPARE(QImage::fromData(preview(mediaUrl, QStringLiteral("thumb")).body).size(),
             QSize(150, 150));
    const QString avatar = status.value(QStringLiteral("user"))
                               .toObject()
                               .value(QStringLiteral("profile_image_url"))
                               .toString();
    QCOMPARE(preview(avatar).status, 200);
    const QString wrapped =
        alice
            ->post(QStringLiteral("/1/links/shorten.json"),
                   {{QStringLiteral("url"), QStringLiteral("http://imgzr.io/Wrapped")}})
            .object()
            .value(QStringLiteral("url"))
            .toString();
    QCOMPARE(preview(wrapped).body, preview(QStringLiteral("http://imgzr.io/Wrapped")).body);

    // Everything else is not previewed.
    for (const QString &other :
         {QStringLiteral("http://example.org/picture.jpg"), QStringLiteral("ftp://zirpic.net/AbC1"),
          QStringLiteral("not a url"),
          m_sandbox.baseUrl().toString() + QStringLiteral("/media/pics/1000000000900009999.jpg"),
          m_sandbox.baseUrl().toString() + QStringLiteral("/l/nothere")}) {
        QCOMPARE(preview(other).status, 404);
    }
    QCOMPARE(preview(QStringLiteral("http://zirpic.net/AbC1"), QStringLiteral("huge")).status, 400);
    QCOMPARE(anyone->get(path).status, 400);
}

QTEST_MAIN(TestSandboxDiscovery)
#include "tst_sandbox_discovery.moc"
