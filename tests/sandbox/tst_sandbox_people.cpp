// People in zirrup-sandbox: users, search, followers and following, friendships, blocks,
// the own account and direct messages.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"

#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSandboxPeople : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void showAndLookup();
    void peopleSearch();
    void friendships();
    void followIdsAreCursored();
    void blocks();
    void profileUpdate();
    void profilePicture();
    void directMessages();
    void directMessageRefusals();

private:
    SandboxFixture m_sandbox;
};

void TestSandboxPeople::init()
{
    QVERIFY(m_sandbox.start());
}

void TestSandboxPeople::showAndLookup()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const QString show = u"/1/users/show.json"_s;
    ApiResponse r = alice->get(show, {{u"screen_name"_s, u"BOB"_s}});
    QCOMPARE(r.status, 200);
    const QJsonObject user = r.object();
    QCOMPARE(user.value(u"screen_name"_s).toString(), u"bob"_s);
    QCOMPARE(user.value(u"id_str"_s).toString(), bob->account().userId);
    for (const char *key :
         {"followers_count", "friends_count", "statuses_count", "favourites_count", "listed_count"})
        QVERIFY2(user.value(QLatin1String(key)).isDouble(), key);
    for (const char *key : {"location", "description", "url"})
        QVERIFY2(user.value(QLatin1String(key)).isNull(), key);
    QCOMPARE(user.value(u"following"_s).toBool(), false);
    // Without an own picture: one of the default pictures.
    QVERIFY(user.value(u"profile_image_url"_s)
                .toString()
                .contains(u"/media/avatars/default_profile_"_s));
    QCOMPARE(
        alice->get(show, {{u"user_id"_s, bob->account().userId}}).at(u"screen_name"_s).toString(),
        u"bob"_s);
    QCOMPARE(alice->get(show, {{u"screen_name"_s, u"nobody"_s}}).status, 404);
    QCOMPARE(alice->get(show, {{u"user_id"_s, u"999999"_s}}).status, 404);
    QCOMPARE(alice->get(show).status, 400);

    // Lookups keep the order asked and leave out the unknown.
    const QString lookup = u"/1/users/lookup.json"_s;
    r = alice->get(lookup, {{u"screen_name"_s, u"bob,nobody,Alice"_s}});
    QCOMPARE(r.array().size(), 2);
    QCOMPARE(r.at(u"0/screen_name"_s).toString(), u"bob"_s);
    QCOMPARE(r.at(u"1/screen_name"_s).toString(), u"alice"_s);
    r = alice->get(lookup,
                   {{u"user_id"_s, alice->account().userId + u","_s + bob->account().userId}});
    QCOMPARE(SandboxFixture::ids(r.array()),
             (QStringList {alice->account().userId, bob->account().userId}));
    QStringList many;
    for (int i = 0; i < 101; ++i)
        many.append(QString::number(1000 + i));
    QCOMPARE(alice->get(lookup, {{u"user_id"_s, many.join(QLatin1Char(','))}}).status, 400);
    QCOMPARE(alice->get(lookup, {{u"user_id"_s, u"12,x"_s}}).status, 400);
}

void TestSandboxPeople::peopleSearch()
{
    for (const char *name : {"ann", "anna", "joanna", "annabel", "bob"})
        m_sandbox.client(QLatin1String(name));
    m_sandbox.server()->database()->exec(
        u"UPDATE users SET name = 'Hannah Annberg' WHERE screen_name = 'bob'"_s);
    ApiClient *ann = m_sandbox.client(u"ann"_s);
    const QString path = u"/1/users/search.json"_s;
    const auto names = [](const QJsonArray &users) {
        QStringList result;
        for (const QJsonValue &u : users)
            result.append(u.toObject().value(u"screen_name"_s).toString());
        return result;
    };
    // Exact name, then names beginning with it, then the rest (also by display name).
    QCOMPARE(names(ann->get(path, {{u"q"_s, u"ANNA"_s}}).array()),
             (QStringList {u"anna"_s, u"annabel"_s, u"bob"_s, u"joanna"_s}));
    QCOMPARE(
        names(ann->get(path, {{u"q"_s, u"anna"_s}, {u"per_page"_s, u"2"_s}, {u"page"_s, u"2"_s}})
                  .array()),
        (QStringList {u"bob"_s, u"joanna"_s}));
    QCOMPARE(ann->get(path, {{u"q"_s, u"zz"_s}}).array().size(), 0);
    QCOMPARE(ann->get(path).status, 400);
}

void TestSandboxPeople::friendships()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    m_sandbox.client(u"bob"_s);
    const QString create = u"/1/friendships/create.json"_s;
    const QString exists = u"/1/friendships/exists.json"_s;
    const Params bob {{u"screen_name"_s, u"bob"_s}};
    ApiResponse r = alice->post(create, bob);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"following"_s).toBool(), true);
    QCOMPARE(r.at(u"followers_count"_s).toInt(), 1);
    QCOMPARE(alice->post(create, bob).at(u"followers_count"_s).toInt(), 1);
    QCOMPARE(alice->get(exists, {{u"user_a"_s, u"alice"_s}, {u"user_b"_s, u"bob"_s}}).object(),
             (QJsonObject {{u"friends"_s, true}}));
    QCOMPARE(alice->get(exists, {{u"user_a"_s, u"bob"_s}, {u"user_b"_s, u"alice"_s}})
                 .at(u"friends"_s)
                 .toBool(),
             false);
    QCOMPARE(alice->get(exists, {{u"user_a"_s, u"bob"_s}, {u"user_b"_s, u"nobody"_s}}).status, 404);
    QCOMPARE(alice->get(exists, {{u"user_a"_s, u"bob"_s}}).status, 400);
    QCOMPARE(alice->get(u"/1/users/show.json"_s, bob).at(u"following"_s).toBool(), true);
    QCOMPARE(alice->post(create, {{u"screen_name"_s, u"alice"_s}}).status, 403);
    QCOMPARE(alice->post(create, {{u"screen_name"_s, u"nobody"_s}}).status, 404);

    r = alice->post(u"/1/friendships/destroy.json"_s, bob);
    QCOMPARE(r.at(u"following"_s).toBool(), false);
    QCOMPARE(alice->post(u"/1/friendships/destroy.json"_s, bob).status, 200);
    QCOMPARE(alice->get(exists, {{u"user_a"_s, u"alice"_s}, {u"user_b"_s, u"bob"_s}})
                 .at(u"friends"_s)
                 .toBool(),
             false);
}

void TestSandboxPeople::followIdsAreCursored()
{
    ApiClient *star = m_sandbox.client(u"star"_s);
    ApiClient *fan = m_sandbox.client(u"fan"_s);
    QCOMPARE(fan->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"star"_s}}).status,
             200);
    // 5001 more followers, written straight into the database.
    Database *db = m_sandbox.server()->database();
    {
        Database::Transaction tx(db);
        for (int i = 0; i < 5001; ++i) {
            db->exec(
                QStringLiteral(
                    "INSERT INTO follows (follower_id, followee_id, created_at) VALUES (?, ?, ?)"),
                {100000 + i, star->account().userId.toLongLong(), 1000 + i});
        }
        tx.commit();
    }
    const QString followers = u"/1/followers/ids.json"_s;
    ApiResponse r = fan->get(followers, {{u"screen_name"_s, u"star"_s}, {u"cursor"_s, u"-1"_s}});
    QJsonObject page = r.object();
    QCOMPARE(page.value(u"ids"_s).toArray().size(), 5000);
    // Most recent first, ids as strings.
    QCOMPARE(jsonAt(page, u"ids/0"_s).toString(), fan->account().userId);
    QCOMPARE(page.value(u"previous_cursor_str"_s).toString(), u"0"_s);
    const QString next = page.value(u"next_cursor_str"_s).toString();
    QVERIFY(next != u"0"_s);
    QCOMPARE(QString::number(page.value(u"next_cursor"_s).toInteger()), next);
    page =
        fan->get(followers, {{u"user_id"_s, star->account().userId}, {u"cursor"_s, next}}).object();
    QCOMPARE(page.value(u"ids"_s).toArray().size(), 2);
    QCOMPARE(page.value(u"ids"_s).toArray().last().toString(), u"100000"_s);
    QCOMPARE(page.value(u"next_cursor"_s).toInteger(), 0);

    const QJsonObject friends =
        star->get(u"/1/friends/ids.json"_s, {{u"screen_name"_s, u"fan"_s}}).object();
    QCOMPARE(friends.value(u"ids"_s).toArray(), (QJsonArray {star->account().userId}));
    QCOMPARE(fan->get(u"/1/friends/ids.json"_s).at(u"ids"_s).toArray().size(), 1);
    QCOMPARE(fan->get(followers, {{u"cursor"_s, u"x"_s}}).status, 400);
}

void TestSandboxPeople::blocks()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    m_sandbox.client(u"carol"_s);
    bob->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"alice"_s}});
    const QString ids = u"/1/blocks/blocking/ids.json"_s;
    QCOMPARE(alice->get(ids).array().size(), 0);
    for (const char *name : {"bob", "carol", "bob"})
        QCOMPARE(alice->post(u"/1/blocks/create.json"_s, {{u"screen_name"_s, QLatin1String(name)}})
                     .status,
                 200);
    const QJsonArray blocked = alice->get(ids).array();
    QCOMPARE(blocked.size(), 2);
    QVERIFY(blocked.contains(bob->account().userId)); // strings, not numbers
    // The block ended bob's following.
    QCOMPARE(alice->get(u"/1/users/show.json"_s, {{u"screen_name"_s, u"alice"_s}})
                 .at(u"followers_count"_s)
                 .toInt(),
             0);
    QCOMPARE(
        alice->post(u"/1/blocks/destroy.json"_s, {{u"user_id"_s, bob->account().userId}}).status,
        200);
    QCOMPARE(
        alice->post(u"/1/blocks/destroy.json"_s, {{u"user_id"_s, bob->account().userId}}).status,
        200);
    QCOMPARE(alice->get(ids).array().size(), 1);
    QCOMPARE(alice->post(u"/1/blocks/create.json"_s, {{u"screen_name"_s, u"alice"_s}}).status, 403);
}

void TestSandboxPeople::profileUpdate()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    const QString path = u"/1/account/update_profile.json"_s;
    ApiResponse r = alice->post(path,
                                {{u"name"_s, u"Alice L."_s},
                                 {u"location"_s, u"Oxford"_s},
                                 {u"description"_s, u"Down the rabbit hole & back"_s},
                                 {u"url"_s, u"http://example.org/alice"_s}});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"name"_s).toString(), u"Alice L."_s);
    QCOMPARE(r.at(u"description"_s).toString(), u"Down the rabbit hole & back"_s);
    // Absent fields stay, empty ones are cleared.
    r = alice->post(path, {{u"location"_s, QString()}});
    QCOMPARE(r.at(u"name"_s).toString(), u"Alice L."_s);
    QVERIFY(r.at(u"location"_s).isNull());
    QCOMPARE(r.at(u"url"_s).toString(), u"http://example.org/alice"_s);
    QCOMPARE(alice->get(u"/1/account/verify_credentials.json"_s).at(u"name"_s).toString(),
             u"Alice L."_s);

    const struct
    {
        const char *field;
        int length;
    } tooLong[] = {{"name", 21}, {"url", 101}, {"location", 31}, {"description", 161}, {"name", 0}};
    for (const auto &c : tooLong) {
        r = alice->post(path, {{QLatin1String(c.field), QString(c.length, QLatin1Char('x'))}});
        QCOMPARE(r.status, 403);
        QCOMPARE(r.error(), u"Invalid parameter: "_s + QLatin1String(c.field));
    }
    // The limits themselves are fine; nothing of a refused update was kept.
    QCOMPARE(alice
                 ->post(path,
                        {{u"name"_s, QString(20, QLatin1Char('n'))},
                         {u"description"_s, QString(160, QLatin1Char('d'))}})
                 .status,
             200);
    r = alice->post(path,
                    {{u"location"_s, u"Wonderland"_s}, {u"name"_s, QString(21, QLatin1Char('x'))}});
    QCOMPARE(r.status, 403);
    QVERIFY(alice->get(u"/1/account/verify_credentials.json"_s).at(u"location"_s).isNull());
}

void TestSandboxPeople::profilePicture()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *anyone = m_sandbox.anonymous();
    const QString path = u"/1/account/update_profile_image.json"_s;
    const QString before =
        alice->get(u"/1/account/verify_credentials.json"_s).at(u"profile_image_url"_s).toString();
    // The default pictures exist in the two list sizes, not as originals.
    QCOMPARE(QImage::fromData(anyone->get(QUrl(before).path()).body).size(), QSize(48, 48));
    QCOMPARE(
        QImage::fromData(anyone->get(QUrl(before).path().replace(u"_normal"_s, u"_bigger"_s)).body)
            .size(),
        QSize(73, 73));
    QCOMPARE(anyone->get(QUrl(before).path().replace(u"_normal"_s, QString())).status, 404);

    ApiResponse r = alice->postMultipart(path, {},
                                         {{u"image"_s, u"me.jpg"_s, "image/jpeg",
                                           SandboxFixture::picture(QSize(1200, 800), "JPEG")}});
    QCOMPARE(r.status, 200);
    const QString first = r.at(u"profile_image_url"_s).toString();
    QVERIFY(first != before);
    QVERIFY(first.contains(u"_normal."_s));
    QCOMPARE(QImage::fromData(anyone->get(QUrl(first).path()).body).size(), QSize(48, 48));
    QCOMPARE(
        QImage::fromData(anyone->get(QUrl(first).path().replace(u"_normal"_s, u"_bigger"_s)).body)
            .size(),
        QSize(73, 73));
    // The original is kept at most 500 x 500.
    const ApiResponse original = anyone->get(QUrl(first).path().replace(u"_normal"_s, QString()));
    QCOMPARE(original.status, 200);
    QCOMPARE(QImage::fromData(original.body).size(), QSize(500, 333));

    // Each upload has a new name; the old one is gone.
    r = alice->postMultipart(
        path, {},
        {{u"image"_s, u"me.png"_s, "image/png", SandboxFixture::picture(QSize(64, 64), "PNG")}});
    const QString second = r.at(u"profile_image_url"_s).toString();
    QVERIFY(second != first);
    QCOMPARE(anyone->get(QUrl(first).path()).status, 404);
    // Statuses show the new one.
    const QJsonObject status =
        alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"new face"_s}}).object();
    QCOMPARE(jsonAt(status, u"user/profile_image_url"_s).toString(), second);

    r = alice->postMultipart(path, {}, {});
    QCOMPARE(r.error(), u"Missing parameter: image"_s);
    r = alice->postMultipart(path, {}, {{u"image"_s, u"x.png"_s, "image/png", "not a picture"}});
    QCOMPARE(r.error(), u"Invalid parameter: image"_s);
    QByteArray big = SandboxFixture::picture(QSize(16, 16), "PNG");
    big.append(QByteArray(700 * 1024, '\0'));
    r = alice->postMultipart(path, {}, {{u"image"_s, u"big.png"_s, "image/png", big}});
    QCOMPARE(r.error(), u"Invalid parameter: image"_s);
}

void TestSandboxPeople::directMessages()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    // Only a follower can be written to.
    QCOMPARE(bob->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"alice"_s}}).status,
             200);
    QCOMPARE(alice->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"bob"_s}}).status,
             200);
    const QString send = u"/1/direct_messages/new.json"_s;
    QStringList sent;
    for (int i = 0; i < 3; ++i) {
        const ApiResponse r =
            alice->post(send,
                        {{u"screen_name"_s, u"bob"_s},
                         {u"text"_s, u"Lunch at %1? <3 http://example.org/menu"_s.arg(11 + i)},
                         {u"include_entities"_s, u"true"_s}});
        QCOMPARE(r.status, 200);
        sent.prepend(r.at(u"id_str"_s).toString());
    }
    const QString reply =
        bob->post(send, {{u"user_id"_s, alice->account().userId}, {u"text"_s, u"Sure"_s}})
            .at(u"id_str"_s)
            .toString();

    const QJsonArray received =
        bob->get(u"/1/direct_messages.json"_s, {{u"include_entities"_s, u"1"_s}}).array();
    QCOMPARE(SandboxFixture::ids(received), sent);
    const QJsonObject message = received.first().toObject();
    QVERIFY(message.value(u"id_str"_s).toString().size() == 19);
    QCOMPARE(message.value(u"sender_screen_name"_s).toString(), u"alice"_s);
    QCOMPARE(message.value(u"recipient_screen_name"_s).toString(), u"bob"_s);
    QCOMPARE(message.value(u"sender_id_str"_s).toString(), alice->account().userId);
    QCOMPARE(jsonAt(message, u"sender/screen_name"_s).toString(), u"alice"_s);
    QCOMPARE(jsonAt(message, u"recipient/screen_name"_s).toString(), u"bob"_s);
    QVERIFY(message.value(u"text"_s).toString().startsWith(u"Lunch at 13? &lt;3 "_s));
    // Links in messages are wrapped like those in statuses.
    const QJsonObject link = jsonAt(message, u"entities/urls/0"_s).toObject();
    QCOMPARE(link.value(u"expanded_url"_s).toString(), u"http://example.org/menu"_s);
    const QJsonArray indices = link.value(u"indices"_s).toArray();
    QCOMPARE(message.value(u"text"_s).toString().mid(indices.at(0).toInt(),
                                                     indices.at(1).toInt() - indices.at(0).toInt()),
             link.value(u"url"_s).toString());

    // Paging like a timeline.
    QCOMPARE(SandboxFixture::ids(
                 bob->get(u"/1/direct_messages.json"_s, {{u"count"_s, u"1"_s}, {u"page"_s, u"2"_s}})
                     .array()),
             QStringList {sent.at(1)});
    QCOMPARE(SandboxFixture::ids(
                 bob->get(u"/1/direct_messages.json"_s, {{u"since_id"_s, sent.at(1)}}).array()),
             QStringList {sent.at(0)});
    QCOMPARE(SandboxFixture::ids(
                 bob->get(u"/1/direct_messages.json"_s, {{u"max_id"_s, sent.at(1)}}).array()),
             sent.mid(1));
    QCOMPARE(SandboxFixture::ids(alice->get(u"/1/direct_messages/sent.json"_s).array()), sent);
    QCOMPARE(SandboxFixture::ids(alice->get(u"/1/direct_messages.json"_s).array()),
             QStringList {reply});

    // Deleting takes it away from both sides; only the two of them may.
    ApiClient *carol = m_sandbox.client(u"carol"_s);
    const QString destroy = u"/1/direct_messages/destroy/"_s + sent.first() + u".json"_s;
    QCOMPARE(carol->post(destroy).status, 404);
    ApiResponse r = bob->post(destroy);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"id_str"_s).toString(), sent.first());
    QCOMPARE(SandboxFixture::ids(alice->get(u"/1/direct_messages/sent.json"_s).array()),
             sent.mid(1));
    QCOMPARE(bob->post(destroy).status, 404);
}

void TestSandboxPeople::directMessageRefusals()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    m_sandbox.client(u"bob"_s);
    const QString send = u"/1/direct_messages/new.json"_s;
    ApiResponse r = alice->post(send, {{u"screen_name"_s, u"bob"_s}, {u"text"_s, u"hi"_s}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), u"You cannot send messages to users who are not following you."_s);
    QCOMPARE(alice->post(send, {{u"screen_name"_s, u"nobody"_s}, {u"text"_s, u"hi"_s}}).status,
             404);
    r = alice->post(send, {{u"screen_name"_s, u"bob"_s}, {u"text"_s, u" "_s}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), u"Missing parameter: text"_s);
    m_sandbox.client(u"bob"_s)->post(u"/1/friendships/create.json"_s,
                                     {{u"screen_name"_s, u"alice"_s}});
    QCOMPARE(alice
                 ->post(send,
                        {{u"screen_name"_s, u"bob"_s}, {u"text"_s, QString(140, QLatin1Char('m'))}})
                 .status,
             200);
    r = alice->post(send,
                    {{u"screen_name"_s, u"bob"_s}, {u"text"_s, QString(141, QLatin1Char('m'))}});
    QCOMPARE(r.status, 403);
    QCOMPARE(alice->get(u"/1/direct_messages/sent.json"_s).array().size(), 1);
}

QTEST_MAIN(TestSandboxPeople)
#include "tst_sandbox_people.moc"
