#include "datahandler.h"

#include "catalogues.h"
#include "scriptedcontroller.h"

#include <QtTest>

namespace {
const QString canonicalFormat = QStringLiteral("ddd MMM dd hh:mm:ss yyyy");

// The moment the tweets of these tests were written, and its canonical text.
const QDateTime written(QDate(2026, 12, 5), QTime(10, 11, 12), Qt::UTC);

QString canonical(const QDateTime &time)
{
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(time.toLocalTime(), canonicalFormat);
}

QString band(const QString &first, const QString &second)
{
    return first + QStringLiteral(" - ") + QChar(0x2028) + second;
}
} // namespace

class TestTimeStrings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void relativeAgeAtEveryBandLimit_data();
    void relativeAgeAtEveryBandLimit();
    void serviceDatesBecomeCanonicalLocalText();
    void detailLinesAndUnparsableTimes();
};

void TestTimeStrings::initTestCase()
{
    // A zone with a half-hour offset shows any mix-up of local and universal time.
    qputenv("TZ", "IST-5:30");
    QVERIFY(installEnglishCatalogues());
    // Canonical texts are English whatever the user's language.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestTimeStrings::relativeAgeAtEveryBandLimit_data()
{
    QTest::addColumn<int>("age");
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("section");

    const QString moment = QStringLiteral("A moment ago");
    const QString first = band(moment, "6 hours ago");
    QTest::newRow("in the future") << -30 << moment << first;
    QTest::newRow("1 s") << 1 << moment << first;
    QTest::newRow("2 s") << 2 << "2 seconds ago" << first;
    QTest::newRow("59 s") << 59 << "59 seconds ago" << first;
    QTest::newRow("60 s") << 60 << "1 minute ago" << first;
    QTest::newRow("3599 s") << 3599 << "59 minutes ago" << first;
    QTest::newRow("3600 s") << 3600 << "1 hour ago" << first;
    QTest::newRow("25199 s") << 25199 << "6 hours ago" << first;
    QTest::newRow("25200 s") << 25200 << "7 hours ago" << band("6 hours ago", "12 hours ago");
    QTest::newRow("46799 s") << 46799 << "12 hours ago" << band("6 hours ago", "12 hours ago");
    QTest::newRow("46800 s") << 46800 << "13 hours ago" << band("12 hours ago", "18 hours ago");
    QTest::newRow("68399 s") << 68399 << "18 hours ago" << band("12 hours ago", "18 hours ago");
    QTest::newRow("68400 s") << 68400 << "19 hours ago" << band("18 hours ago", "24 hours ago");
    QTest::newRow("89999 s") << 89999 << "24 hours ago" << band("18 hours ago", "24 hours ago");
    QTest::newRow("90000 s") << 90000 << QString() << QString();
}

void TestTimeStrings::relativeAgeAtEveryBandLimit()
{
    QFETCH(int, age);
    QFETCH(QString, relative);
    QFETCH(QString, section);

    ScriptedController c;
    DataHandler *h = c.handler();
    h->setClock([age] { return written.addSecs(age); });
    // From 25 hours on, the medium date of the user's locale.
    const QString date =
        h->locale().formatDateTime(written.toLocalTime(), Locale::DateMedium, Locale::TimeNone);
    QVERIFY(!date.isEmpty());
    QCOMPARE(h->createTimeString(canonical(written)), relative.isEmpty() ? date : relative);
    QCOMPARE(h->createSectionTimeString(canonical(written)), section.isEmpty() ? date : section);
}

void TestTimeStrings::serviceDatesBecomeCanonicalLocalText()
{
    ScriptedController c;
    DataHandler *h = c.handler();
    const QString serviceDate = QStringLiteral("Sat Dec 05 10:11:12 +0000 2026");
    // Without a backend there is nothing to read the service's dates with.
    QCOMPARE(h->convertServiceDateTime(serviceDate, false), QString());

    c.start(false);
    QCOMPARE(h->convertServiceDateTime(serviceDate, false),
             QStringLiteral("Sat Dec 05 15:41:12 2026"));
    QCOMPARE(h->convertServiceDateTime(QStringLiteral("Sat, 05 Dec 2026 23:50:00 +0000"), true),
             QStringLiteral("Sun Dec 06 05:20:00 2026"));
    QCOMPARE(h->convertServiceDateTime(QStringLiteral("yesterday"), false), QString());

    // What was written reads back under the user's German locale.
    h->setClock([] { return written.addSecs(120); });
    QCOMPARE(h->createTimeString(h->convertServiceDateTime(serviceDate, false)),
             QStringLiteral("2 minutes ago"));
}

void TestTimeStrings::detailLinesAndUnparsableTimes()
{
    ScriptedController c;
    DataHandler *h = c.handler();
    const QDateTime local = written.toLocalTime();
    const QString expected = h->locale().formatDateTime(local, Locale::DateMedium, Locale::TimeNone)
        + QStringLiteral(" at ")
        + h->locale().formatDateTime(local, Locale::DateNone, Locale::TimeShort);
    QCOMPARE(h->createDetailTimeString(canonical(written)), expected);
    QCOMPARE(h->createConversationTimeString(canonical(written)), expected);
    for (const QString &text :
         {QString(), QStringLiteral("Sam. Dez. 05 10:11:12 2026"), QStringLiteral("not a time")}) {
        QCOMPARE(h->createTimeString(text), QString());
        QCOMPARE(h->createSectionTimeString(text), QString());
        QCOMPARE(h->createDetailTimeString(text), QString());
    }
}

QTEST_MAIN(TestTimeStrings)
#include "tst_timestrings.moc"
