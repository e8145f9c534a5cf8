// Retrieve behaviours 0 and 1: what is kept on disk, what a second backend object reads back,
// and how the kept lists grow, merge, shrink and survive damage.

#include "backendcall.h"
#include "fakeserver.h"
#include "testsupport.h"

#include <QtTest>

using Zr::Zirrup;

namespace {

QStringList ids(const QVariantList &records)
{
    QStringList result;
    for (const QVariant &record : records)
        result.append(record.toMap().value("id").toString());
    return result;
}

std::unique_ptr<Zirrup> backendFor(const QString &account)
{
    return account.isEmpty() ? signedOutBackend() : signedInBackend(account);
}

QString cacheFolder(const QString &account)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/zirrup/") + account + QStringLiteral("/records");
}

} // namespace

class TestCache : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void whatIsFetchedIsReadBack_data() { addJsonRows("cache"); }
    void whatIsFetchedIsReadBack();
    void unwritableCacheWarnsOnceAndRequestsGoOn();
    void refreshTimesAreRemembered();

private:
    void fetch(Zirrup *backend, const QJsonObject &step);
    FakeServer *server = nullptr;
};

void TestCache::initTestCase()
{
    server = new FakeServer(this);
    Zr::setServiceUrl(server->baseUrl());
}

void TestCache::fetch(Zirrup *backend, const QJsonObject &step)
{
    const QByteArray body = cannedAnswer(step["answer"]);
    server->setHandler([body](const HttpRequest &) { return HttpResponse::json(body); });
    QSignalSpy done(backend, completionOf(step));
    int id;
    QCOMPARE(callBackend(backend, step, &id), int(Zr::RequestSent));
    QVERIFY(done.wait(5000));
    expectValues(done.at(0), step["expect"].toObject());
}

// Each row is a list of steps: a step with an "answer" fetches it from the network, one
// with "files" writes them into the cache folder, any other reads what is held ("behavior" 0 unless
// it says otherwise) and compares the "ids" of the records, the whole "list", its "size" and the
// values "expect" names.
void TestCache::whatIsFetchedIsReadBack()
{
    QFETCH(const QJsonObject, row);
    QString account = row["account"].toString();
    auto backend = backendFor(account);
    const QJsonArray steps = row["steps"].toArray();
    for (int i = 0; i < steps.size() && !QTest::currentTestFailed(); ++i) {
        QJsonObject read = steps.at(i).toObject();
        if (!read.contains("behavior"))
            read.insert("behavior", Zr::CacheOnly);
        const QJsonObject step = read.contains("answer") ? steps.at(i).toObject() : read;
        if (step.contains("account") || step["later"].toBool()) {
            account = step["account"].toString(account);
            backend = backendFor(account);
        }
        if (step.contains("answer")) {
            fetch(backend.get(), step);
            continue;
        }
        const QString folder = cacheFolder(account);
        const QJsonObject files = step["files"].toObject();
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile file(folder + QLatin1Char('/') + it.key());
            QVERIFY(QDir().mkpath(folder) && file.open(QIODevice::WriteOnly));
            file.write(it->toString().toUtf8());
        }
        // Only finished files are left behind.
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            QVERIFY2(name.endsWith(QLatin1String(".json")), qPrintable(name));
        if (!step.contains("call"))
            continue;
        server->clearRequests();
        QVariantList list;
        int id = 7;
        const int result = step["result"].toInt(Zr::RequestAnswered);
        QCOMPARE(callBackend(backend.get(), step, &id, &list), result);
        if (result == Zr::RequestAnswered) {
            QCOMPARE(id, -1);
            QCOMPARE(server->requestCount(), 0);
        }
        if (step.contains("ids"))
            QCOMPARE(ids(list), step["ids"].toVariant().toStringList());
        if (step.contains("list"))
            QCOMPARE(QJsonValue::fromVariant(list), step["list"]);
        if (step.contains("size"))
            QCOMPARE(list.size(), step["size"].toInt());
        expectValues(list, step["expect"].toObject());
        if (QTest::currentTestFailed())
            qWarning("step %d", i);
    }
}

void TestCache::unwritableCacheWarnsOnceAndRequestsGoOn()
{
    const QString folder = cacheFolder(QStringLiteral("108"));
    QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    auto backend = std::make_unique<Zirrup>(TestAccount::token, TestAccount::tokenSecret,
                                            QStringLiteral("108"), TestAccount::userName,
                                            TestAccount::consumerKey, TestAccount::consumerSecret);
    QSignalSpy warnings(backend.get(), &Zirrup::errorWarning);
    backend->init();
    QCOMPARE(warnings.count(), 0);
    const QJsonObject type1 {{"call", "timeline"},
                             {"signal", "timelineUpdated"},
                             {"type", 1},
                             {"answer", "[$statuses:2-1]"}};
    QJsonObject type4 = type1;
    type4.insert("type", 4);
    fetch(backend.get(), type1);
    fetch(backend.get(), type4);
    QCOMPARE(warnings.count(), 1);
    QCOMPARE(warnings.at(0).at(0).toInt(), -1);
}

void TestCache::refreshTimesAreRemembered()
{
    auto backend = signedInBackend(QStringLiteral("109"));
    QVERIFY(!backend->refreshTime(2, QStringLiteral("bob")).isValid());
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    backend->updateResfreshTime(2, QStringLiteral("Bob"));
    auto later = signedInBackend(QStringLiteral("109"));
    const QDateTime recorded = later->refreshTime(2, QStringLiteral("bob"));
    QVERIFY(recorded >= before && recorded <= QDateTime::currentDateTimeUtc().addSecs(1));
    QVERIFY(!later->refreshTime(3, QStringLiteral("bob")).isValid());
}

QTEST_MAIN(TestCache)
#include "tst_cache.moc"
