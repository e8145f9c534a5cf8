// The demo world of zirrup-sandbox (--seed) and a database that outlives the service.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"
#include "sandboxprocess.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSandboxSeed : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void demoWorld();
    void sameWorldEveryTime();
    void fileDatabaseKeepsStateAndSeedsOnce();
    void executablePrintsTheDemoAccount();

private:
    SandboxFixture m_world;
};

static qint64 count(SandboxServer *server, const char *sql)
{
    return server->database()->integer(QLatin1String(sql));
}

void TestSandboxSeed::initTestCase()
{
    SandboxOptions options;
    options.seed = true;
    QVERIFY(m_world.start(options));
}

void TestSandboxSeed::demoWorld()
{
    SandboxFixture &sandbox = m_world;
    SandboxServer *server = sandbox.server();
    QVERIFY(server->hasDemoWorld());
    QCOMPARE(count(server, "SELECT COUNT(*) FROM users"), 13);
    QVERIFY(count(server, "SELECT COUNT(*) FROM statuses") >= 300);
    QVERIFY(count(server, "SELECT COUNT(*) FROM statuses WHERE retweet_of IS NOT NULL") >= 20);
    QVERIFY(count(server, "SELECT COUNT(*) FROM statuses WHERE reply_status_id IS NOT NULL") >= 30);
    QVERIFY(count(server, "SELECT COUNT(*) FROM statuses WHERE media_id IS NOT NULL") >= 5);
    QVERIFY(count(server, "SELECT COUNT(*) FROM statuses WHERE place_id IS NOT NULL") >= 20);
    QVERIFY(count(server, "SELECT COUNT(*) FROM statuses WHERE lat IS NOT NULL") >= 5);
    QVERIFY(count(server, "SELECT COUNT(*) FROM favorites") >= 50);
    QVERIFY(count(server, "SELECT COUNT(*) FROM messages") >= 20);
    QCOMPARE(count(server, "SELECT COUNT(*) FROM lists"), 6);
    // Times lie within the last few days.
    QVERIFY(count(server, "SELECT MIN(created_at) FROM statuses")
            > QDateTime::currentSecsSinceEpoch() - 5 * 24 * 3600);

    // What demo sees is full.
    ApiClient demo(sandbox.baseUrl());
    QVERIFY(demo.signIn(QStringLiteral("demo"), QStringLiteral("demo")).isValid());
    QCOMPARE(demo.get(QStringLiteral("/1/statuses/home_timeline.json")).array().size(), 20);
    QVERIFY(demo.get(QStringLiteral("/1/statuses/mentions.json")).array().size() >= 10);
    QVERIFY(demo.get(QStringLiteral("/1/direct_messages.json")).array().size() >= 10);
    QVERIFY(demo.get(QStringLiteral("/1/direct_messages/sent.json")).array().size() >= 5);
    QVERIFY(demo.get(QStringLiteral("/1/favorites.json")).array().size() >= 10);
    const QJsonArray lists =
        demo.get(QStringLiteral("/1/lists.json")).object().value(QStringLiteral("lists")).toArray();
    QCOMPARE(lists.size(), 3);
    QCOMPARE(lists.last().toObject().value(QStringLiteral("mode")).toString(),
             QStringLiteral("private"));
    QCOMPARE(demo.get(QStringLiteral("/1/lists/subscriptions.json"))
                 .object()
                 .value(QStringLiteral("lists"))
                 .toArray()
                 .size(),
             2);
    QCOMPARE(demo.get(QStringLiteral("/1/lists/memberships.json"))
                 .object()
                 .value(QStringLiteral("lists"))
                 .toArray()
                 .size(),
             3);
    QCOMPARE(demo.get(QStringLiteral("/1/saved_searches.json")).array().size(), 4);
    const QJsonObject me = demo.get(QStringLiteral("/1/account/verify_credentials.json")).object();
    QVERIFY(me.value(QStringLiteral("friends_count")).toInt() >= 10);
    QVERIFY(me.value(QStringLiteral("followers_count")).toInt() >= 10);

    // One protected account, one blocked by demo, one without an own picture.
    const QJsonObject jonas = demo.get(QStringLiteral("/1/users/show.json"),
                                       {{QStringLiteral("screen_name"), QStringLiteral("jonas")}})
                                  .object();
    QCOMPARE(jonas.value(QStringLiteral("protected")).toBool(), true);
    QCOMPARE(jonas.value(QStringLiteral("following")).toBool(), true);
    const QJsonArray blocked = demo.get(QStringLiteral("/1/blocks/blocking/ids.json")).array();
    QCOMPARE(blocked.size(), 1);
    QCOMPARE(demo.get(QStringLiteral("/1/users/show.json"),
                      {{QStringLiteral("user_id"), blocked.first().toString()}})
                 .object()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("leo"));
    QVERIFY(demo.get(QStringLiteral("/1/users/show.json"),
                     {{QStringLiteral("screen_name"), QStringLiteral("farid")}})
                .object()
                .value(QStringLiteral("profile_image_url"))
                .toString()
                .contains(QStringLiteral("default_profile_")));
    const QString avatar = me.value(QStringLiteral("profile_image_url")).toString();
    QVERIFY(!avatar.contains(QStringLiteral("default_profile_")));
    QCOMPARE(sandbox.anonymous()->get(QUrl(avatar).path()).status, 200);

    // Trends come out of the tweets, hashtags among them.
    const QJsonArray trends = sandbox.anonymous()
                                  ->get(QStringLiteral("/1/trends/place.json"),
                                        {{QStringLiteral("id"), QStringLiteral("1")}})
                                  .array()
                                  .first()
                                  .toObject()
                                  .value(QStringLiteral("trends"))
                                  .toArray();
    QVERIFY(trends.size() >= 5);
    QVERIFY(trends.first()
                .toObject()
                .value(QStringLiteral("name"))
                .toString()
                .startsWith(QLatin1Char('#')));

    // The picture hosts linked from tweets can be previewed, and seeded photos are served.
    const QString hostLink =
        server->database()
            ->scalar(QStringLiteral(
                "SELECT url FROM links WHERE url LIKE 'http://zirpic.net/%' LIMIT 1"))
            .toString();
    QVERIFY(!hostLink.isEmpty());
    QCOMPARE(sandbox.anonymous()
                 ->get(QStringLiteral("/1/links/preview"), {{QStringLiteral("url"), hostLink}})
                 .status,
             200);
    const qint64 media =
        server->database()->integer(QStringLiteral("SELECT id FROM media LIMIT 1"));
    QCOMPARE(sandbox.anonymous()->get(QStringLiteral("/media/pics/%1.jpg:small").arg(media)).status,
             200);

    // Every seeded account can sign in with its name as password.
    ApiClient alice(sandbox.baseUrl());
    QVERIFY(alice.signIn(QStringLiteral("alice"), QStringLiteral("alice")).isValid());
}

void TestSandboxSeed::sameWorldEveryTime()
{
    // What a world is made of, apart from its times (they follow the clock).
    const auto contents = [](SandboxServer *server) {
        QStringList rows;
        QSqlQuery q = server->database()->exec(
            QStringLiteral("SELECT s.id, u.screen_name, s.text, s.retweet_of, s.reply_status_id,"
                           " s.place_id FROM statuses s JOIN users u ON u.id = s.user_id"
                           " ORDER BY s.id"));
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < 6; ++i)
                row.append(q.value(i).toString());
            rows.append(row.join(QLatin1Char('|')));
        }
        q = server->database()->exec(QStringLiteral("SELECT code, url FROM links ORDER BY code"));
        while (q.next())
            rows.append(q.value(0).toString() + QLatin1Char('>') + q.value(1).toString());
        q = server->database()->exec(
            QStringLiteral("SELECT name, data FROM avatars ORDER BY name"));
        while (q.next())
            rows.append(q.value(0).toString() + QLatin1Char(':')
                        + QString::number(qHash(q.value(1).toByteArray(), 0)));
        return rows;
    };
    // The first world has been in use; what it started with is still there in the same order.
    SandboxFixture second;
    SandboxOptions options;
    options.seed = true;
    QVERIFY(second.start(options));
    const QStringList fresh = contents(second.server());
    QVERIFY(fresh.size() > 300);
    QCOMPARE(contents(m_world.server()), fresh);
}

void TestSandboxSeed::fileDatabaseKeepsStateAndSeedsOnce()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SandboxOptions options;
    options.databasePath = dir.filePath(QStringLiteral("nested/sandbox.db"));
    options.port = 0;
    options.seed = true;
    qint64 statuses = 0;
    QString posted;
    {
        SandboxServer server;
        QString error;
        QVERIFY2(server.start(options, &error), qPrintable(error));
        statuses = count(&server, "SELECT COUNT(*) FROM statuses");
        ApiClient demo(QUrl(server.baseUrl()));
        QVERIFY(demo.signIn(QStringLiteral("demo"), QStringLiteral("demo")).isValid());
        posted = demo.post(QStringLiteral("/1/statuses/update.json"),
                           {{QStringLiteral("status"),
                             QStringLiteral("still here after a restart http://example.org/x")}})
                     .object()
                     .value(QStringLiteral("id_str"))
                     .toString();
        QVERIFY(!posted.isEmpty());
    }
    // A second start on the same file: nothing seeded again, nothing lost, and the links
    // follow the new address.
    SandboxServer server;
    QString error;
    QVERIFY2(server.start(options, &error), qPrintable(error));
    QCOMPARE(count(&server, "SELECT COUNT(*) FROM statuses"), statuses + 1);
    ApiClient demo(QUrl(server.baseUrl()));
    QVERIFY(demo.signIn(QStringLiteral("demo"), QStringLiteral("demo")).isValid());
    const QJsonObject status =
        demo.get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), posted}})
            .object();
    QVERIFY(status.value(QStringLiteral("text"))
                .toString()
                .contains(server.baseUrl() + QStringLiteral("/l/")));
}

void TestSandboxSeed::executablePrintsTheDemoAccount()
{
    SandboxProcess sandbox({QStringLiteral("--seed")});
    QVERIFY2(sandbox.start(), qPrintable(sandbox.errorString()));
    QCOMPARE(sandbox.readLine(), QStringLiteral("user: demo"));
    QCOMPARE(sandbox.readLine(), QStringLiteral("password: demo"));
    ApiClient demo(sandbox.baseUrl());
    QVERIFY(demo.signIn(QStringLiteral("demo"), QStringLiteral("demo")).isValid());

    // Without the demo world, only the address.
    SandboxProcess plain({QStringLiteral("--user"), QStringLiteral("zoe:pw")});
    QVERIFY(plain.start());
    QCOMPARE(plain.readLine(300), QString());
}

QTEST_MAIN(TestSandboxSeed)
#include "tst_sandbox_seed.moc"
