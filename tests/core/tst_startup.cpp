#include "jsonrows.h"
#include "locale.h"
#include "startup.h"

#include "zirrup.h"

#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {
const QString Data = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/startup.json");

// The smallest catalogue the translator accepts: the file magic and an empty "Hashes" block.
bool writeCatalogue(const QString &path)
{
    static const unsigned char bytes[] = {0x3C, 0xB8, 0x64, 0x18, 0xCA, 0xEF, 0x9C,
                                          0x95, 0xCD, 0x21, 0x1C, 0xBF, 0x60, 0xA1,
                                          0xBD, 0xDD, 0x42, 0,    0,    0,    0};
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(bytes), sizeof bytes) == sizeof bytes;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data() { addJsonRows(Data, "commandLine"); }
    void commandLine();
    void catalogueSelection_data() { addJsonRows(Data, "catalogue"); }
    void catalogueSelection();
    void proxyFromEnvironment_data() { addJsonRows(Data, "proxy"); }
    void proxyFromEnvironment();
    void fontAndLocaleFormats();
};

void TestStartup::commandLine()
{
    QFETCH(QVariantMap, row);
    // The program name is never an option, even when it looks like one.
    const Startup::Options options =
        Startup::parseCommandLine(QStringList {"--debug"} + row["args"].toStringList());
    QCOMPARE(options.launchMode, row["mode"].toInt());
    QCOMPARE(options.debug, row["debug"].toBool());
    QCOMPARE(options.subject, row["subject"].toString());

    // Only the backend option raises the library's logging.
    Zr::SetLoggingLevel(Zr::LogWarning);
    Startup::parseCommandLine(QStringList {"zirrup-qml"} + row["args"].toStringList());
    const bool raised = row["args"].toStringList().contains("--debugbackend");
    QCOMPARE(int(Zr::loggingLevel()), raised ? 5 : int(Zr::LogWarning));
    Zr::SetLoggingLevel(Zr::LogWarning);
}

void TestStartup::catalogueSelection()
{
    QFETCH(QVariantMap, row);
    QCOMPARE(Startup::catalogueLocale(row["locale"].toString()), row["name"].toString());

    QTemporaryDir dir;
    for (const char *name :
         {"zirrup_en.qm", "zirrup_pt.qm", "zirrup_pt_BR.qm", "zirrup_zh_TW.qm", "zirrup_fr.qm"})
        QVERIFY(writeCatalogue(dir.filePath(QLatin1String(name))));
    QTranslator translator;
    QVERIFY(Startup::loadCatalogue(&translator,
                                   dir.filePath("zirrup_" + row["name"].toString() + ".qm"),
                                   dir.filePath(QStringLiteral("zirrup_en.qm"))));
    QCOMPARE(QFileInfo(translator.filePath()).fileName(), row["loaded"].toString());

    // Without the fallback either, nothing loads and the translator stays empty.
    QTranslator none;
    QVERIFY(!Startup::loadCatalogue(&none, dir.filePath(QStringLiteral("other_de.qm")),
                                    dir.filePath(QStringLiteral("other_en.qm"))));
    QVERIFY(none.filePath().isEmpty());
}

void TestStartup::proxyFromEnvironment()
{
    QFETCH(QVariantMap, row);
    const bool expected = row.contains("host");
    bool found = !expected;
    const QNetworkProxy proxy = Startup::proxyFromEnvironment(row["value"].toString(), &found);
    QCOMPARE(found, expected);
    QCOMPARE(proxy.type(), expected ? QNetworkProxy::HttpProxy : QNetworkProxy::NoProxy);
    QCOMPARE(proxy.hostName(), row["host"].toString());
    QCOMPARE(int(proxy.port()), expected ? row["port"].toInt() : 0);
    QCOMPARE(proxy.user(), row["user"].toString());
    QCOMPARE(proxy.password(), row["password"].toString());
    // The password stays out of the address the program shows.
    const QString shown = Startup::proxyUrl(row["value"].toString()).toString(QUrl::RemovePassword);
    QVERIFY(row["password"].isNull() || !shown.contains(row["password"].toString()));
}

void TestStartup::fontAndLocaleFormats()
{
    QCOMPARE(Startup::applicationFont(QStringLiteral("fa")).family(), QStringLiteral("Arial"));
    for (const char *language : {"en", "ar", "", "far"})
        QCOMPARE(Startup::applicationFont(QLatin1String(language)).family(),
                 QStringLiteral("Orvik Pure Text"));

    const QDateTime moment(QDate(2012, 3, 5), QTime(14, 7, 9));
    const Locale us(QLocale(QStringLiteral("en_US")));
    QCOMPARE(us.formatDateTime(moment, Locale::DateMedium, Locale::TimeNone),
             QStringLiteral("Mar 5, 2012"));
    const QString time = us.formatDateTime(moment, Locale::DateNone, Locale::TimeShort);
    QVERIFY2(time.startsWith(QStringLiteral("2:07")) && !time.contains(":09"), qPrintable(time));
    QCOMPARE(Locale(QLocale(QStringLiteral("en_GB")))
                 .formatDateTime(moment, Locale::DateMedium, Locale::TimeShort),
             QStringLiteral("5 Mar 2012 14:07"));
    QVERIFY(us.formatDateTime(QDateTime(), Locale::DateMedium, Locale::TimeShort).isEmpty());

    // No shipped language's medium date names the weekday or loses the year or starts with its
    // separator, and no short time writes out a pattern letter.
    for (const char *name :
         {"ar_EG", "de_DE", "en_US", "es_ES", "es_MX", "fr_FR", "fr_CA", "id_ID", "it_IT", "pl_PL",
          "pt_PT", "pt_BR", "ru_RU", "uk_UA", "zh_TW", "fi_FI"}) {
        const Locale locale {QLocale(QLatin1String(name))};
        const QString format = locale.dateFormat(Locale::DateMedium);
        QVERIFY2(!format.contains(QStringLiteral("dddd")) && format.contains('y'), name);
        const QString date = locale.formatDateTime(moment, Locale::DateMedium, Locale::TimeNone);
        QVERIFY2(date.at(0).isLetterOrNumber(), qPrintable(date));
        const QString time = locale.formatDateTime(moment, Locale::DateNone, Locale::TimeShort);
        QVERIFY2(!time.contains('B'), qPrintable(time));
    }
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
