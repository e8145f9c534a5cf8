// The synchronous helpers, exact ids in decoded answers, the search history and the picture
// store's budget.

#include "fakeserver.h"
#include "imagestore.h"
#include "jsondecoder.h"
#include "testsupport.h"

#include <QtTest>

using Zr::JsonDecoder;
using Zr::Zirrup;

class TestHelpers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void compareIdsOrdersByValue_data();
    void compareIdsOrdersByValue();
    void convertDateTimeReadsBothForms_data();
    void convertDateTimeReadsBothForms();
    void convertDateTimeIgnoresTheLocale();
    void decodedIdsKeepEveryDigit();
    void searchHistoryIsRememberedAcrossRuns();
    void pictureStoreStaysWithinItsBudget();
};

void TestHelpers::compareIdsOrdersByValue_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("expected");
    QTest::newRow("equal") << "1843"
                           << "1843" << 0;
    QTest::newRow("shorter is smaller") << "999"
                                        << "1000" << -1;
    QTest::newRow("text order would lie") << "9"
                                          << "10" << -1;
    QTest::newRow("same length") << "1000000000000000124"
                                 << "1000000000000000123" << 1;
    QTest::newRow("above 2^63") << "9223372036854775808"
                                << "9223372036854775807" << 1;
    QTest::newRow("above 2^64") << "18446744073709551617"
                                << "18446744073709551616" << 1;
    QTest::newRow("differ beyond double precision") << "9007199254740993"
                                                    << "9007199254740992" << 1;
    QTest::newRow("leading zeros") << "007"
                                   << "7" << 0;
    QTest::newRow("cursor -1") << "-1"
                               << "0" << -1;
    QTest::newRow("negative magnitudes") << "-10"
                                         << "-9" << -1;
    QTest::newRow("minus zero") << "-0"
                                << "0" << 0;
    QTest::newRow("empty below number") << ""
                                        << "0" << -1;
    QTest::newRow("garbage below number") << "12a"
                                          << "3" << -1;
}

void TestHelpers::compareIdsOrdersByValue()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, expected);
    auto backend = signedOutBackend();
    QCOMPARE(backend->compareIds(first, second), expected);
    QCOMPARE(backend->compareIds(second, first), -expected);
}

void TestHelpers::convertDateTimeReadsBothForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("searchForm");
    QTest::addColumn<QDateTime>("expected");
    const QDateTime noon(QDate(2026, 12, 5), QTime(10, 11, 12), Qt::UTC);
    QTest::newRow("status form") << "Sat Dec 05 10:11:12 +0000 2026" << false << noon;
    QTest::newRow("search form") << "Sat, 05 Dec 2026 10:11:12 +0000" << true << noon;
    QTest::newRow("positive offset") << "Sat Dec 05 12:41:12 +0230 2026" << false << noon;
    QTest::newRow("negative offset crosses the day")
        << "Fri, 04 Dec 2026 23:11:12 -1100" << true << noon;
    QTest::newRow("leap day") << "Thu Feb 29 00:00:00 +0000 2024" << false
                              << QDateTime(QDate(2024, 2, 29), QTime(0, 0), Qt::UTC);
    QTest::newRow("status text read as search form")
        << "Sat Dec 05 10:11:12 +0000 2026" << true << QDateTime();
    QTest::newRow("search text read as status form")
        << "Sat, 05 Dec 2026 10:11:12 +0000" << false << QDateTime();
    QTest::newRow("no such day") << "Sat Feb 30 10:11:12 +0000 2026" << false << QDateTime();
    QTest::newRow("no such month") << "Sat Dez 05 10:11:12 +0000 2026" << false << QDateTime();
    QTest::newRow("hour 24") << "Sat Dec 05 24:11:12 +0000 2026" << false << QDateTime();
    QTest::newRow("empty") << "" << false << QDateTime();
    QTest::newRow("trailing text") << "Sat Dec 05 10:11:12 +0000 2026 x" << false << QDateTime();
}

void TestHelpers::convertDateTimeReadsBothForms()
{
    QFETCH(QString, text);
    QFETCH(bool, searchForm);
    QFETCH(QDateTime, expected);
    auto backend = signedOutBackend();
    const QDateTime result = backend->convertDateTime(text, searchForm);
    QCOMPARE(result.isValid(), expected.isValid());
    if (expected.isValid()) {
        QCOMPARE(result, expected);
        QCOMPARE(result.timeSpec(), Qt::UTC);
    }
}

void TestHelpers::convertDateTimeIgnoresTheLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto backend = signedOutBackend();
    const QDateTime result =
        backend->convertDateTime(QStringLiteral("Tue Mar 03 01:02:03 +0000 2026"), false);
    QLocale::setDefault(saved);
    QCOMPARE(result, QDateTime(QDate(2026, 3, 3), QTime(1, 2, 3), Qt::UTC));
}

void TestHelpers::decodedIdsKeepEveryDigit()
{
    // 2^63 + 1 does not fit a signed 64-bit number; 2^53 + 1 does not fit a double.
    const QByteArray json = R"({"id": 9223372036854775809, "id_str": "9223372036854775809",
        "in_reply_to_status_id": null, "in_reply_to_status_id_str": null,
        "retweet_count": 3,
        "user": {"id": 9007199254740993, "id_str": "9007199254740993"},
        "entities": {"user_mentions": [{"id": 1845, "id_str": "1845"}]},
        "ids": [9007199254740993, "1844"],
        "next_cursor": 1234567890123456789, "next_cursor_str": "1234567890123456789"})";
    QString error;
    const QVariantMap map = JsonDecoder::decode(json, &error).toMap();
    QVERIFY(error.isEmpty());
    QCOMPARE(map.value("id").toString(), QStringLiteral("9223372036854775809"));
    QVERIFY(map.value("in_reply_to_status_id").isNull());
    QCOMPARE(map.value("retweet_count").toInt(), 3);
    QCOMPARE(map.value("user").toMap().value("id").toString(), QStringLiteral("9007199254740993"));
    QCOMPARE(map.value("entities")
                 .toMap()
                 .value("user_mentions")
                 .toList()
                 .value(0)
                 .toMap()
                 .value("id")
                 .toString(),
             QStringLiteral("1845"));
    QCOMPARE(map.value("ids").toList(), QVariantList({"9007199254740993", "1844"}));
    QCOMPARE(map.value("next_cursor").toString(), QStringLiteral("1234567890123456789"));

    QVERIFY(!JsonDecoder::decode("{\"id\": 1", &error).isValid());
    QVERIFY(error.startsWith(QLatin1String("Malformed JSON")));
    QVERIFY(!JsonDecoder::decode("", &error).isValid());
    QCOMPARE(JsonDecoder::decode("[]").toList(), QVariantList());
}

void TestHelpers::searchHistoryIsRememberedAcrossRuns()
{
    FakeServer server;
    Zr::setServiceUrl(server.baseUrl());
    server.setHandler([](const HttpRequest &) { return HttpResponse::json("{\"results\":[]}"); });
    {
        auto backend = signedInBackend(QStringLiteral("300"));
        int id;
        for (const char *query : {"#qt", "Qt", "qml", "#qt", "from:bob"})
            backend->searchResources({{"q", QString::fromUtf8(query)}}, &id, SearchType::Tweets);
        // People searches are not tweet searches.
        backend->searchResources({{"q", "alice"}}, &id, SearchType::People);
        QStringList history;
        backend->getSearchHistory(10, &history);
        QCOMPARE(history, QStringList({"from:bob", "#qt", "qml", "Qt"}));
    }
    auto later = signedInBackend(QStringLiteral("300"));
    QStringList history;
    later->getSearchHistory(2, &history);
    QCOMPARE(history, QStringList({"from:bob", "#qt"}));
    later->getSearchHistory(0, &history);
    QVERIFY(history.isEmpty());
    signedInBackend(QStringLiteral("301"))->getSearchHistory(10, &history);
    QVERIFY(history.isEmpty());

    int id;
    for (int i = 0; i < 120; ++i)
        later->searchResources({{"q", QString::number(i)}}, &id, SearchType::Tweets);
    later->getSearchHistory(1000, &history);
    QCOMPARE(history.size(), 100);
    QCOMPARE(history.first(), QStringLiteral("119"));
    QCOMPARE(history.last(), QStringLiteral("20"));
}

void TestHelpers::pictureStoreStaysWithinItsBudget()
{
    QTemporaryDir dir;
    Zr::ImageStore store(dir.path(), 2500);
    const QByteArray kilobyte(1000, 'x');
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QStringList paths;
    for (int i = 0; i < 2; ++i) {
        paths.append(store.store(QStringLiteral("p%1.png").arg(i), kilobyte));
        QFile file(paths.last());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(now.addSecs(-100 + i), QFileDevice::FileModificationTime));
    }
    QCOMPARE(store.find(QStringLiteral("p0")), paths.at(0));
    // A third file goes beyond the budget: the oldest makes room.
    const QString newest = store.store(QStringLiteral("p2.jpg"), kilobyte);
    QVERIFY(QFile::exists(newest));
    QVERIFY(!QFile::exists(paths.at(0)));
    QVERIFY(QFile::exists(paths.at(1)));
    QCOMPARE(store.find(QStringLiteral("p2")), newest);
    QVERIFY(store.find(QStringLiteral("p0")).isEmpty());

    // The file being stored survives even when it alone is beyond the budget.
    const QString big = store.store(QStringLiteral("big.png"), QByteArray(4000, 'y'));
    QVERIFY(QFile::exists(big));
}

QTEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
