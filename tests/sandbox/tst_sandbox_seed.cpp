// The demo world of zirrup-sandbox (--seed) as it is made (what it holds is in
// scenarios/demo.json), a database that outlives the service, and the program itself.
#include "apiclient.h"
#include "database.h"
#include "sandboxprocess.h"
#include "sandboxserver.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

static qint64 count(SandboxServer *server, const QString &sql, const QVariantList &binds = {})
{
    return server->database()->integer(sql, binds);
}

// In memory, or in the database file given.
static std::unique_ptr<SandboxServer> seeded(int extraStatuses, const QString &file = {})
{
    SandboxOptions options;
    options.memory = file.isEmpty();
    options.databasePath = file;
    options.port = 0;
    options.seed = true;
    options.extraStatuses = extraStatuses;
    auto server = std::make_unique<SandboxServer>();
    QString error;
    return server->start(options, &error) ? std::move(server) : nullptr;
}

class TestSandboxSeed : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void largeWorldKeepsIdsInTimeOrder()
    {
        const auto large = seeded(300);
        QVERIFY(large);
        // The older tweets, some with pictures, and none out of order: timelines are sorted by
        // id, so the older tweets must come after the usual world's.
        const qint64 older = QDateTime::currentSecsSinceEpoch() - 5 * 24 * 3600;
        const QVariant counts = large->database()->scalar(
            u"SELECT printf('%d %d %d', (SELECT COUNT(*) FROM statuses WHERE created_at < ?),"
            u" (SELECT MIN(COUNT(*), 30) FROM statuses"
            u" WHERE created_at < ? AND media_id IS NOT NULL),"
            u" (SELECT COUNT(*) FROM statuses a JOIN statuses b"
            u" ON b.id > a.id AND b.created_at < a.created_at))"_s,
            {older, older});
        QCOMPARE(counts.toString(), u"300 30 0"_s);
    }
    void fileDatabaseKeepsStateAndSeedsOnce()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"nested/sandbox.db"_s);
        qint64 statuses = 0;
        QString posted;
        {
            const auto first = seeded(0, file);
            QVERIFY(first);
            statuses = count(first.get(), u"SELECT COUNT(*) FROM statuses"_s);
            ApiClient demo(QUrl(first->baseUrl()));
            QVERIFY(demo.signIn(u"demo"_s, u"demo"_s).isValid());
            posted =
                demo.post(u"/1/statuses/update.json"_s,
                          {{u"status"_s, u"still here after a restart http://example.org/x"_s}})
                    .at(u"id_str"_s)
                    .toString();
            QVERIFY(!posted.isEmpty());
        }
        // A second start on the same file: nothing seeded again, nothing lost, and the links
        // follow the new address.
        const auto second = seeded(0, file);
        QVERIFY(second);
        SandboxServer &server = *second;
        QCOMPARE(count(&server, u"SELECT COUNT(*) FROM statuses"_s), statuses + 1);
        ApiClient demo(QUrl(server.baseUrl()));
        QVERIFY(demo.signIn(u"demo"_s, u"demo"_s).isValid());
        const QJsonObject status =
            demo.get(u"/1/statuses/show.json"_s, {{u"id"_s, posted}}).object();
        QVERIFY(status.value(u"text"_s).toString().contains(server.baseUrl() + u"/l/"_s));
    }
    void executable()
    {
        // With the demo world it names the demo account after its address.
        SandboxProcess seeded({u"--seed"_s});
        QVERIFY2(seeded.start(), qPrintable(seeded.errorString()));
        QCOMPARE(QStringList({seeded.readLine(), seeded.readLine()}),
                 QStringList({u"user: demo"_s, u"password: demo"_s}));

        // Its log never shows a password or a secret, however verbose.
        QProcess process;
        process.start(SandboxProcess::executable(),
                      {u"--memory"_s, u"--port"_s, u"0"_s, u"--verbose"_s, u"--user"_s,
                       u"mona:pa55-word-xyz"_s});
        QVERIFY(process.waitForStarted());
        while (!process.canReadLine())
            QVERIFY(process.waitForReadyRead(10000));
        ApiClient client {QUrl(QString::fromUtf8(process.readLine()).trimmed())};
        const SandboxAccount account = client.signIn(u"mona"_s, u"pa55-word-xyz"_s);
        QCOMPARE(client.get(u"/1/account/verify_credentials.json"_s).status, 200);
        process.kill();
        QVERIFY(process.waitForFinished());
        const QByteArray log = process.readAllStandardError();
        QVERIFY2(log.contains("/1/account/verify_credentials.json"), log.constData()); // it did log
        for (const QByteArray &secret :
             {QByteArray("pa55-word-xyz"), account.tokenSecret, QByteArray(ZIRRUP_CONSUMER_SECRET)})
            QVERIFY2(!log.contains(secret), secret.constData());
    }
};

QTEST_MAIN(TestSandboxSeed)
#include "tst_sandbox_seed.moc"
