#include "windowgeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

// The window's size and place, per user, across starts.
class TestWindowGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachUserGetsTheirOwn();
    void savedGeometryIsMadeUsable_data();
    void savedGeometryIsMadeUsable();

private:
    QString file() const { return m_dir.filePath(QStringLiteral("window.ini")); }
    QTemporaryDir m_dir;
};

void TestWindowGeometry::eachUserGetsTheirOwn()
{
    const QString path = m_dir.filePath(QStringLiteral("users.ini"));
    {
        QWindow window;
        WindowGeometry geometry(&window, path, nullptr);
        geometry.restore(QSize(480, 700));
        geometry.setUser(QStringLiteral("Alice"));
        window.setGeometry(10, 20, 400, 500);
        geometry.save();
        geometry.setUser(QStringLiteral("bob"));
        // Bob has nothing saved yet: the window stays as it is, and is his from now on.
        QCOMPARE(window.geometry(), QRect(10, 20, 400, 500));
        window.setGeometry(30, 40, 600, 700);
        // Left to the delayed save, which the end of the program does not lose.
    }
    QWindow window;
    WindowGeometry geometry(&window, path, nullptr);
    QCOMPARE(geometry.user(), QStringLiteral("bob"));
    geometry.restore(QSize(480, 700));
    QCOMPARE(window.geometry(), QRect(30, 40, 600, 700));
    geometry.setUser(QStringLiteral("ALICE"));
    QCOMPARE(window.geometry(), QRect(10, 20, 400, 500));
}

void TestWindowGeometry::savedGeometryIsMadeUsable_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("restored");

    QTest::newRow("as saved") << "carol" << QRect(50, 60, 500, 600) << QRect(50, 60, 500, 600);
    QTest::newRow("too narrow") << "carol" << QRect(50, 60, 200, 600) << QRect(50, 60, 360, 600);
    // The window stays where the window manager put it.
    QTest::newRow("on a screen that is gone")
        << "carol" << QRect(20000, 20000, 500, 600) << QRect(70, 80, 500, 600);
    // Nobody signed in: nothing is kept, and the first size is raised to the smallest.
    QTest::newRow("nobody signed in") << "" << QRect(50, 60, 500, 600) << QRect(70, 80, 360, 480);
}

void TestWindowGeometry::savedGeometryIsMadeUsable()
{
    QFETCH(QString, user);
    QFETCH(QRect, saved);
    QFETCH(QRect, restored);

    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".ini");
    {
        QWindow window;
        WindowGeometry geometry(&window, path, nullptr);
        geometry.setUser(user);
        window.setGeometry(saved);
        geometry.save();
    }
    QWindow window;
    window.setPosition(70, 80);
    WindowGeometry geometry(&window, path, nullptr);
    geometry.restore(QSize(200, 300));
    QCOMPARE(window.minimumSize(), QSize(360, 480));
    QCOMPARE(window.geometry(), restored);
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
