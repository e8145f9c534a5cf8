#include "datahandler.h"
#include "zirrupmodel.h"

#include "scriptedcontroller.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSignalSpy>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QtTest>

class TestController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contextPropertiesAtStart();
    void frontendResetKeepsTheModels();
    void onlyOneControllerAtATime();
    void noticesCheckTheNetwork();
    void networkLossStopsTheStream();
    void rootFunctionsAreOptional();
    void typedRootParametersAreConverted();
    void releaseMouseLetsGoOfTheGrab();
    void localizedNumbersAndTextDirection();
    void userImagesAreRebroadcast();
    void signInWithoutAccountOpensTheAccountWindow();
};

void TestController::contextPropertiesAtStart()
{
    ScriptedController c;
    c.start(false);

    QCOMPARE(c.contextProperty("dataHandler").value<QObject *>(), c.handler());
    const QVariantMap expected = {
        {"zirrup_account_exists", false},
        {"zirrup_authenticating", false},
        {"tweet_shortenedUrl", QString()},
        {"tweet_originalUrl", QString()},
        {"composeview_in_reply_to", QString()},
        {"tweet_shortening_url", false},
        {"posting_tweet", false},
        {"updatingProfileImage", false},
        {"messagesview_loading", true},
        {"messagesview_refresh_after_sending", false},
    };
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant value = c.contextProperty(it.key());
        QVERIFY2(value.isValid(), qPrintable(it.key()));
        QCOMPARE(value, it.value());
    }

    auto *history =
        qobject_cast<ZirrupModel *>(c.contextProperty("mySearchHistoryModel").value<QObject *>());
    QVERIFY(history);
    QCOMPARE(history, c.handler()->searchHistoryModel());
    QCOMPARE(history->roleNames(), (QHash<int, QByteArray> {{Qt::UserRole + 1, "query_item"}}));
}

void TestController::frontendResetKeepsTheModels()
{
    ScriptedController c;
    c.start(true);
    QTRY_COMPARE(c.login()->loginCount(), 1);
    c.signIn();

    ZirrupModel *timeline = c.handler()->timelineView()->timelineModel();
    ZirrupModel *history = c.handler()->searchHistoryModel();
    timeline->appendRow(new QStandardItem);
    history->appendRow(new QStandardItem);
    QSignalSpy initialized(c.handler(), &DataHandler::frontendInitialized);

    // The background cleanup's reset keeps the signed-in state.
    c.handler()->setContextProperty(QStringLiteral("messagesview_loading"), false);
    c.handler()->cleanFrontend(false);
    QCOMPARE(initialized.count(), 1);
    QCOMPARE(initialized.first().first().value<DataHandler *>(), c.handler());
    QCOMPARE(c.handler()->timelineView()->timelineModel(), timeline);
    QCOMPARE(c.contextProperty("myTimelineModel").value<QObject *>(), timeline);
    QCOMPARE(timeline->count(), 0);
    QCOMPARE(c.handler()->searchHistoryModel(), history);
    QCOMPARE(history->count(), 0);
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), true);
    QCOMPARE(c.contextProperty("messagesview_loading").toBool(), true);

    c.handler()->cleanFrontend(true);
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), false);
}

void TestController::onlyOneControllerAtATime()
{
    DataHandler *first = DataHandler::instance();
    QCOMPARE(DataHandler::instance(), first);
    QObject parent;
    QCOMPARE(DataHandler::instance(&parent), first);
    QCOMPARE(first->parent(), nullptr);
    delete first;

    // After the controller is gone, the next call makes a new one.
    QObject owner;
    DataHandler *second = DataHandler::instance(&owner);
    QCOMPARE(second->parent(), &owner);
    delete second;
}

void TestController::noticesCheckTheNetwork()
{
    ScriptedController c;
    c.start(false);
    const QString message = QStringLiteral("Unable to do it.");

    c.handler()->showErrorNotice(message, true);
    QCOMPARE(c.view().lastArguments("showError"), QVariantList {message});

    c.handler()->networkStatusChanged(false);
    QVERIFY(!c.handler()->isOnline());
    c.handler()->showErrorNotice(message, true);
    QCOMPARE(c.view().lastArguments("showError"),
             QVariantList {QStringLiteral("qtn_zirrup_networkunavailable")});
    c.handler()->showErrorNotice(message, false);
    QCOMPARE(c.view().lastArguments("showError"), QVariantList {message});
}

void TestController::networkLossStopsTheStream()
{
    ScriptedController c;
    c.start(false);
    ScriptedBackend *backend = c.backend();

    c.handler()->networkStatusChanged(false);
    QCOMPARE(backend->stopStreamingCount(), 1);
    QCOMPARE(c.view().lastArguments("onNetworkAvailableChanged"), QVariantList {false});
    QVERIFY(!c.handler()->isOnline());

    c.handler()->networkStatusChanged(true);
    QCOMPARE(backend->stopStreamingCount(), 1);
    QCOMPARE(c.view().lastArguments("onNetworkAvailableChanged"), QVariantList {true});
    QVERIFY(c.handler()->isOnline());

    c.handler()->onRefreshModels();
    c.handler()->showPreviousPage();
    QCOMPARE(c.view().callNames(),
             QStringList({"onNetworkAvailableChanged", "onNetworkAvailableChanged", "refreshModels",
                          "prevPage"}));
}

void TestController::rootFunctionsAreOptional()
{
    // No root page at all.
    {
        ScriptedPlatformFactory factory;
        QQuickView view;
        DataHandler *handler = DataHandler::instance();
        handler->init(view.rootContext(), &view, &factory);
        handler->showErrorNotice(QStringLiteral("x"), true);
        handler->networkStatusChanged(true);
        handler->releaseMouse(QStringLiteral("grabber"));
        handler->onZirrupAccountRemoved();
        QVERIFY(handler->backend());
        delete handler;
    }
    // A root page without the functions.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("Bare.qml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import QtQuick\nItem { function showError() {} }\n");
    file.close();

    ScriptedPlatformFactory factory;
    QQuickView view;
    view.setSource(QUrl::fromLocalFile(file.fileName()));
    QVERIFY(view.rootObject());
    DataHandler *handler = DataHandler::instance();
    handler->init(view.rootContext(), &view, &factory);
    handler->showErrorNotice(QStringLiteral("x"), false);
    handler->showPreviousPage();
    handler->onRefreshModels();
    QCOMPARE(handler->startView(), QStringLiteral("SignInView.qml"));
    delete handler;
}

void TestController::typedRootParametersAreConverted()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("Typed.qml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import QtQuick\n"
               "Item {\n"
               "    property bool connected: true\n"
               "    property string shown\n"
               "    function onNetworkAvailableChanged(value: bool) { connected = value }\n"
               "    function showError(text: string): string { shown = text; return text }\n"
               "}\n");
    file.close();

    ScriptedPlatformFactory factory;
    QQuickView view;
    view.setSource(QUrl::fromLocalFile(file.fileName()));
    QVERIFY(view.rootObject());
    DataHandler *handler = DataHandler::instance();
    handler->init(view.rootContext(), &view, &factory);

    handler->networkStatusChanged(false);
    QCOMPARE(view.rootObject()->property("connected").toBool(), false);
    handler->showErrorNotice(QStringLiteral("Typed text"), false);
    QCOMPARE(view.rootObject()->property("shown").toString(), QStringLiteral("Typed text"));
    delete handler;
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

void TestController::localizedNumbersAndTextDirection()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    ScriptedController c;
    QLocale::setDefault(previous);
    c.start(false);

    QCOMPARE(c.handler()->getLocalizedInt(1234567), QStringLiteral("1.234.567"));
    QCOMPARE(c.handler()->getLocalizedInt(-20), QStringLiteral("-20"));
    QCOMPARE(c.handler()->locale().name(), QStringLiteral("de_DE"));

    QVERIFY(c.handler()->isRightToLeftText(QString::fromUtf8("مرحبا بالعالم")));
    QVERIFY(c.handler()->isRightToLeftText(QString::fromUtf8("123 שלום @bob")));
    QVERIFY(!c.handler()->isRightToLeftText(QStringLiteral("hello")));
    QVERIFY(!c.handler()->isRightToLeftText(QString()));
}

void TestController::userImagesAreRebroadcast()
{
    ScriptedController c;
    c.start(false);
    QSignalSpy loaded(c.handler(), &DataHandler::userImageLoaded);
    c.handler()->emitUserImageLoaded(QStringLiteral("bob"), ProfileView::ImageSizeBigger,
                                     QStringLiteral("image://avatar/file:///a.png"));
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.first().at(0).toString(), QStringLiteral("bob"));
    QCOMPARE(loaded.first().at(1).value<ProfileView::ProfileImageSize>(),
             ProfileView::ImageSizeBigger);
    QCOMPARE(loaded.first().at(2).toString(), QStringLiteral("image://avatar/file:///a.png"));
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
