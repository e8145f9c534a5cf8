#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
struct Entry
{
    bool numerus = false;
    bool finished = true;
    QStringList texts; // one per plural form, or the one text
};

struct Catalogue
{
    QString language;
    QHash<QString, Entry> entries;
    QString error;
};

Catalogue readCatalogue(const QString &path)
{
    Catalogue catalogue;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        catalogue.error = file.errorString();
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString id;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("TS")) {
                catalogue.language = xml.attributes().value(QLatin1String("language")).toString();
            } else if (name == QLatin1String("message")) {
                id = xml.attributes().value(QLatin1String("id")).toString();
                entry = Entry();
                entry.numerus =
                    xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (name == QLatin1String("translation")) {
                // Anything but a plain translation (unfinished, vanished, obsolete) is not done.
                entry.finished = !xml.attributes().hasAttribute(QLatin1String("type"));
                if (!entry.numerus)
                    entry.texts.append(xml.readElementText());
            } else if (name == QLatin1String("numerusform")) {
                entry.texts.append(xml.readElementText());
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            if (catalogue.entries.contains(id))
                catalogue.error = QStringLiteral("%1 twice").arg(id);
            catalogue.entries.insert(id, entry);
        }
    }
    if (xml.hasError())
        catalogue.error = xml.errorString();
    return catalogue;
}

// %1, %L1 and %Ln, sorted: what a translation must carry over from the English text.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?(?:n|[1-9])"));
    QStringList found;
    auto matches = marker.globalMatch(text);
    while (matches.hasNext())
        found.append(matches.next().captured());
    found.sort();
    return found;
}

const QString TranslationsDir = QStringLiteral(ZIRRUP_SOURCE_DIR "/translations/");
} // namespace

// The catalogues as the program ships them: each language holds every text the sources ask for,
// finished, with the English placeholders and the plural forms of its language.
class TestCatalogues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void englishHoldsEveryIdTheSourcesUse()
    {
        // Read from the sources at test time, so that a page added later cannot miss its texts.
        static const QRegularExpression idLiteral(
            QStringLiteral("\"(qtn_(zirrup|comm)_[a-z0-9_]+)\""));
        QSet<QString> used[2];
        for (const char *folder : {"src", "resources/qml", "platform"}) {
            QDirIterator it(QStringLiteral(ZIRRUP_SOURCE_DIR "/") + QLatin1String(folder),
                            {QStringLiteral("*.cpp"), QStringLiteral("*.h"),
                             QStringLiteral("*.qml"), QStringLiteral("*.js")},
                            QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
                auto matches = idLiteral.globalMatch(QString::fromUtf8(file.readAll()));
                while (matches.hasNext()) {
                    const QRegularExpressionMatch match = matches.next();
                    used[match.captured(2) == QLatin1String("comm") ? 1 : 0].insert(
                        match.captured(1));
                }
            }
        }
        QVERIFY(used[0].size() > 40);
        QVERIFY(used[1].size() > 10);

        const char *names[2] = {"zirrup_en.ts", "common_en.ts"};
        for (int i = 0; i < 2; ++i) {
            const Catalogue english = readCatalogue(TranslationsDir + QLatin1String(names[i]));
            QVERIFY2(english.error.isEmpty(), qPrintable(english.error));
            for (const QString &id : std::as_const(used[i]))
                QVERIFY2(english.entries.contains(id),
                         qPrintable(id + QStringLiteral(" in ") + names[i]));
        }
    }

    void everyCatalogueMatchesEnglish_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(TranslationsDir).entryList({QStringLiteral("*.ts")});
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << file;
        // Each shipped language, twice: the program's texts and the platform's.
        QVERIFY(files.size() >= 31);
    }

    void everyCatalogueMatchesEnglish()
    {
        QFETCH(QString, file);
        const QString kind = file.section(QLatin1Char('_'), 0, 0);
        const QString locale = file.section(QLatin1Char('_'), 1).chopped(3);

        const Catalogue english = readCatalogue(TranslationsDir + kind + QStringLiteral("_en.ts"));
        const Catalogue catalogue = readCatalogue(TranslationsDir + file);
        QVERIFY2(catalogue.error.isEmpty(), qPrintable(catalogue.error));
        QCOMPARE(catalogue.language, locale);

        QStringList ids = catalogue.entries.keys();
        QStringList englishIds = english.entries.keys();
        ids.sort();
        englishIds.sort();
        QCOMPARE(ids, englishIds);

        // The program finds it, as written here, in its resources.
        QTranslator shipped;
        QVERIFY(shipped.load(QStringLiteral(":/") + file.chopped(3) + QStringLiteral(".qm")));
        for (auto it = catalogue.entries.cbegin(); it != catalogue.entries.cend(); ++it) {
            const QByteArray id = it.key().toLatin1();
            const Entry &entry = it.value();
            const Entry &source = english.entries.value(it.key());
            QVERIFY2(entry.finished, id);
            QCOMPARE(entry.numerus, source.numerus);
            for (const QString &text : entry.texts) {
                QVERIFY2(!text.trimmed().isEmpty(), id);
                QVERIFY2(placeholders(text) == placeholders(source.texts.constLast()),
                         qPrintable(it.key() + QStringLiteral(": ") + text));
            }
            if (!entry.numerus) {
                QCOMPARE(entry.texts.size(), 1);
                QCOMPARE(shipped.translate(nullptr, id), entry.texts.first());
                continue;
            }
            // The language's plural rules pick one of its own forms for every count, and each of
            // its forms for some count.
            QSet<QString> picked;
            for (int count = 0; count <= 110; ++count)
                picked.insert(shipped.translate(nullptr, id, nullptr, count));
            QCOMPARE(picked, QSet<QString>(entry.texts.cbegin(), entry.texts.cend()));
        }
    }
};

QTEST_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
