// Discovery in zirrup-sandbox: trends, tweet search, saved searches, places, lists,
// configuration and link previews.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"

#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

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
    const ApiResponse r =
        client->post(u"/1/statuses/update.json"_s, Params {{u"status"_s, text}} + extra);
    if (r.status != 200)
        qWarning("posting \"%s\" answered %d", qPrintable(text), r.status);
    return r.at(u"id_str"_s).toString();
}

static QStringList resultIds(const ApiResponse &r)
{
    return SandboxFixture::ids(r.at(u"results"_s).toArray());
}

void TestSandboxDiscovery::trends()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    post(alice, u"Learning #Qt in Helsinki"_s);
    post(bob, u"more #qt please, from Helsinki"_s);
    post(bob, u"#qt again and #rare once"_s);
    post(alice, u"#coffee then a walk in Helsinki"_s);
    post(bob, u"#coffee is needed"_s);
    // Statuses older than a day do not count.
    Database *db = m_sandbox.server()->database();
    post(alice, u"#ancient #ancient history"_s);
    post(bob, u"#ancient too"_s);
    db->exec(QStringLiteral(
        "UPDATE statuses SET created_at = created_at - 2 * 86400 WHERE text LIKE '%#ancient%'"));

    const ApiResponse r =
        m_sandbox.anonymous()->get(u"/1/trends/place.json"_s, {{u"id"_s, u"1"_s}});
    QCOMPARE(r.status, 200);
    const QJsonObject answer = r.at(u"0"_s).toObject();
    QCOMPARE(jsonAt(answer, u"locations/0/woeid"_s).toInt(), 1);
    QVERIFY(!answer.value(u"as_of"_s).toString().isEmpty());
    QStringList names;
    for (const QJsonValue &trend : answer.value(u"trends"_s).toArray())
        names.append(trend.toObject().value(u"name"_s).toString());
    // Most used first; the spelling used most; hashtags, then names; nothing used once.
    QCOMPARE(names, (QStringList {u"#qt"_s, u"Helsinki"_s, u"#coffee"_s}));
    const QJsonObject first = jsonAt(answer, u"trends/0"_s).toObject();
    QCOMPARE(first.value(u"query"_s).toString(), u"%23qt"_s);
    QCOMPARE(first.value(u"url"_s).toString(),
             m_sandbox.baseUrl().toString() + u"/search?q=%23qt"_s);

    QCOMPARE(
        m_sandbox.anonymous()->get(u"/1/trends/place.json"_s, {{u"id"_s, u"23424812"_s}}).status,
        404);
    QCOMPARE(m_sandbox.anonymous()->get(u"/1/trends/place.json"_s).status, 400);
}

void TestSandboxDiscovery::searchTerms()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const QString a1 = post(alice, u"Qt Quick is quick #qt"_s);
    const QString a2 = post(alice, u"Talking to @bob about #qtquick"_s);
    const QString b1 = post(bob, u"quick lunch with alice"_s);
    const QString b2 = post(bob, u"Retweets are left out"_s);
    bob->post(u"/1/statuses/retweet/"_s + a1 + u".json"_s);
    ApiClient *anyone = m_sandbox.anonymous();
    const auto search = [anyone](const QString &q) {
        return resultIds(anyone->get(u"/1/search.json"_s, {{u"q"_s, q}}));
    };
    QCOMPARE(search(u"QUICK"_s), (QStringList {b1, a1}));
    QCOMPARE(search(u"quick lunch"_s), QStringList {b1});
    QCOMPARE(search(u"#qt"_s), QStringList {a1}); // not #qtquick
    QCOMPARE(search(u"#QtQuick"_s), QStringList {a2});
    QCOMPARE(search(u"@bob"_s), (QStringList {b2, b1, a2})); // author or mentioned
    QCOMPARE(search(u"from:alice"_s), (QStringList {a2, a1}));
    QCOMPARE(search(u"from:alice quick"_s), QStringList {a1});
    QCOMPARE(search(u"nothing-like-this"_s), QStringList {});
}

void TestSandboxDiscovery::searchPagingAndForm()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const QString first = post(alice, u"paging test <zero> & more"_s);
    QStringList ids {first};
    for (int i = 1; i < 5; ++i)
        ids.prepend(post(bob, u"paging test %1"_s.arg(i), {{u"in_reply_to_status_id"_s, first}}));
    ApiClient *anyone = m_sandbox.anonymous();
    const QString path = u"/1/search.json"_s;
    ApiResponse r = anyone->get(path, {{u"q"_s, u"paging test"_s}, {u"rpp"_s, u"2"_s}});
    QJsonObject answer = r.object();
    QCOMPARE(resultIds(r), ids.mid(0, 2));
    QCOMPARE(answer.value(u"max_id_str"_s).toString(), ids.first());
    QCOMPARE(answer.value(u"since_id_str"_s).toString(), u"0"_s);
    QCOMPARE(answer.value(u"page"_s).toInt(), 1);
    QCOMPARE(answer.value(u"results_per_page"_s).toInt(), 2);
    QCOMPARE(answer.value(u"query"_s).toString(), u"paging%20test"_s);
    QCOMPARE(answer.value(u"next_page"_s).toString(),
             u"?page=2&max_id="_s + ids.first() + u"&q=paging%20test"_s);

    // The next page through max_id (inclusive, as the client pages) and through page.
    r = anyone->get(path,
                    {{u"q"_s, u"paging test"_s}, {u"rpp"_s, u"2"_s}, {u"max_id"_s, ids.at(1)}});
    QCOMPARE(resultIds(r), ids.mid(1, 2));
    r = anyone->get(path, {{u"q"_s, u"paging test"_s}, {u"rpp"_s, u"2"_s}, {u"page"_s, u"3"_s}});
    QCOMPARE(resultIds(r), ids.mid(4));
    QVERIFY(!r.object().contains(u"next_page"_s));
    r = anyone->get(path, {{u"q"_s, u"paging test"_s}, {u"since_id"_s, ids.at(2)}});
    QCOMPARE(resultIds(r), ids.mid(0, 2));
    QCOMPARE(r.at(u"since_id_str"_s).toString(), ids.at(2));

    // The search form of a result.
    r = anyone->get(path, {{u"q"_s, u"zero"_s}, {u"include_entities"_s, u"true"_s}});
    QJsonObject result = r.at(u"results/0"_s).toObject();
    QCOMPARE(result.value(u"from_user"_s).toString(), u"alice"_s);
    QCOMPARE(result.value(u"from_user_id_str"_s).toString(), alice->account().userId);
    QCOMPARE(result.value(u"from_user_name"_s).toString(), u"alice"_s);
    QVERIFY(
        result.value(u"profile_image_url"_s).toString().startsWith(m_sandbox.baseUrl().toString()));
    QVERIFY(!result.contains(u"user"_s));
    QCOMPARE(result.value(u"text"_s).toString(), u"paging test &lt;zero&gt; &amp; more"_s);
    QCOMPARE(result.value(u"source"_s).toString(),
             QStringLiteral("&lt;a href=&quot;http://zirrup.net/download/desktop&quot; "
                            "rel=&quot;nofollow&quot;&gt;Zirrup for Desktop&lt;/a&gt;"));
    static const QRegularExpression date(
        u"^\\w{3}, \\d{2} \\w{3} \\d{4} \\d{2}:\\d{2}:\\d{2} \\+0000$"_s);
    QVERIFY(date.match(result.value(u"created_at"_s).toString()).hasMatch());
    QVERIFY(result.value(u"to_user"_s).isNull());
    QVERIFY(result.contains(u"entities"_s));
    result = anyone->get(path, {{u"q"_s, u"paging test 4"_s}}).at(u"results/0"_s).toObject();
    QCOMPARE(result.value(u"to_user"_s).toString(), u"alice"_s);
    QCOMPARE(result.value(u"to_user_id_str"_s).toString(), alice->account().userId);
    QVERIFY(!result.contains(u"entities"_s));

    QCOMPARE(anyone->get(path, {{u"q"_s, u"x"_s}, {u"rpp"_s, u"many"_s}}).status, 400);
}

void TestSandboxDiscovery::searchByPlace()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    const QString helsinki =
        m_sandbox.anonymous()
            ->get(u"/1/geo/search.json"_s, {{u"query"_s, u"Helsinki, Finland"_s}})
            .at(u"result/places/0/id"_s)
            .toString();
    QVERIFY(!helsinki.isEmpty());
    const QString placed = post(alice, u"sauna time"_s, {{u"place_id"_s, helsinki}});
    const QString pinned =
        post(alice, u"sauna in Espoo"_s, {{u"lat"_s, u"60.205"_s}, {u"long"_s, u"24.65"_s}});
    post(alice, u"sauna somewhere"_s);
    post(alice, u"sauna in Tokyo"_s, {{u"lat"_s, u"35.68"_s}, {u"long"_s, u"139.69"_s}});
    const auto search = [this](const QString &geocode) {
        return resultIds(m_sandbox.anonymous()->get(
            u"/1/search.json"_s, {{u"q"_s, u"sauna"_s}, {u"geocode"_s, geocode}}));
    };
    // Central Helsinki with 15 miles takes in Espoo; 5 km does not.
    QCOMPARE(search(u"60.17,24.94,15mi"_s), (QStringList {pinned, placed}));
    QCOMPARE(search(u"60.205,24.65,5km"_s), QStringList {pinned});
    QCOMPARE(search(u"-33.9,18.4,100km"_s), QStringList {});
    for (const QString &bad : {u"60.17,24.94"_s, u"95,24.94,15mi"_s, u"60,24,15 miles"_s}) {
        const ApiResponse r = m_sandbox.anonymous()->get(
            u"/1/search.json"_s, {{u"q"_s, u"sauna"_s}, {u"geocode"_s, bad}});
        QCOMPARE(r.status, 400);
        QCOMPARE(r.error(), u"Invalid parameter: geocode"_s);
    }
}

void TestSandboxDiscovery::savedSearches()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const QString create = u"/1/saved_searches/create.json"_s;
    const QJsonObject first = alice->post(create, {{u"query"_s, u"#qt"_s}}).object();
    QCOMPARE(first.value(u"query"_s).toString(), u"#qt"_s);
    QCOMPARE(first.value(u"name"_s).toString(), u"#qt"_s);
    QVERIFY(first.value(u"position"_s).isNull());
    const QString id = first.value(u"id_str"_s).toString();
    QCOMPARE(alice->post(create, {{u"query"_s, u"#qt"_s}}).at(u"id_str"_s).toString(), id);
    alice->post(create, {{u"query"_s, u"sauna"_s}});
    QCOMPARE(alice->post(create).status, 400);

    const QJsonArray all = alice->get(u"/1/saved_searches.json"_s).array();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.first().toObject().value(u"query"_s).toString(), u"#qt"_s);
    QCOMPARE(bob->get(u"/1/saved_searches.json"_s).array().size(), 0);
    QCOMPARE(alice->get(u"/1/saved_searches/show/"_s + id + u".json"_s).object(), first);
    // Another's saved search does not exist for bob.
    QCOMPARE(bob->get(u"/1/saved_searches/show/"_s + id + u".json"_s).status, 404);
    QCOMPARE(bob->post(u"/1/saved_searches/destroy/"_s + id + u".json"_s).status, 404);
    QCOMPARE(alice->post(u"/1/saved_searches/destroy/"_s + id + u".json"_s).object(), first);
    QCOMPARE(alice->post(u"/1/saved_searches/destroy/"_s + id + u".json"_s).status, 404);
    QCOMPARE(alice->get(u"/1/saved_searches.json"_s).array().size(), 1);
}

void TestSandboxDiscovery::places()
{
    ApiClient *anyone = m_sandbox.anonymous();
    ApiResponse r =
        anyone->get(u"/1/geo/reverse_geocode.json"_s,
                    {{u"lat"_s, u"60.185"_s}, {u"long"_s, u"24.95"_s}, {u"max_results"_s, u"2"_s}});
    QJsonArray found = r.at(u"result/places"_s).toArray();
    // Nearest and smallest first: the neighbourhood, then its city.
    QCOMPARE(found.size(), 2);
    QCOMPARE(found.at(0).toObject().value(u"full_name"_s).toString(), u"Kallio, Helsinki"_s);
    QCOMPARE(found.at(1).toObject().value(u"full_name"_s).toString(), u"Helsinki, Finland"_s);
    QCOMPARE(r.at(u"query/type"_s).toString(), u"reverse_geocode"_s);
    const QJsonObject place = found.at(1).toObject();
    QCOMPARE(place.value(u"id"_s).toString().size(), 16);
    QCOMPARE(place.value(u"country_code"_s).toString(), u"FI"_s);
    QCOMPARE(jsonAt(place, u"bounding_box/coordinates/0"_s).toArray().size(), 4);

    // Nothing within 50 km of the middle of the ocean.
    r = anyone->get(u"/1/geo/reverse_geocode.json"_s, {{u"lat"_s, u"0"_s}, {u"long"_s, u"-30"_s}});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"result/places"_s).toArray().size(), 0);
    QCOMPARE(anyone->get(u"/1/geo/reverse_geocode.json"_s, {{u"lat"_s, u"60"_s}}).error(),
             u"Missing parameter: long"_s);

    r = anyone->get(u"/1/geo/id/"_s + place.value(u"id"_s).toString() + u".json"_s);
    QCOMPARE(r.object(), place);
    QCOMPARE(place.value(u"url"_s).toString(),
             m_sandbox.baseUrl().toString() + QUrl(place.value(u"url"_s).toString()).path());
    QCOMPARE(anyone->get(u"/1/geo/id/0000000000000000.json"_s).status, 404);
    found = anyone->get(u"/1/geo/search.json"_s, {{u"query"_s, u"helsinki"_s}})
                .at(u"result/places"_s)
                .toArray();
    QCOMPARE(found.size(), 3); // the city and two of its neighbourhoods
}

qint64 TestSandboxDiscovery::createList(const QString &owner, const QString &name, bool isPrivate,
                                        const QStringList &members)
{
    Database *db = m_sandbox.server()->database();
    const qint64 ownerId = m_sandbox.client(owner)->account().userId.toLongLong();
    const qint64 id = db->nextId(u"lists"_s, 300);
    db->exec(QStringLiteral("INSERT INTO lists (id, owner_id, name, slug, description, mode, "
                            "created_at) VALUES (?, ?, ?, ?, 'about', ?, ?)"),
             {id, ownerId, name, name.toLower(), isPrivate ? u"private"_s : u"public"_s, id});
    for (int i = 0; i < members.size(); ++i)
        db->exec(QStringLiteral(
                     "INSERT INTO list_members (list_id, user_id, created_at) VALUES (?, ?, ?)"),
                 {id, m_sandbox.client(members.at(i))->account().userId.toLongLong(), i});
    return id;
}

void TestSandboxDiscovery::listsOfAUser()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    for (int i = 0; i < 22; ++i)
        createList(u"alice"_s, u"list%1"_s.arg(i), false, {u"bob"_s});
    const qint64 secret = createList(u"alice"_s, u"secret"_s, true, {u"bob"_s});

    // 20 a page; the private list only for its owner.
    QJsonObject page = alice->get(u"/1/lists.json"_s).object();
    QCOMPARE(page.value(u"lists"_s).toArray().size(), 20);
    const QString next = page.value(u"next_cursor_str"_s).toString();
    QVERIFY(next != u"0"_s);
    page = alice->get(u"/1/lists.json"_s, {{u"cursor"_s, next}}).object();
    QCOMPARE(page.value(u"lists"_s).toArray().size(), 3);
    QCOMPARE(page.value(u"next_cursor_str"_s).toString(), u"0"_s);
    QVERIFY(page.value(u"previous_cursor_str"_s).toString() != u"0"_s);
    const QJsonObject last = page.value(u"lists"_s).toArray().last().toObject();
    QCOMPARE(last.value(u"mode"_s).toString(), u"private"_s);
    QCOMPARE(last.value(u"full_name"_s).toString(), u"@alice/secret"_s);
    QCOMPARE(jsonAt(last, u"user/screen_name"_s).toString(), u"alice"_s);
    QCOMPARE(last.value(u"member_count"_s).toInt(), 1);

    page = bob->get(u"/1/lists.json"_s, {{u"screen_name"_s, u"alice"_s}, {u"cursor"_s, next}})
               .object();
    QCOMPARE(page.value(u"lists"_s).toArray().size(), 2);
    // Memberships: bob was added to all of them; bob sees the public ones.
    int total = 0;
    QString cursor = u"-1"_s;
    do {
        page = bob->get(u"/1/lists/memberships.json"_s, {{u"cursor"_s, cursor}}).object();
        total += page.value(u"lists"_s).toArray().size();
        cursor = page.value(u"next_cursor_str"_s).toString();
    } while (cursor != u"0"_s);
    QCOMPARE(total, 22);
    QCOMPARE(bob->get(u"/1/lists/show.json"_s, {{u"list_id"_s, QString::number(secret)}}).status,
             404);
    QCOMPARE(alice->get(u"/1/lists/show.json"_s, {{u"list_id"_s, QString::number(secret)}}).status,
             200);
    QCOMPARE(bob->get(u"/1/users/show.json"_s, {{u"screen_name"_s, u"bob"_s}})
                 .at(u"listed_count"_s)
                 .toInt(),
             22);
}

void TestSandboxDiscovery::listContents()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    ApiClient *carol = m_sandbox.client(u"carol"_s);
    const qint64 list = createList(u"alice"_s, u"friends"_s, false, {u"bob"_s, u"carol"_s});
    const QString b = post(bob, u"bob on the list"_s);
    post(alice, u"alice is not on it"_s);
    const QString c = post(carol, u"carol on the list"_s);
    const QString rt =
        carol->post(u"/1/statuses/retweet/"_s + b + u".json"_s).at(u"id_str"_s).toString();
    const QString path = u"/1/lists/statuses.json"_s;
    const QString id = QString::number(list);
    QCOMPARE(SandboxFixture::ids(
                 alice->get(path, {{u"list_id"_s, id}, {u"include_rts"_s, u"true"_s}}).array()),
             (QStringList {rt, c, b}));
    QCOMPARE(SandboxFixture::ids(alice->get(path, {{u"list_id"_s, id}}).array()),
             (QStringList {c, b}));
    QCOMPARE(SandboxFixture::ids(alice
                                     ->get(path,
                                           {{u"list_id"_s, id},
                                            {u"include_rts"_s, u"1"_s},
                                            {u"per_page"_s, u"2"_s},
                                            {u"max_id"_s, c}})
                                     .array()),
             (QStringList {c, b}));
    QCOMPARE(alice->get(path, {{u"list_id"_s, u"999"_s}}).status, 404);
    QCOMPARE(alice->get(path).status, 400);

    const QJsonObject members =
        alice->get(u"/1/lists/members.json"_s, {{u"list_id"_s, id}}).object();
    QCOMPARE(members.value(u"users"_s).toArray().size(), 2);
    QCOMPARE(members.value(u"next_cursor_str"_s).toString(), u"0"_s);
}

void TestSandboxDiscovery::listSubscription()
{
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const qint64 list = createList(u"alice"_s, u"open"_s, false, {u"carol"_s});
    const qint64 closed = createList(u"alice"_s, u"closed"_s, true, {u"carol"_s});
    const Params which {{u"list_id"_s, QString::number(list)}};
    ApiResponse r = bob->post(u"/1/lists/subscribers/create.json"_s, which);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"following"_s).toBool(), true);
    QCOMPARE(r.at(u"subscriber_count"_s).toInt(), 1);
    QCOMPARE(
        bob->post(u"/1/lists/subscribers/create.json"_s, which).at(u"subscriber_count"_s).toInt(),
        1);
    QCOMPARE(bob->get(u"/1/lists/subscriptions.json"_s).at(u"lists"_s).toArray().size(), 1);
    QCOMPARE(m_sandbox.client(u"alice"_s)
                 ->get(u"/1/lists/show.json"_s, which)
                 .at(u"following"_s)
                 .toBool(),
             false);
    r = bob->post(u"/1/lists/subscribers/destroy.json"_s, which);
    QCOMPARE(r.at(u"following"_s).toBool(), false);
    QCOMPARE(bob->post(u"/1/lists/subscribers/destroy.json"_s, which).status, 200);
    QCOMPARE(bob->get(u"/1/lists/subscriptions.json"_s).at(u"lists"_s).toArray().size(), 0);
    QCOMPARE(
        bob->post(u"/1/lists/subscribers/create.json"_s, {{u"list_id"_s, QString::number(closed)}})
            .status,
        404);
}

void TestSandboxDiscovery::configuration()
{
    const QJsonObject config = m_sandbox.anonymous()->get(u"/1/help/configuration.json"_s).object();
    QCOMPARE(config.value(u"characters_reserved_per_media"_s).toInt(), 21);
    QCOMPARE(config.value(u"photo_size_limit"_s).toInt(), 3145728);
    QCOMPARE(config.value(u"max_media_per_upload"_s).toInt(), 1);
    QCOMPARE(config.value(u"short_url_length"_s).toInt(),
             m_sandbox.baseUrl().toString().size() + 8);
    QCOMPARE(config.value(u"short_url_length_https"_s), config.value(u"short_url_length"_s));
    QCOMPARE(jsonAt(config, u"photo_sizes/small/h"_s).toInt(), 480);
    QVERIFY(config.value(u"non_username_paths"_s).toArray().contains(u"settings"_s));
}

void TestSandboxDiscovery::linkPreviews()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *anyone = m_sandbox.anonymous();
    const QString path = u"/1/links/preview"_s;
    const auto preview = [&](const QString &url, const QString &size = QString()) {
        Params query {{u"url"_s, url}};
        if (!size.isEmpty())
            query.append({u"size"_s, size});
        return anyone->get(path, query);
    };

    // The picture hosts, with or without www, the same picture every time.
    ApiResponse r = preview(u"http://zirpic.net/AbC1"_s);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.header("Content-Type"), QByteArray("image/jpeg"));
    const QImage large = QImage::fromData(r.body);
    QVERIFY(large.width() <= 1024 && large.height() <= 1024 && !large.isNull());
    QCOMPARE(preview(u"http://www.zirpic.net/AbC1"_s).body, r.body);
    QVERIFY(preview(u"http://zirpic.net/XyZ9"_s).body != r.body);
    QCOMPARE(QImage::fromData(preview(u"https://imgzr.io/x-1"_s, u"thumb"_s).body).size(),
             QSize(150, 150));
    QCOMPARE(preview(u"http://snapzr.com/abc"_s).status, 200);
    QCOMPARE(preview(u"http://snapzr.com/"_s).status, 404);

    // Our own pictures, also through a wrapped link.
    const QByteArray png = SandboxFixture::picture(QSize(1600, 400), "PNG");
    const QJsonObject status =
        alice
            ->postMultipart(u"/1/statuses/update_with_media.json"_s,
                            {{u"status"_s, u"wide"_s}, {u"include_entities"_s, u"1"_s}},
                            {{u"media[]"_s, u"w.png"_s, "image/png", png}})
            .object();
    const QString mediaUrl = jsonAt(status, u"entities/media/0/media_url"_s).toString();
    QCOMPARE(QImage::fromData(preview(mediaUrl).body).size(), QSize(1024, 256));
    QCOMPARE(QImage::fromData(preview(mediaUrl, u"thumb"_s).body).size(), QSize(150, 150));
    const QString avatar = jsonAt(status, u"user/profile_image_url"_s).toString();
    QCOMPARE(preview(avatar).status, 200);
    const QString wrapped =
        alice->post(u"/1/links/shorten.json"_s, {{u"url"_s, u"http://imgzr.io/Wrapped"_s}})
            .at(u"url"_s)
            .toString();
    QCOMPARE(preview(wrapped).body, preview(u"http://imgzr.io/Wrapped"_s).body);

    // Everything else is not previewed.
    for (const QString &other :
         {u"http://example.org/picture.jpg"_s, u"ftp://zirpic.net/AbC1"_s, u"not a url"_s,
          m_sandbox.baseUrl().toString() + u"/media/pics/1000000000900009999.jpg"_s,
          m_sandbox.baseUrl().toString() + u"/l/nothere"_s}) {
        QCOMPARE(preview(other).status, 404);
    }
    QCOMPARE(preview(u"http://zirpic.net/AbC1"_s, u"huge"_s).status, 400);
    QCOMPARE(anyone->get(path).status, 400);
}

QTEST_MAIN(TestSandboxDiscovery)
#include "tst_sandbox_discovery.moc"
