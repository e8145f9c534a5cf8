// People in zirrup-sandbox: users, search, followers and following, friendships, blocks,
// the own account and direct messages.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"

#include <QImage>
#include <QtTest>

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
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const QString show = QStringLiteral("/1/users/show.json");
    ApiResponse r = alice->get(show, {{QStringLiteral("screen_name"), QStringLiteral("BOB")}});
    QCOMPARE(r.status, 200);
    const QJsonObject user = r.object();
    QCOMPARE(user.value(QStringLiteral("screen_name")).toString(), QStringLiteral("bob"));
    QCOMPARE(user.value(QStringLiteral("id_str")).toString(), bob->account().userId);
    for (const char *key :
         {"followers_count", "friends_count", "statuses_count", "favourites_count", "listed_count"})
        QVERIFY2(user.value(QLatin1String(key)).isDouble(), key);
    for (const char *key : {"location", "description", "url"})
        QVERIFY2(user.value(QLatin1String(key)).isNull(), key);
    QCOMPARE(user.value(QStringLiteral("following")).toBool(), false);
    // Without an own picture: one of the default pictures.
    QVERIFY(user.value(QStringLiteral("profile_image_url"))
                .toString()
                .contains(QStringLiteral("/media/avatars/default_profile_")));
    QCOMPARE(alice->get(show, {{QStringLiteral("user_id"), bob->account().userId}})
                 .object()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("bob"));
    QCOMPARE(alice->get(show, {{QStringLiteral("screen_name"), QStringLiteral("nobody")}}).status,
             404);
    QCOMPARE(alice->get(show, {{QStringLiteral("user_id"), QStringLiteral("999999")}}).status, 404);
    QCOMPARE(alice->get(show).status, 400);

    // Lookups keep the order asked and leave out the unknown.
    const QString lookup = QStringLiteral("/1/users/lookup.json");
    r = alice->get(lookup, {{QStringLiteral("screen_name"), QStringLiteral("bob,nobody,Alice")}});
    QCOMPARE(r.array().size(), 2);
    QCOMPARE(r.array().at(0).toObject().value(QStringLiteral("screen_name")).toString(),
             QStringLiteral("bob"));
    QCOMPARE(r.array().at(1).toObject().value(QStringLiteral("screen_name")).toString(),
             QStringLiteral("alice"));
    r = alice->get(lookup,
                   {{QStringLiteral("user_id"),
                     alice->account().userId + QStringLiteral(",") + bob->account().userId}});
    QCOMPARE(SandboxFixture::ids(r.array()),
             (QStringList {alice->account().userId, bob->account().userId}));
    QStringList many;
    for (int i = 0; i < 101; ++i)
        many.append(QString::number(1000 + i));
    QCOMPARE(alice->get(lookup, {{QStringLiteral("user_id"), many.join(QLatin1Char(','))}}).status,
             400);
    QCOMPARE(alice->get(lookup, {{QStringLiteral("user_id"), QStringLiteral("12,x")}}).status, 400);
}

void TestSandboxPeople::peopleSearch()
{
    for (const char *name : {"ann", "anna", "joanna", "annabel", "bob"})
        m_sandbox.client(QLatin1String(name));
    m_sandbox.server()->database()->exec(
        QStringLiteral("UPDATE users SET name = 'Hannah Annberg' WHERE screen_name = 'bob'"));
    ApiClient *ann = m_sandbox.client(QStringLiteral("ann"));
    const QString path = QStringLiteral("/1/users/search.json");
    const auto names = [](const QJsonArray &users) {
        QStringList result;
        for (const QJsonValue &u : users)
            result.append(u.toObject().value(QStringLiteral("screen_name")).toString());
        return result;
    };
    // Exact name, then names beginning with it, then the rest (also by display name).
    QCOMPARE(names(ann->get(path, {{QStringLiteral("q"), QStringLiteral("ANNA")}}).array()),
             (QStringList {QStringLiteral("anna"), QStringLiteral("annabel"), QStringLiteral("bob"),
                           QStringLiteral("joanna")}));
    QCOMPARE(names(ann->get(path,
                            {{QStringLiteral("q"), QStringLiteral("anna")},
                             {QStringLiteral("per_page"), QStringLiteral("2")},
                             {QStringLiteral("page"), QStringLiteral("2")}})
                       .array()),
             (QStringList {QStringLiteral("bob"), QStringLiteral("joanna")}));
    QCOMPARE(ann->get(path, {{QStringLiteral("q"), QStringLiteral("zz")}}).array().size(), 0);
    QCOMPARE(ann->get(path).status, 400);
}

void TestSandboxPeople::friendships()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    m_sandbox.client(QStringLiteral("bob"));
    const QString create = QStringLiteral("/1/friendships/create.json");
    const QString exists = QStringLiteral("/1/friendships/exists.json");
    const Params bob {{QStringLiteral("screen_name"), QStringLiteral("bob")}};
    ApiResponse r = alice->post(create, bob);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object().value(QStringLiteral("following")).toBool(), true);
    QCOMPARE(r.object().value(QStringLiteral("followers_count")).toInt(), 1);
    QCOMPARE(alice->post(create, bob).object().value(QStringLiteral("followers_count")).toInt(), 1);
    QCOMPARE(alice
                 ->get(exists,
                       {{QStringLiteral("user_a"), QStringLiteral("alice")},
                        {QStringLiteral("user_b"), QStringLiteral("bob")}})
                 .object(),
             (QJsonObject {{QStringLiteral("friends"), true}}));
    QCOMPARE(alice
                 ->get(exists,
                       {{QStringLiteral("user_a"), QStringLiteral("bob")},
                        {QStringLiteral("user_b"), QStringLiteral("alice")}})
                 .object()
                 .value(QStringLiteral("friends"))
                 .toBool(),
             false);
    QCOMPARE(alice
                 ->get(exists,
                       {{QStringLiteral("user_a"), QStringLiteral("bob")},
                        {QStringLiteral("user_b"), QStringLiteral("nobody")}})
                 .status,
             404);
    QCOMPARE(alice->get(exists, {{QStringLiteral("user_a"), QStringLiteral("bob")}}).status, 400);
    QCOMPARE(alice->get(QStringLiteral("/1/users/show.json"), bob)
                 .object()
                 .value(QStringLiteral("following"))
                 .toBool(),
             true);
    QCOMPARE(alice->post(create, {{QStringLiteral("screen_name"), QStringLiteral("alice")}}).status,
             403);
    QCOMPARE(
        alice->post(create, {{QStringLiteral("screen_name"), QStringLiteral("nobody")}}).status,
        404);

    r = alice->post(QStringLiteral("/1/friendships/destroy.json"), bob);
    QCOMPARE(r.object().value(QStringLiteral("following")).toBool(), false);
    QCOMPARE(alice->post(QStringLiteral("/1/friendships/destroy.json"), bob).status, 200);
    QCOMPARE(alice
                 ->get(exists,
                       {{QStringLiteral("user_a"), QStringLiteral("alice")},
                        {QStringLiteral("user_b"), QStringLiteral("bob")}})
                 .object()
                 .value(QStringLiteral("friends"))
                 .toBool(),
             false);
}

void TestSandboxPeople::followIdsAreCursored()
{
    ApiClient *star = m_sandbox.client(QStringLiteral("star"));
    ApiClient *fan = m_sandbox.client(QStringLiteral("fan"));
    QCOMPARE(fan->post(QStringLiteral("/1/friendships/create.json"),
                       {{QStringLiteral("screen_name"), QStringLiteral("star")}})
                 .status,
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
    const QString followers = QStringLiteral("/1/followers/ids.json");
    ApiResponse r = fan->get(followers,
                             {{QStringLiteral("screen_name"), QStringLiteral("star")},
                              {QStringLiteral("cursor"), QStringLiteral("-1")}});
    QJsonObject page = r.object();
    QCOMPARE(page.value(QStringLiteral("ids")).toArray().size(), 5000);
    // Most recent first, ids as strings.
    QCOMPARE(page.value(QStringLiteral("ids")).toArray().first().toString(), fan->account().userId);
    QCOMPARE(page.value(QStringLiteral("previous_cursor_str")).toString(), QStringLiteral("0"));
    const QString next = page.value(QStringLiteral("next_cursor_str")).toString();
    QVERIFY(next != QStringLiteral("0"));
    QCOMPARE(QString::number(page.value(QStringLiteral("next_cursor")).toInteger()), next);
    page = fan->get(followers,
                    {{QStringLiteral("user_id"), star->account().userId},
                     {QStringLiteral("cursor"), next}})
               .object();
    QCOMPARE(page.value(QStringLiteral("ids")).toArray().size(), 2);
    QCOMPARE(page.value(QStringLiteral("ids")).toArray().last().toString(),
             QStringLiteral("100000"));
    QCOMPARE(page.value(QStringLiteral("next_cursor")).toInteger(), 0);

    const QJsonObject friends = star->get(QStringLiteral("/1/friends/ids.json"),
                                          {{QStringLiteral("screen_name"), QStringLiteral("fan")}})
                                    .object();
    QCOMPARE(friends.value(QStringLiteral("ids")).toArray(), (QJsonArray {star->account().userId}));
    QCOMPARE(fan->get(QStringLiteral("/1/friends/ids.json"))
                 .object()
                 .value(QStringLiteral("ids"))
                 .toArray()
                 .size(),
             1);
    QCOMPARE(fan->get(followers, {{QStringLiteral("cursor"), QStringLiteral("x")}}).status, 400);
}

void TestSandboxPeople::blocks()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    m_sandbox.client(QStringLiteral("carol"));
    bob->post(QStringLiteral("/1/friendships/create.json"),
              {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    const QString ids = QStringLiteral("/1/blocks/blocking/ids.json");
    QCOMPARE(alice->get(ids).array().size(), 0);
    for (const char *name : {"bob", "carol", "bob"})
        QCOMPARE(alice
                     ->post(QStringLiteral("/1/blocks/create.json"),
                            {{QStringLiteral("screen_name"), QLatin1String(name)}})
                     .status,
                 200);
    const QJsonArray blocked = alice->get(ids).array();
    QCOMPARE(blocked.size(), 2);
    QVERIFY(blocked.contains(bob->account().userId)); // strings, not numbers
    // The block ended bob's following.
    QCOMPARE(alice
                 ->get(QStringLiteral("/1/users/show.json"),
                       {{QStringLiteral("screen_name"), QStringLiteral("alice")}})
                 .object()
                 .value(QStringLiteral("followers_count"))
                 .toInt(),
             0);
    QCOMPARE(alice
                 ->post(QStringLiteral("/1/blocks/destroy.json"),
                        {{QStringLiteral("user_id"), bob->account().userId}})
                 .status,
             200);
    QCOMPARE(alice
                 ->post(QStringLiteral("/1/blocks/destroy.json"),
                        {{QStringLiteral("user_id"), bob->account().userId}})
                 .status,
             200);
    QCOMPARE(alice->get(ids).array().size(), 1);
    QCOMPARE(alice
                 ->post(QStringLiteral("/1/blocks/create.json"),
                        {{QStringLiteral("screen_name"), QStringLiteral("alice")}})
                 .status,
             403);
}

void TestSandboxPeople::profileUpdate()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    const QString path = QStringLiteral("/1/account/update_profile.json");
    ApiResponse r =
        alice->post(path,
                    {{QStringLiteral("name"), QStringLiteral("Alice L.")},
                     {QStringLiteral("location"), QStringLiteral("Oxford")},
                     {QStringLiteral("description"), QStringLiteral("Down the rabbit hole & back")},
                     {QStringLiteral("url"), QStringLiteral("http://example.org/alice")}});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object().value(QStringLiteral("name")).toString(), QStringLiteral("Alice L."));
    QCOMPARE(r.object().value(QStringLiteral("description")).toString(),
             QStringLiteral("Down the rabbit hole & back"));
    // Absent fields stay, empty ones are cleared.
    r = alice->post(path, {{QStringLiteral("location"), QString()}});
    QCOMPARE(r.object().value(QStringLiteral("name")).toString(), QStringLiteral("Alice L."));
    QVERIFY(r.object().value(QStringLiteral("location")).isNull());
    QCOMPARE(r.object().value(QStringLiteral("url")).toString(),
             QStringLiteral("http://example.org/alice"));
    QCOMPARE(alice->get(QStringLiteral("/1/account/verify_credentials.json"))
                 .object()
                 .value(QStringLiteral("name"))
                 .toString(),
             QStringLiteral("Alice L."));

    const struct
    {
        const char *field;
        int length;
    } tooLong[] = {{"name", 21}, {"url", 101}, {"location", 31}, {"description", 161}, {"name", 0}};
    for (const auto &c : tooLong) {
        r = alice->post(path, {{QLatin1String(c.field), QString(c.length, QLatin1Char('x'))}});
        QCOMPARE(r.status, 403);
        QCOMPARE(r.error(), QStringLiteral("Invalid parameter: ") + QLatin1String(c.field));
    }
    // The limits themselves are fine; nothing of a refused update was kept.
    QCOMPARE(alice
                 ->post(path,
                        {{QStringLiteral("name"), QString(20, QLatin1Char('n'))},
                         {QStringLiteral("description"), QString(160, QLatin1Char('d'))}})
                 .status,
             200);
    r = alice->post(path,
                    {{QStringLiteral("location"), QStringLiteral("Wonderland")},
                     {QStringLiteral("name"), QString(21, QLatin1Char('x'))}});
    QCOMPARE(r.status, 403);
    QVERIFY(alice->get(QStringLiteral("/1/account/verify_credentials.json"))
                .object()
                .value(QStringLiteral("location"))
                .isNull());
}

void TestSandboxPeople::profilePicture()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *anyone = m_sandbox.anonymous();
    const QString path = QStringLiteral("/1/account/update_profile_image.json");
    const QString before = alice->get(QStringLiteral("/1/account/verify_credentials.json"))
                               .object()
                               .value(QStringLiteral("profile_image_url"))
                               .toString();
    // The default pictures exist in the two list sizes, not as originals.
    QCOMPARE(QImage::fromData(anyone->get(QUrl(before).path()).body).size(), QSize(48, 48));
    QCOMPARE(QImage::fromData(anyone
                                  ->get(QUrl(before).path().replace(QStringLiteral("_normal"),
                                                                    QStringLiteral("_bigger")))
                                  .body)
                 .size(),
             QSize(73, 73));
    QCOMPARE(anyone->get(QUrl(before).path().replace(QStringLiteral("_normal"), QString())).status,
             404);

    ApiResponse r =
        alice->postMultipart(path, {},
                             {{QStringLiteral("image"), QStringLiteral("me.jpg"), "image/jpeg",
                               SandboxFixture::picture(QSize(1200, 800), "JPEG")}});
    QCOMPARE(r.status, 200);
    const QString first = r.object().value(QStringLiteral("profile_image_url")).toString();
    QVERIFY(first != before);
    QVERIFY(first.contains(QStringLiteral("_normal.")));
    QCOMPARE(QImage::fromData(anyone->get(QUrl(first).path()).body).size(), QSize(48, 48));
    QCOMPARE(QImage::fromData(anyone
                                  ->get(QUrl(first).path().replace(QStringLiteral("_normal"),
                                                                   QStringLiteral("_bigger")))
                                  .body)
                 .size(),
             QSize(73, 73));
    // The original is kept at most 500 x 500.
    const ApiResponse original =
        anyone->get(QUrl(first).path().replace(QStringLiteral("_normal"), QString()));
    QCOMPARE(original.status, 200);
    QCOMPARE(QImage::fromData(original.body).size(), QSize(500, 333));

    // Each upload has a new name; the old one is gone.
    r = alice->postMultipart(path, {},
                             {{QStringLiteral("image"), QStringLiteral("me.png"), "image/png",
                               SandboxFixture::picture(QSize(64, 64), "PNG")}});
    const QString second = r.object().value(QStringLiteral("profile_image_url")).toString();
    QVERIFY(second != first);
    QCOMPARE(anyone->get(QUrl(first).path()).status, 404);
    // Statuses show the new one.
    const QJsonObject status = alice
                                   ->post(QStringLiteral("/1/statuses/update.json"),
                                          {{QStringLiteral("status"), QStringLiteral("new face")}})
                                   .object();
    QCOMPARE(status.value(QStringLiteral("user"))
                 .toObject()
                 .value(QStringLiteral("profile_image_url"))
                 .toString(),
             second);

    r = alice->postMultipart(path, {}, {});
    QCOMPARE(r.error(), QStringLiteral("Missing parameter: image"));
    r = alice->postMultipart(
        path, {},
        {{QStringLiteral("image"), QStringLiteral("x.png"), "image/png", "not a picture"}});
    QCOMPARE(r.error(), QStringLiteral("Invalid parameter: image"));
    QByteArray big = SandboxFixture::picture(QSize(16, 16), "PNG");
    big.append(QByteArray(700 * 1024, '\0'));
    r = alice->postMultipart(
        path, {}, {{QStringLiteral("image"), QStringLiteral("big.png"), "image/png", big}});
    QCOMPARE(r.error(), QStringLiteral("Invalid parameter: image"));
}

void TestSandboxPeople::directMessages()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    // Only a follower can be written to.
    QCOMPARE(bob->post(QStringLiteral("/1/friendships/create.json"),
                       {{QStringLiteral("screen_name"), QStringLiteral("alice")}})
                 .status,
             200);
    QCOMPARE(alice
                 ->post(QStringLiteral("/1/friendships/create.json"),
                        {{QStringLiteral("screen_name"), QStringLiteral("bob")}})
                 .status,
             200);
    const QString send = QStringLiteral("/1/direct_messages/new.json");
    QStringList sent;
    for (int i = 0; i < 3; ++i) {
        const ApiResponse r =
            alice->post(send,
                        {{QStringLiteral("screen_name"), QStringLiteral("bob")},
                         {QStringLiteral("text"),
                          QStringLiteral("Lunch at %1? <3 http://example.org/menu").arg(11 + i)},
                         {QStringLiteral("include_entities"), QStringLiteral("true")}});
        QCOMPARE(r.status, 200);
        sent.prepend(r.object().value(QStringLiteral("id_str")).toString());
    }
    const QString reply = bob->post(send,
                                    {{QStringLiteral("user_id"), alice->account().userId},
                                     {QStringLiteral("text"), QStringLiteral("Sure")}})
                              .object()
                              .value(QStringLiteral("id_str"))
                              .toString();

    const QJsonArray received =
        bob->get(QStringLiteral("/1/direct_messages.json"),
                 {{QStringLiteral("include_entities"), QStringLiteral("1")}})
            .array();
    QCOMPARE(SandboxFixture::ids(received), sent);
    const QJsonObject message = received.first().toObject();
    QVERIFY(message.value(QStringLiteral("id_str")).toString().size() == 19);
    QCOMPARE(message.value(QStringLiteral("sender_screen_name")).toString(),
             QStringLiteral("alice"));
    QCOMPARE(message.value(QStringLiteral("recipient_screen_name")).toString(),
             QStringLiteral("bob"));
    QCOMPARE(message.value(QStringLiteral("sender_id_str")).toString(), alice->account().userId);
    QCOMPARE(message.value(QStringLiteral("sender"))
                 .toObject()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("alice"));
    QCOMPARE(message.value(QStringLiteral("recipient"))
                 .toObject()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("bob"));
    QVERIFY(message.value(QStringLiteral("text"))
                .toString()
                .startsWith(QStringLiteral("Lunch at 13? &lt;3 ")));
    // Links in messages are wrapped like those in statuses.
    const QJsonObject link = message.value(QStringLiteral("entities"))
                                 .toObject()
                                 .value(QStringLiteral("urls"))
                                 .toArray()
                                 .first()
                                 .toObject();
    QCOMPARE(link.value(QStringLiteral("expanded_url")).toString(),
             QStringLiteral("http://example.org/menu"));
    const QJsonArray indices = link.value(QStringLiteral("indices")).toArray();
    QCOMPARE(message.value(QStringLiteral("text"))
                 .toString()
                 .mid(indices.at(0).toInt(), indices.at(1).toInt() - indices.at(0).toInt()),
             link.value(QStringLiteral("url")).toString());

    // Paging like a timeline.
    QCOMPARE(SandboxFixture::ids(bob->get(QStringLiteral("/1/direct_messages.json"),
                                          {{QStringLiteral("count"), QStringLiteral("1")},
                                           {QStringLiteral("page"), QStringLiteral("2")}})
                                     .array()),
             QStringList {sent.at(1)});
    QCOMPARE(SandboxFixture::ids(bob->get(QStringLiteral("/1/direct_messages.json"),
                                          {{QStringLiteral("since_id"), sent.at(1)}})
                                     .array()),
             QStringList {sent.at(0)});
    QCOMPARE(SandboxFixture::ids(bob->get(QStringLiteral("/1/direct_messages.json"),
                                          {{QStringLiteral("max_id"), sent.at(1)}})
                                     .array()),
             sent.mid(1));
    QCOMPARE(
        SandboxFixture::ids(alice->get(QStringLiteral("/1/direct_messages/sent.json")).array()),
        sent);
    QCOMPARE(SandboxFixture::ids(alice->get(QStringLiteral("/1/direct_messages.json")).array()),
             QStringList {reply});

    // Deleting takes it away from both sides; only the two of them may.
    ApiClient *carol = m_sandbox.client(QStringLiteral("carol"));
    const QString destroy =
        QStringLiteral("/1/direct_messages/destroy/") + sent.first() + QStringLiteral(".json");
    QCOMPARE(carol->post(destroy).status, 404);
    ApiResponse r = bob->post(destroy);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object().value(QStringLiteral("id_str")).toString(), sent.first());
    QCOMPARE(
        SandboxFixture::ids(alice->get(QStringLiteral("/1/direct_messages/sent.json")).array()),
        sent.mid(1));
    QCOMPARE(bob->post(destroy).status, 404);
}

void TestSandboxPeople::directMessageRefusals()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    m_sandbox.client(QStringLiteral("bob"));
    const QString send = QStringLiteral("/1/direct_messages/new.json");
    ApiResponse r = alice->post(send,
                                {{QStringLiteral("screen_name"), QStringLiteral("bob")},
                                 {QStringLiteral("text"), QStringLiteral("hi")}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(),
             QStringLiteral("You cannot send messages to users who are not following you."));
    QCOMPARE(alice
                 ->post(send,
                        {{QStringLiteral("screen_name"), QStringLiteral("nobody")},
                         {QStringLiteral("text"), QStringLiteral("hi")}})
                 .status,
             404);
    r = alice->post(send,
                    {{QStringLiteral("screen_name"), QStringLiteral("bob")},
                     {QStringLiteral("text"), QStringLiteral(" ")}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), QStringLiteral("Missing parameter: text"));
    m_sandbox.client(QStringLiteral("bob"))
        ->post(QStringLiteral("/1/friendships/create.json"),
               {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    QCOMPARE(alice
                 ->post(send,
                        {{QStringLiteral("screen_name"), QStringLiteral("bob")},
                         {QStringLiteral("text"), QString(140, QLatin1Char('m'))}})
                 .status,
             200);
    r = alice->post(send,
                    {{QStringLiteral("screen_name"), QStringLiteral("bob")},
                     {QStringLiteral("text"), QString(141, QLatin1Char('m'))}});
    QCOMPARE(r.status, 403);
    QCOMPARE(alice->get(QStringLiteral("/1/direct_messages/sent.json")).array().size(), 1);
}

QTEST_MAIN(TestSandboxPeople)
#include "tst_sandbox_people.moc"
