// The synchronous helpers, exact ids in decoded answers, the search history and the picture
// store's budget.

#include "fakeserver.h"
#include "imagestore.h"
#include "jsondecoder.h"
#include "testsupport.h"

#include <QtTest>

using Zr::Zirrup;

class TestHelpers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void compareIdsOrdersByValue_data() { addJsonRows("compareids"); }
    void compareIdsOrdersByValue()
    {
        QFETCH(const QJsonObject, row);
        auto backend = signedOutBackend();
        const QString first = row["first"].toString(), second = row["second"].toString();
        QCOMPARE(backend->compareIds(first, second), row["expected"].toInt());
        QCOMPARE(backend->compareIds(second, first), -row["expected"].toInt());
    }
    void convertDateTimeReadsBothForms_data() { addJsonRows("dates"); }
    void convertDateTimeReadsBothForms()
    {
        QFETCH(const QJsonObject, row);
        const QLocale saved;
        QLocale::setDefault(QLocale(row["locale"].toString(QStringLiteral("C"))));
        auto backend = signedOutBackend();
        const QDateTime result =
            backend->convertDateTime(row["text"].toString(), row["searchForm"].toBool());
        QLocale::setDefault(saved);
        QCOMPARE(result, QDateTime::fromString(row["expected"].toString(), Qt::ISODate));
        QVERIFY(!result.isValid() || result.timeSpec() == Qt::UTC);
    }
    void decoderKeepsEveryDigit_data() { addJsonRows("decode"); }
    void decoderKeepsEveryDigit()
    {
        QFETCH(const QJsonObject, row);
        QString error;
        const QVariant value = Zr::JsonDecoder::decode(row["json"].toString().toUtf8(), &error);
        QVERIFY2(error.startsWith(row["error"].toString()), qPrintable(error));
        QCOMPARE(value.isValid(), !row.contains("error"));
        expectValues(value, row["expect"].toObject());
    }
    void searchHistoryIsRememberedAcrossRuns()
    {
        FakeServer server;
        Zr::setServiceUrl(server.baseUrl());
        server.setHandler(
            [](const HttpRequest &) { return HttpResponse::json("{\"results\":[]}"); });
        QStringList history;
        int id;
        {
            auto backend = signedInBackend(QStringLiteral("300"));
            for (const char *query : {"#qt", "Qt", "qml", "#qt", "from:bob"})
                backend->searchResources({{"q", QString::fromUtf8(query)}}, &id,
                                         SearchType::Tweets);
            // People searches are not tweet searches.
            backend->searchResources({{"q", "alice"}}, &id, SearchType::People);
            backend->getSearchHistory(10, &history);
            QCOMPARE(history, QStringList({"from:bob", "#qt", "qml", "Qt"}));
        }
        auto later = signedInBackend(QStringLiteral("300"));
        later->getSearchHistory(2, &history);
        QCOMPARE(history, QStringList({"from:bob", "#qt"}));
        signedInBackend(QStringLiteral("301"))->getSearchHistory(10, &history);
        QVERIFY(history.isEmpty());
        for (int i = 0; i < 120; ++i)
            later->searchResources({{"q", QString::number(i)}}, &id, SearchType::Tweets);
        later->getSearchHistory(1000, &history);
        QCOMPARE(history.size(), 100);
        QCOMPARE(history.first(), QStringLiteral("119"));
        QCOMPARE(history.last(), QStringLiteral("20"));
    }
    void pictureStoreStaysWithinItsBudget()
    {
        QTemporaryDir dir;
        Zr::ImageStore store(dir.path(), 2500);
        const QByteArray kilobyte(1000, 'x');
        QStringList paths;
        for (int i = 0; i < 2; ++i) {
            paths.append(store.store(QStringLiteral("p%1.png").arg(i), kilobyte));
            QFile file(paths.last());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-100 + i),
                                     QFileDevice::FileModificationTime));
        }
        QCOMPARE(store.find(QStringLiteral("p0")), paths.at(0));
        // A third file goes beyond the budget: the oldest makes room.
        const QString newest = store.store(QStringLiteral("p2.jpg"), kilobyte);
        QCOMPARE(QFile::exists(paths.at(0)), false);
        QCOMPARE(QFile::exists(paths.at(1)), true);
        QCOMPARE(store.find(QStringLiteral("p2")), newest);
        QVERIFY(store.find(QStringLiteral("p0")).isEmpty());
        // The file being stored survives even when it alone is beyond the budget.
        QVERIFY(QFile::exists(store.store(QStringLiteral("big.png"), QByteArray(4000, 'y'))));
    }
};

QTEST_MAIN(TestHelpers)
#include "tst_helpers.moc"
