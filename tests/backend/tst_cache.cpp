// Retrieve behaviours 0 and 1: what is kept on disk, what a second backend object reads back,
// and how the kept lists grow, merge, shrink and survive damage.

#include "fakeserver.h"
#include "testsupport.h"

#include <QtTest>

using Zr::Zirrup;

namespace {

QJsonObject call(const char *name, const char *signal, int type = 0, const QJsonObject &args = {})
{
    return {{"call", name}, {"signal", signal}, {"type", type}, {"args", args}};
}

QStringList ids(const QVariantList &records)
{
    QStringList result;
    for (const QVariant &record : records)
        result.append(record.toMap().value("id").toString());
    return result;
}

QString cacheFolder(const QString &account)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/zirrup/") + account + QStringLiteral("/records");
}

const QJsonObject home = call("retrieveTimelineResources", "timelineUpdated", TimelineType::Home);
const QJsonObject mentions =
    call("retrieveTimelineResources", "timelineUpdated", TimelineType::Mentions);

} // namespace

class TestCache : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What a backend fetched (or found as "files" in its folder) is held for a later one: the
    // "read" is answered at once with the records of "ids", the whole "list" or the "expect"
    // values.
    void whatIsStoredIsReadBack_data() { addJsonRows("cache"); }
    void whatIsStoredIsReadBack()
    {
        QFETCH(const QJsonObject, row);
        const QString account = row["account"].toString();
        const QString folder = cacheFolder(account);
        const QJsonObject files = row["files"].toObject();
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile file(folder + QLatin1Char('/') + it.key());
            QVERIFY(QDir().mkpath(folder) && file.open(QIODevice::WriteOnly));
            file.write(it->toString().toUtf8());
        }
        auto backend = signedInBackend(account);
        for (const QJsonValue &fetched : row["fetch"].toArray())
            fetch(backend.get(), fetched.toObject(), fetched["answer"]);
        const QString reader = row["readAs"].toString(account);
        auto later = reader.isEmpty() ? signedOutBackend() : signedInBackend(reader);
        QVariantList list;
        if (row.contains("result")) {
            int id;
            QCOMPARE(callBackend(later.get(), row["read"].toObject(), &id, &list),
                     row["result"].toInt());
        } else {
            list = held(later.get(), row["read"].toObject());
        }
        if (row.contains("ids"))
            QCOMPARE(ids(list), row["ids"].toVariant().toStringList());
        if (row.contains("list"))
            QCOMPARE(QJsonValue::fromVariant(list), row["list"]);
        expectValues(list, row["expect"].toObject());
        // Only finished files are left behind.
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            QVERIFY2(name.endsWith(QLatin1String(".json")), qPrintable(name));
    }
    void pagesMergeNewestFirstWithinBounds()
    {
        auto backend = signedInBackend("101");
        const auto page = [&](const QJsonObject &args, const char *answer) {
            fetch(
                backend.get(),
                call("retrieveTimelineResources", "timelineUpdated", TimelineType::Mentions, args),
                answer);
            return held(backend.get(), mentions);
        };
        QCOMPARE(page({{"count", "51"}}, "[$statuses:1300-1250]").size(), 51);
        page({{"since_id", "1300"}}, "[$statuses:1310-1301]");
        QStringList expected;
        for (int id = 1310; id >= 1200; --id)
            expected.append(QString::number(id));
        QCOMPARE(ids(page({{"max_id", "1250"}}, "[$statuses:1250-1200]")), expected);
        const QStringList bounded = ids(page({{"max_id", "1200"}}, "[$statuses:1200-1000]"));
        QCOMPARE(bounded.size(), 200);
        QCOMPARE(bounded.first(), QStringLiteral("1310"));
        QCOMPARE(bounded.last(), QStringLiteral("1111"));
        // Ids longer than any other order by value, not by text.
        QCOMPARE(ids(page({{"since_id", "1310"}}, "[$status:10000000000000000000]")).mid(0, 2),
                 QStringList({"10000000000000000000", "1310"}));
        // A new first page starts the list afresh.
        QCOMPARE(ids(page({}, "[$statuses:5-4]")), QStringList({"5", "4"}));
    }
    void localSearchLooksThroughTheCachedHome()
    {
        auto backend = signedInBackend("102");
        fetch(backend.get(), home,
              QString::fromUtf8("[" + statusJson("9", "Qt &amp; QML &lt;3") + ","
                                + statusJson("8", "nothing here", "qtfan", "Fan") + ","
                                + statusJson("7", "hello", "bob", "Bob Qtson") + ","
                                + statusJson("6", "unrelated", "carol", "Carol") + "]"));
        const auto search = [&](const char *query, const char *count) {
            return ids(held(backend.get(),
                            call("retrieveTimelineResources", "timelineUpdated", TimelineType::Home,
                                 {{"query", query}, {"count", count}})));
        };
        QCOMPARE(search("QT", "51"), QStringList({"9", "8", "7"}));
        QCOMPARE(search("qt", "2"), QStringList({"9", "8"}));
        QCOMPARE(search("& qml <3", "51"), QStringList({"9"}));
        QCOMPARE(search("zebra", "51"), QStringList());
    }
    void configurationIsAnsweredFromWhatIsHeld()
    {
        const QJsonObject help = call("retrieveHelp", "helpRetrieved");
        auto backend = signedOutBackend();
        QVERIFY(held(backend.get(), help).isEmpty());
        const QVariantList done =
            fetch(backend.get(), call("retrieveHelp", "helpRetrieved", 0, {{"x", "1"}}),
                  "{\"short_url_length\":29,\"characters_reserved_per_media\":21}");
        QCOMPARE(done.value(2).value<Zr::ArgMap>(), Zr::ArgMap({{"x", "1"}}));
        QCOMPARE(valueAt(held(backend.get(), help), "0/short_url_length").toInt(), 29);
        QCOMPARE(valueAt(held(signedOutBackend().get(), help), "0/characters_reserved_per_media"),
                 QVariant(21));
    }
    void unwritableCacheWarnsOnceAndRequestsGoOn()
    {
        const QString folder = cacheFolder("108");
        QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        auto backend = std::make_unique<Zirrup>(
            TestAccount::token, TestAccount::tokenSecret, QStringLiteral("108"),
            TestAccount::userName, TestAccount::consumerKey, TestAccount::consumerSecret);
        QSignalSpy warnings(backend.get(), &Zirrup::errorWarning);
        backend->init();
        QCOMPARE(warnings.count(), 0);
        fetch(backend.get(), home, "[$statuses:2-1]");
        fetch(backend.get(), mentions, "[$statuses:2-1]");
        QCOMPARE(warnings.count(), 1);
        QCOMPARE(warnings.at(0).at(0).toInt(), -1);
    }
    void refreshTimesAreRemembered()
    {
        auto backend = signedInBackend("109");
        QVERIFY(!backend->refreshTime(2, "bob").isValid());
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        backend->updateResfreshTime(2, "Bob");
        auto later = signedInBackend("109");
        const QDateTime recorded = later->refreshTime(2, "bob");
        QVERIFY(recorded >= before && recorded <= QDateTime::currentDateTimeUtc().addSecs(1));
        QVERIFY(!later->refreshTime(3, "bob").isValid());
    }

private:
    // Fetches through call what the canned server answers; the arguments of the completion.
    QVariantList fetch(Zirrup *backend, const QJsonObject &call, const QJsonValue &answer)
    {
        const QByteArray body = cannedAnswer(answer);
        server->setHandler([body](const HttpRequest &) { return HttpResponse::json(body); });
        QSignalSpy done(backend, completionOf(call));
        int id;
        [&] {
            QCOMPARE(callBackend(backend, call, &id), int(Zr::RequestSent));
            QVERIFY(done.wait(5000));
        }();
        return done.value(0);
    }
    // What is held for call: answered at once, without a request.
    QVariantList held(Zirrup *backend, const QJsonObject &call)
    {
        QJsonObject cacheOnly = call;
        cacheOnly.insert("behavior", Zr::CacheOnly);
        server->clearRequests();
        QVariantList list;
        int id = 7;
        [&] {
            QCOMPARE(callBackend(backend, cacheOnly, &id, &list), int(Zr::RequestAnswered));
            QCOMPARE(id, -1);
            QCOMPARE(server->requestCount(), 0);
        }();
        return list;
    }
    FakeServer *server = cannedService(this);
};

QTEST_MAIN(TestCache)
#include "tst_cache.moc"
