#include "locale.h"
#include "startup.h"

#include "zirrup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {
// The smallest catalogue the translator accepts: the file magic and an empty hash table.
bool writeCatalogue(const QString &path)
{
    static const unsigned char magic[] = {0x3C, 0xB8, 0x64, 0x18, 0xCA, 0xEF, 0x9C, 0x95,
                                          0xCD, 0x21, 0x1C, 0xBF, 0x60, 0xA1, 0xBD, 0xDD};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(reinterpret_cast<const char *>(magic), sizeof magic);
    // A "Hashes" block (tag 0x42) of length zero.
    const char hashes[] = {0x42, 0, 0, 0, 0};
    file.write(hashes, sizeof hashes);
    return true;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void debugBackendRaisesTheLibraryLogging();
    void catalogueSelection_data();
    void catalogueSelection();
    void catalogueNames();
    void fontFollowsTheLanguage();
    void proxyFromEnvironment_data();
    void proxyFromEnvironment();
    void proxyPasswordStaysOutOfTheShownUrl();
    void localeNamesAndNumbers();
    void mediumDatesAndShortTimes();
};

void TestStartup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("launchMode");
    QTest::addColumn<bool>("debug");

    QTest::newRow("nothing") << QStringList() << 1 << false;
    QTest::newRow("profile") << QStringList {"--profile"} << 2 << false;
    QTest::newRow("tweet") << QStringList {"--tweet"} << 3 << false;
    QTest::newRow("compose") << QStringList {"--compose"} << 4 << false;
    QTest::newRow("message") << QStringList {"--message"} << 5 << false;
    QTest::newRow("messages") << QStringList {"--messages"} << 6 << false;
    QTest::newRow("mention") << QStringList {"--mention"} << 7 << false;
    QTest::newRow("mentions") << QStringList {"--mentions"} << 8 << false;
    QTest::newRow("last launch option wins")
        << QStringList {"--profile", "--mention"} << 7 << false;
    QTest::newRow("debug combines") << QStringList {"--compose", "--debug"} << 4 << true;
    QTest::newRow("backend debug combines")
        << QStringList {"--debugbackend", "--messages"} << 6 << true;
    QTest::newRow("letter case differs") << QStringList {"--Debug", "--PROFILE"} << 1 << false;
    QTest::newRow("value glued on") << QStringList {"--tweet=123", "--tweet123"} << 1 << false;
    QTest::newRow("unknown ignored")
        << QStringList {"--mentions", "-mention", "mention", ""} << 8 << false;
}

void TestStartup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, launchMode);
    QFETCH(bool, debug);

    // The program name is never an option, even when it looks like one.
    const Startup::Options options =
        Startup::parseCommandLine(QStringList {QStringLiteral("--debug")} + arguments);
    QCOMPARE(options.launchMode, launchMode);
    QCOMPARE(options.debug, debug);
}

void TestStartup::debugBackendRaisesTheLibraryLogging()
{
    Zr::SetLoggingLevel(Zr::LogWarning);
    Startup::parseCommandLine({QStringLiteral("zirrup-qml"), QStringLiteral("--debug")});
    QCOMPARE(Zr::loggingLevel(), Zr::LogWarning);
    Startup::parseCommandLine({QStringLiteral("zirrup-qml"), QStringLiteral("--debugbackend")});
    QCOMPARE(int(Zr::loggingLevel()), 5);
    Zr::SetLoggingLevel(Zr::LogWarning);
}

void TestStartup::catalogueSelection_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("loaded");

    QTest::newRow("Hong Kong reads Taiwan") << "zh_HK"
                                            << "zirrup_zh_TW.qm";
    QTest::newRow("Taiwan") << "zh_TW"
                            << "zirrup_zh_TW.qm";
    QTest::newRow("Brazil has its own") << "pt_BR"
                                        << "zirrup_pt_BR.qm";
    QTest::newRow("Portugal shortens to pt") << "pt_PT"
                                             << "zirrup_pt.qm";
    QTest::newRow("Canadian French shortens") << "fr_CA"
                                              << "zirrup_fr.qm";
    QTest::newRow("no catalogue falls back") << "de_DE"
                                             << "zirrup_en.qm";
    QTest::newRow("C locale falls back") << "C"
                                         << "zirrup_en.qm";
}

void TestStartup::catalogueSelection()
{
    QFETCH(QString, locale);
    QFETCH(QString, loaded);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name :
         {"zirrup_en.qm", "zirrup_pt.qm", "zirrup_pt_BR.qm", "zirrup_zh_TW.qm", "zirrup_fr.qm"})
        QVERIFY(writeCatalogue(dir.filePath(QLatin1String(name))));

    QTranslator translator;
    const QString name =
        dir.filePath(QStringLiteral("zirrup_%1.qm").arg(Startup::catalogueLocale(locale)));
    QVERIFY(
        Startup::loadCatalogue(&translator, name, dir.filePath(QStringLiteral("zirrup_en.qm"))));
    QCOMPARE(QFileInfo(translator.filePath()).fileName(), loaded);

    // Without the fallback either, nothing loads and the translator stays empty.
    QTranslator none;
    QVERIFY(!Startup::loadCatalogue(&none, dir.filePath(QStringLiteral("other_de.qm")),
                                    dir.filePath(QStringLiteral("other_en.qm"))));
    QVERIFY(none.filePath().isEmpty());
}

void TestStartup::catalogueNames()
{
    QCOMPARE(Startup::catalogueLocale(QStringLiteral("zh_HK")), QStringLiteral("zh_TW"));
    QCOMPARE(Startup::catalogueLocale(QStringLiteral("zh_CN")), QStringLiteral("zh_CN"));
    QCOMPARE(Startup::catalogueLocale(QStringLiteral("es_MX")), QStringLiteral("es_419"));
    QCOMPARE(Startup::catalogueLocale(QStringLiteral("es_ES")), QStringLiteral("es_ES"));
    QCOMPARE(Startup::applicationCatalogueName(QStringLiteral("pt_BR")),
             QStringLiteral(":/zirrup_pt_BR.qm"));
    QCOMPARE(Startup::platformCataloguePath(QStringLiteral("zh_TW")),
             QStringLiteral("/usr/share/l10n/meegotouch/common_zh_TW.qm"));
}

void TestStartup::fontFollowsTheLanguage()
{
    const QFont persian = Startup::applicationFont(QStringLiteral("fa"));
    QCOMPARE(persian.family(), QStringLiteral("Arial"));
    QVERIFY(!persian.italic());
    for (const char *language : {"en", "ar", "de", "", "far"})
        QCOMPARE(Startup::applicationFont(QLatin1String(language)).family(),
                 QStringLiteral("Orvik Pure Text"));
}

void TestStartup::proxyFromEnvironment_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");

    QTest::newRow("host and port")
        << "http://proxy.example:3128" << true << "proxy.example" << 3128;
    QTest::newRow("no port") << "http://proxy.example" << true << "proxy.example" << 80;
    QTest::newRow("no port, https") << "https://proxy.example/" << true << "proxy.example" << 443;
    QTest::newRow("no scheme") << "proxy.example:8080" << true << "proxy.example" << 8080;
    QTest::newRow("address") << "http://10.0.0.1:8000" << true << "10.0.0.1" << 8000;
    QTest::newRow("empty") << "" << false << "" << 0;
    QTest::newRow("blank") << "  " << false << "" << 0;
}

void TestStartup::proxyFromEnvironment()
{
    QFETCH(QString, value);
    QFETCH(bool, found);
    QFETCH(QString, host);
    QFETCH(int, port);

    bool wasFound = !found;
    const QNetworkProxy proxy = Startup::proxyFromEnvironment(value, &wasFound);
    QCOMPARE(wasFound, found);
    if (!found) {
        QCOMPARE(proxy.type(), QNetworkProxy::NoProxy);
        return;
    }
    QCOMPARE(proxy.type(), QNetworkProxy::HttpProxy);
    QCOMPARE(proxy.hostName(), host);
    QCOMPARE(int(proxy.port()), port);
}

void TestStartup::proxyPasswordStaysOutOfTheShownUrl()
{
    const QString value = QStringLiteral("user:s3cret@proxy.example:3128");
    bool found = false;
    const QNetworkProxy proxy = Startup::proxyFromEnvironment(value, &found);
    QVERIFY(found);
    QCOMPARE(proxy.hostName(), QStringLiteral("proxy.example"));
    QCOMPARE(proxy.user(), QStringLiteral("user"));
    QCOMPARE(proxy.password(), QStringLiteral("s3cret"));
    const QString shown = Startup::proxyUrl(value).toString(QUrl::RemovePassword);
    QVERIFY(!shown.contains(QStringLiteral("s3cret")));
    QVERIFY(shown.contains(QStringLiteral("proxy.example:3128")));
}

void TestStartup::localeNamesAndNumbers()
{
    const Locale brazil(QLocale(QStringLiteral("pt_BR")));
    QCOMPARE(brazil.name(), QStringLiteral("pt_BR"));
    QCOMPARE(brazil.language(), QStringLiteral("pt"));
    QCOMPARE(Locale(QLocale(QStringLiteral("zh_HK"))).name(), QStringLiteral("zh_HK"));
    QCOMPARE(Locale(QLocale(QStringLiteral("fa_IR"))).language(), QStringLiteral("fa"));

    const Locale us(QLocale(QStringLiteral("en_US")));
    QCOMPARE(us.formatNumber(1234567), QStringLiteral("1,234,567"));
    QCOMPARE(us.formatNumber(-12), QStringLiteral("-12"));
    QCOMPARE(Locale(QLocale(QStringLiteral("de_DE"))).formatNumber(1234567),
             QStringLiteral("1.234.567"));
}

void TestStartup::mediumDatesAndShortTimes()
{
    const QDateTime moment(QDate(2012, 3, 5), QTime(14, 7, 9));

    const Locale us(QLocale(QStringLiteral("en_US")));
    QCOMPARE(us.formatDateTime(moment, Locale::DateMedium, Locale::TimeNone),
             QStringLiteral("Mar 5, 2012"));
    const QString time = us.formatDateTime(moment, Locale::DateNone, Locale::TimeShort);
    QVERIFY2(time.startsWith(QStringLiteral("2:07")), qPrintable(time));
    QVERIFY(!time.contains(QStringLiteral(":09")));

    const Locale britain(QLocale(QStringLiteral("en_GB")));
    QCOMPARE(britain.formatDateTime(moment, Locale::DateMedium, Locale::TimeNone),
             QStringLiteral("5 Mar 2012"));
    QCOMPARE(britain.formatDateTime(moment, Locale::DateNone, Locale::TimeShort),
             QStringLiteral("14:07"));

    // No shipped language's medium date names the weekday or keeps its separator, and no short
    // time writes out a pattern letter.
    for (const char *name :
         {"ar_EG", "de_DE", "en_US", "es_ES", "es_MX", "fr_FR", "fr_CA", "id_ID", "it_IT", "pl_PL",
          "pt_PT", "pt_BR", "ru_RU", "uk_UA", "zh_TW", "fi_FI"}) {
        const Locale locale {QLocale(QLatin1String(name))};
        const QString format = locale.dateFormat(Locale::DateMedium);
        QVERIFY2(!format.contains(QStringLiteral("dddd")), name);
        QVERIFY2(format.contains(QLatin1Char('y')), name);
        const QString date = locale.formatDateTime(moment, Locale::DateMedium, Locale::TimeNone);
        QVERIFY2(date.at(0).isLetterOrNumber(), qPrintable(date));
        const QString time = locale.formatDateTime(moment, Locale::DateNone, Locale::TimeShort);
        QVERIFY2(!time.contains(QLatin1Char('B')), qPrintable(time));
    }

    QVERIFY(us.formatDateTime(QDateTime(), Locale::DateMedium, Locale::TimeShort).isEmpty());
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
