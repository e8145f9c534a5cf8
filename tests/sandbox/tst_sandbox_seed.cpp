// The demo world of zirrup-sandbox (--seed), a database that outlives the service, and the
// program itself.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"
#include "sandboxprocess.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSandboxSeed : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void demoWorld();
    void sameWorldEveryTime();
    void largeWorldKeepsIdsInTimeOrder();
    void fileDatabaseKeepsStateAndSeedsOnce();
    void executablePrintsTheDemoAccount();
    void executableStartsAndHidesSecrets();

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
    QCOMPARE(count(server, "SELECT COUNT(*) FROM users"), 27);
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
    // Newer ids are never older tweets, or timelines sorted by id would jump about in time.
    QCOMPARE(count(server,
                   "SELECT COUNT(*) FROM statuses a JOIN statuses b"
                   " ON b.id > a.id AND b.created_at < a.created_at"),
             0);

    // What demo sees is full.
    ApiClient demo(sandbox.baseUrl());
    QVERIFY(demo.signIn(u"demo"_s, u"demo"_s).isValid());
    QCOMPARE(demo.get(u"/1/statuses/home_timeline.json"_s).array().size(), 20);
    QVERIFY(demo.get(u"/1/statuses/mentions.json"_s).array().size() >= 10);
    QVERIFY(demo.get(u"/1/direct_messages.json"_s).array().size() >= 10);
    QVERIFY(demo.get(u"/1/direct_messages/sent.json"_s).array().size() >= 5);
    QVERIFY(demo.get(u"/1/favorites.json"_s).array().size() >= 10);
    const QJsonArray lists = demo.get(u"/1/lists.json"_s).at(u"lists"_s).toArray();
    QCOMPARE(lists.size(), 3);
    QCOMPARE(lists.last().toObject().value(u"mode"_s).toString(), u"private"_s);
    QCOMPARE(demo.get(u"/1/lists/subscriptions.json"_s).at(u"lists"_s).toArray().size(), 2);
    QCOMPARE(demo.get(u"/1/lists/memberships.json"_s).at(u"lists"_s).toArray().size(), 3);
    QCOMPARE(demo.get(u"/1/saved_searches.json"_s).array().size(), 4);
    const QJsonObject me = demo.get(u"/1/account/verify_credentials.json"_s).object();
    QVERIFY(me.value(u"friends_count"_s).toInt() >= 10);
    // More followers than the client fetches in one batch of twenty.
    QVERIFY(me.value(u"followers_count"_s).toInt() > 20);

    // One protected account, one blocked by demo, one without an own picture.
    const QJsonObject jonas =
        demo.get(u"/1/users/show.json"_s, {{u"screen_name"_s, u"jonas"_s}}).object();
    QCOMPARE(jonas.value(u"protected"_s).toBool(), true);
    QCOMPARE(jonas.value(u"following"_s).toBool(), true);
    const QJsonArray blocked = demo.get(u"/1/blocks/blocking/ids.json"_s).array();
    QCOMPARE(blocked.size(), 1);
    QCOMPARE(demo.get(u"/1/users/show.json"_s, {{u"user_id"_s, blocked.first().toString()}})
                 .at(u"screen_name"_s)
                 .toString(),
             u"leo"_s);
    QVERIFY(demo.get(u"/1/users/show.json"_s, {{u"screen_name"_s, u"farid"_s}})
                .at(u"profile_image_url"_s)
                .toString()
                .contains(u"default_profile_"_s));
    const QString avatar = me.value(u"profile_image_url"_s).toString();
    QVERIFY(!avatar.contains(u"default_profile_"_s));
    QCOMPARE(sandbox.anonymous()->get(QUrl(avatar).path()).status, 200);

    // Trends come out of the tweets, hashtags among them.
    const QJsonArray trends = sandbox.anonymous()
                                  ->get(u"/1/trends/place.json"_s, {{u"id"_s, u"1"_s}})
                                  .at(u"0/trends"_s)
                                  .toArray();
    QVERIFY(trends.size() >= 5);
    QVERIFY(trends.first().toObject().value(u"name"_s).toString().startsWith(QLatin1Char('#')));

    // The picture hosts linked from tweets can be previewed, and seeded photos are served.
    const QString hostLink =
        server->database()
            ->scalar(QStringLiteral(
                "SELECT url FROM links WHERE url LIKE 'http://zirpic.net/%' LIMIT 1"))
            .toString();
    QVERIFY(!hostLink.isEmpty());
    QCOMPARE(sandbox.anonymous()->get(u"/1/links/preview"_s, {{u"url"_s, hostLink}}).status, 200);
    const qint64 media = server->database()->integer(u"SELECT id FROM media LIMIT 1"_s);
    QCOMPARE(sandbox.anonymous()->get(u"/media/pics/%1.jpg:small"_s.arg(media)).status, 200);

    // Every seeded account can sign in with its name as password.
    ApiClient alice(sandbox.baseUrl());
    QVERIFY(alice.signIn(u"alice"_s, u"alice"_s).isValid());
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
        q = server->database()->exec(u"SELECT code, url FROM links ORDER BY code"_s);
        while (q.next())
            rows.append(q.value(0).toString() + QLatin1Char('>') + q.value(1).toString());
        q = server->database()->exec(u"SELECT name, data FROM avatars ORDER BY name"_s);
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

void TestSandboxSeed::largeWorldKeepsIdsInTimeOrder()
{
    SandboxFixture large;
    SandboxOptions options;
    options.seed = true;
    options.extraStatuses = 300;
    QVERIFY(large.start(options));
    SandboxServer *server = large.server();
    const qint64 older = QDateTime::currentSecsSinceEpoch() - 5 * 24 * 3600;
    QCOMPARE(server->database()->integer(u"SELECT COUNT(*) FROM statuses WHERE created_at < ?"_s,
                                         {older}),
             300);
    QVERIFY(server->database()->integer(u"SELECT COUNT(*) FROM statuses WHERE created_at < ?"
                                        u" AND media_id IS NOT NULL"_s,
                                        {older})
            >= 30);
    // Timelines are sorted by id: the older tweets must come after the usual world's.
    QCOMPARE(count(server,
                   "SELECT COUNT(*) FROM statuses a JOIN statuses b"
                   " ON b.id > a.id AND b.created_at < a.created_at"),
             0);
}

void TestSandboxSeed::fileDatabaseKeepsStateAndSeedsOnce()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SandboxOptions options;
    options.databasePath = dir.filePath(u"nested/sandbox.db"_s);
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
        QVERIFY(demo.signIn(u"demo"_s, u"demo"_s).isValid());
        posted = demo.post(u"/1/statuses/update.json"_s,
                           {{u"status"_s, u"still here after a restart http://example.org/x"_s}})
                     .at(u"id_str"_s)
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
    QVERIFY(demo.signIn(u"demo"_s, u"demo"_s).isValid());
    const QJsonObject status = demo.get(u"/1/statuses/show.json"_s, {{u"id"_s, posted}}).object();
    QVERIFY(status.value(u"text"_s).toString().contains(server.baseUrl() + u"/l/"_s));
}

void TestSandboxSeed::executablePrintsTheDemoAccount()
{
    SandboxProcess sandbox({u"--seed"_s});
    QVERIFY2(sandbox.start(), qPrintable(sandbox.errorString()));
    QCOMPARE(sandbox.readLine(), u"user: demo"_s);
    QCOMPARE(sandbox.readLine(), u"password: demo"_s);
    ApiClient demo(sandbox.baseUrl());
    QVERIFY(demo.signIn(u"demo"_s, u"demo"_s).isValid());

    // Without the demo world, only the address.
    SandboxProcess plain({u"--user"_s, u"zoe:pw"_s});
    QVERIFY(plain.start());
    QCOMPARE(plain.readLine(300), QString());
}

void TestSandboxSeed::executableStartsAndHidesSecrets()
{
    // The real program: its first line is its address, and its log never shows a password or
    // a token secret, however verbose.
    QProcess process;
    process.start(
        SandboxProcess::executable(),
        {u"--memory"_s, u"--port"_s, u"0"_s, u"--verbose"_s, u"--user"_s, u"mona:pa55-word-xyz"_s});
    QVERIFY(process.waitForStarted());
    while (!process.canReadLine())
        QVERIFY(process.waitForReadyRead(10000));
    const QString first = QString::fromUtf8(process.readLine());
    static const QRegularExpression address(u"^http://127\\.0\\.0\\.1:(\\d+)\n$"_s);
    const QRegularExpressionMatch m = address.match(first);
    QVERIFY2(m.hasMatch(), qPrintable(first));
    QVERIFY(m.captured(1).toInt() > 0);

    ApiClient client {QUrl(first.trimmed())};
    const SandboxAccount account = client.signIn(u"mona"_s, u"pa55-word-xyz"_s);
    QVERIFY(account.isValid());
    QCOMPARE(client.get(u"/1/account/verify_credentials.json"_s).status, 200);
    ApiClient::Signing wrong;
    wrong.consumerSecret = "x";
    QCOMPARE(client.get(u"/1/account/verify_credentials.json"_s, {}, wrong).status, 401);

    process.kill();
    QVERIFY(process.waitForFinished());
    const QByteArray log = process.readAllStandardError();
    QVERIFY2(log.contains("/1/account/verify_credentials.json"), log.constData()); // it did log
    QVERIFY(!log.contains("pa55-word-xyz"));
    QVERIFY(!log.contains(account.tokenSecret));
    QVERIFY(!log.contains(ZIRRUP_CONSUMER_SECRET));
}

QTEST_MAIN(TestSandboxSeed)
#include "tst_sandbox_seed.moc"
