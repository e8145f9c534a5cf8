#include "themeimageprovider.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QtTest>

// What the program takes from its resources: the images the pages name, the avatar mask, the
// theme images and the English catalogues. The pages and the module are loaded by the QML tests.
class TestResources : public QObject
{
    Q_OBJECT

    QTranslator m_zirrup;
    QTranslator m_common;

    // What the QML and script files of the pages and the module name by the given pattern's
    // first group.
    static QSet<QString> named(const QString &pattern)
    {
        const QRegularExpression reference(pattern);
        QSet<QString> found;
        for (const char *folder : {":/resources/qml", ":/qt-project.org/imports/com/orvik/meego"}) {
            QDirIterator it(QLatin1String(folder),
                            {QStringLiteral("*.qml"), QStringLiteral("*.js")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                file.open(QIODevice::ReadOnly);
                const QString text = QString::fromUtf8(file.readAll());
                for (auto matches = reference.globalMatch(text); matches.hasNext();)
                    found.insert(matches.next().captured(1));
            }
        }
        return found;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_zirrup.load(QStringLiteral(":/zirrup_en.qm")));
        QVERIFY(m_common.load(QStringLiteral(":/common_en.qm")));
        QCoreApplication::installTranslator(&m_zirrup);
        QCoreApplication::installTranslator(&m_common);
    }

    void pageImages()
    {
        // The images the pages name by a base name, in both sizes.
        QFile list(QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/images.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList names = QString::fromUtf8(list.readAll())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                      .filter(QRegularExpression(QStringLiteral("^[^#]")));
        QVERIFY(names.size() > 40);
        for (const QString &name : names) {
            const QString path = QStringLiteral(":/resources/images/") + name;
            QImage normal(path + QStringLiteral(".png"));
            QImage sharp(path + QStringLiteral("@2x.png"));
            QVERIFY2(!normal.isNull(), qPrintable(name));
            QVERIFY2(!sharp.isNull(), qPrintable(name + QStringLiteral("@2x")));
            QCOMPARE(sharp.size(), normal.size() * 2);
        }
        // Literal image file names in the pages.
        const QSet<QString> literals =
            named(QStringLiteral("\"\\.\\./images/([A-Za-z0-9_@.-]+\\.png)\""));
        QVERIFY(literals.size() > 10);
        for (const QString &name : literals)
            QVERIFY2(QFile::exists(QStringLiteral(":/resources/images/") + name), qPrintable(name));
    }

    void avatarMask()
    {
        const QImage mask(QStringLiteral(":/zirrup-avatar-mask"));
        QVERIFY(mask.hasAlphaChannel());
        const int w = mask.width();
        QCOMPARE(mask.height(), w);
        // Opaque inside and at the middle of each edge, transparent at the rounded corners.
        for (const QPoint opaque : {QPoint(w / 2, w / 2), QPoint(w / 2, 1), QPoint(1, w / 2)})
            QCOMPARE(qAlpha(mask.pixel(opaque)), 255);
        QCOMPARE(qAlpha(mask.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(mask.pixel(w - 1, w - 1)), 0);
        const QImage avatar(QStringLiteral(":/resources/images/default_profile_0_bigger.png"));
        QCOMPARE(avatar.size(), QSize(73, 73));
        QCOMPARE(qAlpha(avatar.pixel(0, 0)), 255);
    }

    void themeImages()
    {
        QSet<QString> ids = named(QStringLiteral("image://theme/([A-Za-z0-9_-]*[A-Za-z0-9])\""));
        // Names the module builds from parts.
        ids.insert(QStringLiteral("icon-m-toolbar-back"));
        ids.insert(QStringLiteral("icon-m-toolbar-back-dimmed"));
        for (const char *corner : {"top-left", "top-right", "bottom-left", "bottom-right"})
            ids.insert(QStringLiteral("meegotouch-screen-corner-") + QLatin1String(corner));
        QVERIFY(ids.size() > 20);

        ThemeImageProvider provider;
        for (const QString &id : std::as_const(ids)) {
            QSize size;
            const QImage image = provider.requestImage(id, &size, QSize());
            QVERIFY2(!image.isNull(), qPrintable(id));
            QVERIFY2(!size.isEmpty(), qPrintable(id));
            // Drawn again at twice the size, a theme image stays sharp.
            const QImage twice = provider.requestImage(id, &size, image.size() * 2);
            QCOMPARE(twice.size(), image.size() * 2);
        }
    }

    void pluralForms()
    {
        QCOMPARE(qtTrId("qtn_comm_time_sec_ago", 2), QStringLiteral("2 seconds ago"));
        QCOMPARE(qtTrId("qtn_comm_time_sec_ago", 1), QStringLiteral("1 second ago"));
        QCOMPARE(qtTrId("qtn_comm_time_minute_ago", 1), QStringLiteral("1 minute ago"));
        QCOMPARE(qtTrId("qtn_comm_time_minute_ago", 59), QStringLiteral("59 minutes ago"));
        QCOMPARE(qtTrId("qtn_comm_time_hours_ago", 1), QStringLiteral("1 hour ago"));
        QCOMPARE(qtTrId("qtn_comm_time_hours_ago", 6), QStringLiteral("6 hours ago"));
        QCOMPARE(qtTrId("qtn_comm_time_moment_ago"), QStringLiteral("A moment ago"));
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
