#include "datahandler.h"

#include "scriptedcontroller.h"

#include <QQmlContext>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QtTest>

// The controller itself: what it asks of the root page and of the platform.
class TestController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rootFunctionsAreOptionalAndTyped();
    void releaseMouseLetsGoOfTheGrab();
    void signInWithoutAccountOpensTheAccountWindow();
};

void TestController::rootFunctionsAreOptionalAndTyped()
{
    // No root page at all, and a root page with only some of the functions, typed.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Typed.qml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import QtQuick\nItem {\n    property bool connected: true\n"
               "    property string shown\n"
               "    function onNetworkAvailableChanged(value: bool) { connected = value }\n"
               "    function showError(text: string): string { shown = text; return text }\n}\n");
    file.close();
    for (bool withRoot : {false, true}) {
        ScriptedPlatformFactory factory;
        QQuickView view;
        if (withRoot)
            view.setSource(QUrl::fromLocalFile(file.fileName()));
        DataHandler *handler = DataHandler::instance();
        handler->init(view.rootContext(), &view, &factory);
        handler->networkStatusChanged(false);
        handler->showErrorNotice(QStringLiteral("Typed text"), false);
        handler->showPreviousPage();
        handler->onRefreshModels();
        handler->releaseMouse(QStringLiteral("grabber"));
        handler->onZirrupAccountRemoved();
        QVERIFY(handler->backend());
        QCOMPARE(handler->startView(), QStringLiteral("SignInView.qml"));
        if (withRoot) {
            QCOMPARE(view.rootObject()->property("connected").toBool(), false);
            QCOMPARE(view.rootObject()->property("shown").toString(), QStringLiteral("Typed text"));
        }
        delete handler;
    }

    ScriptedController c;
    c.start(false);
    c.view().clearCalls();
    c.handler()->onRefreshModels();
    c.handler()->showPreviousPage();
    QCOMPARE(c.view().callNames(), QStringList({"refreshModels", "prevPage"}));
}

void TestController::releaseMouseLetsGoOfTheGrab()
{
    ScriptedController c;
    c.start(false);
    c.view().resize(480, 854);
    c.view().show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.view()));

    auto *grabber = c.view().rootObject()->findChild<QQuickItem *>(QStringLiteral("grabber"));
    QVERIFY(grabber);
    QTest::mousePress(&c.view(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTRY_VERIFY(grabber->property("pressed").toBool());
    c.handler()->releaseMouse(QStringLiteral("nobody"));
    QVERIFY(grabber->property("pressed").toBool());
    c.handler()->releaseMouse(QStringLiteral("grabber"));
    QTRY_VERIFY(!grabber->property("pressed").toBool());
    QTest::mouseRelease(&c.view(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
}

void TestController::signInWithoutAccountOpensTheAccountWindow()
{
    ScriptedController c;
    c.start(false);
    const auto windows = [] { return QGuiApplication::topLevelWindows().size(); };
    const int before = windows();

    // Queued: the sign-in button's own click finishes first.
    c.handler()->createNewAccount();
    QCOMPARE(windows(), before);
    QTRY_COMPARE(windows(), before + 1);
    QCOMPARE(c.login()->loginCount(), 0);
    // The same button again brings that window forward instead of a second one.
    c.handler()->settingsClicked();
    QCOMPARE(windows(), before + 1);
}

QTEST_MAIN(TestController)
#include "tst_controller.moc"
