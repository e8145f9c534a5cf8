#include "datahandler.h"
#include "hangupwatcher.h"
#include "jsonrows.h"
#include "locale.h"
#include "startup.h"
#include "windowgeometry.h"
#include "zirrupmessageitem.h"
#include "zirrupmodel.h"

#include "areatestmain.h"
#include "scriptedcontroller.h"
#include "scriptedlaunchrequests.h"
#include "scriptedsession.h"
#include "zirrup.h"

#include <QProcess>
#include <QQmlContext>
#include <QQuickItem>
#include <QSignalSpy>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <QtTest>

#include <csignal>

namespace {
const int FirstRole = Qt::UserRole + 1;
const QHash<int, QByteArray> Roles = {
    {FirstRole, "name"}, {FirstRole + 1, "count"}, {FirstRole + 2, "flag"}};

QStandardItem *row(const QString &name, int count, bool flag = false)
{
    auto *item = new QStandardItem;
    item->setData(name, FirstRole);
    item->setData(count, FirstRole + 1);
    item->setData(flag, FirstRole + 2);
    return item;
}

ZirrupMessageItem *message(const QString &id)
{
    auto *item = new ZirrupMessageItem;
    if (!id.isEmpty())
        item->setData(id, ZirrupMessageItem::IdRole);
    return item;
}

const QString StartupData = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/startup.json");

const QString OAuthFailure = QStringLiteral("Could not authenticate with OAuth.");
const QStringList NoCredentials(6, QString());

QStringList capturedLines;

// The logins asked for so far: "again" when signing in again, "flagged" when the flag was set.
QStringList logins(const ScriptedController &c)
{
    QStringList made;
    for (const ScriptedLogin::LoginCall &call : c.login()->loginCalls())
        made.append(QStringLiteral("%1%2").arg(call.reauthenticate ? "again" : "first",
                                               call.flag ? " flagged" : ""));
    return made;
}

// The first login after a start with an account, without waiting out the start-up delay (measured
// once, in the session cases).
void awaitLogin(ScriptedController &c)
{
    if (QTimer *delay = c.handler()->delayedLoginTimer(); delay && delay->isActive())
        delay->start(0);
    QTRY_COMPARE(c.login()->loginCount(), 1);
}

// Started with an account and signed in.
void signedIn(ScriptedController &c, const QString &user = QStringLiteral("Alice"))
{
    c.start(true);
    awaitLogin(c);
    c.signIn(user);
}

const QString LaunchData = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/launch.json");
const QString SessionData = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/session.json");
const QString AdaptersData = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/adapters.json");

// Each entry: the root function, then its arguments, separated by blanks.
QStringList rootCalls(const ScriptedView &view)
{
    QStringList result;
    for (const ScriptedView::RootCall &call : view.calls()) {
        QStringList entry {call.name};
        for (const QVariant &argument : call.args)
            entry.append(argument.toString());
        result.append(entry.join(QLatin1Char(' ')));
    }
    return result;
}

bool send(QObject *requests, const QVariantMap &row)
{
    const QByteArray name = row.value("request").toString().toLatin1();
    const QStringList a = row.value("args").toStringList();
    if (a.isEmpty())
        return QMetaObject::invokeMethod(requests, name);
    if (a.size() == 1)
        return QMetaObject::invokeMethod(requests, name, Q_ARG(QString, a[0]));
    return QMetaObject::invokeMethod(requests, name, Q_ARG(QString, a[0]), Q_ARG(QString, a[1]));
}
} // namespace

// Start-up, sign-in and the controller's own duties; each ctest entry runs one area's functions.
class TestCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Models.
    void modelRowsCountAndClearing()
    {
        QObject owner;
        ZirrupModel *model = nullptr;
        ZirrupModel *created = ZirrupModel::createOrClear(model, Roles, &owner);
        QCOMPARE(model, created);
        QCOMPARE(model->parent(), &owner);
        QSignalSpy countChanged(model, &ZirrupModel::countChanged);
        model->appendRow(row(QStringLiteral("alice"), 3, true));
        model->appendRow(row(QStringLiteral("bob"), 0));
        QCOMPARE(model->property("count").toInt(), 2);
        // get() is what QML calls: every role by name, invalid outside the rows.
        QCOMPARE(model->get(1), (QVariantMap {{"name", "bob"}, {"count", 0}, {"flag", false}}));
        for (int outside : {-1, 2}) {
            const QVariantMap map = model->get(outside);
            QCOMPARE(map.keys(), QStringList({"count", "flag", "name"}));
            QVERIFY(!map.value("name").isValid());
        }

        // Only data changes, an explicit call and clearing say the count changed.
        QCOMPARE(countChanged.count(), 0);
        model->item(0)->setData(2, FirstRole + 1);
        model->emitCountChanged();
        QCOMPARE(countChanged.count(), 2);
        // Cleared, the same model stays with its roles.
        ZirrupModel::createOrClear(model, Roles, &owner);
        QCOMPARE(model, created);
        QCOMPARE(model->count(), 0);
        QCOMPARE(countChanged.count(), 3);
        QCOMPARE(model->roleNames(), Roles);
    }

    void modelMessageListsSortNumerically()
    {
        ZirrupModel model({{ZirrupMessageItem::IdRole, "msg_id"}});
        // Ids beyond 64 bits, of one length and of different lengths, and a row without one ("").
        for (const char *id :
             {"42", "1243", "18446744073709551616", "1000", "999", "", "1000000000000000123",
              "1234", "18446744073709551617", "999999999999999999"})
            model.appendRow(message(QLatin1String(id)));
        // The sort role is not what orders message rows.
        model.setSortRole(Qt::DisplayRole);
        model.sort(0, Qt::DescendingOrder);
        QCOMPARE(column(&model, "msg_id"),
                 QStringList({"18446744073709551617", "18446744073709551616", "1000000000000000123",
                              "999999999999999999", "1243", "1234", "1000", "999", "42", ""}));
        model.sort(0, Qt::AscendingOrder);
        QCOMPARE(model.get(0).value("msg_id").toString(), QString());
    }

    // Command line, catalogues, proxy, fonts and formats.
    void startupCommandLine_data() { addJsonRows(StartupData, "commandLine"); }
    void startupCommandLine()
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

    void startupCatalogueSelection_data() { addJsonRows(StartupData, "catalogue"); }
    void startupCatalogueSelection()
    {
        QFETCH(QVariantMap, row);
        QCOMPARE(Startup::catalogueLocale(row["locale"].toString()), row["name"].toString());

        QTemporaryDir dir;
        for (const char *name :
             {"zirrup_en.qm", "zirrup_pt.qm", "zirrup_pt_BR.qm", "zirrup_zh_TW.qm", "zirrup_fr.qm"})
            QVERIFY(
                QFile::copy(QStringLiteral(":/zirrup_en.qm"), dir.filePath(QLatin1String(name))));
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

    void startupProxyFromEnvironment_data() { addJsonRows(StartupData, "proxy"); }
    void startupProxyFromEnvironment()
    {
        QFETCH(QVariantMap, row);
        const QString value = row["value"].toString();
        const bool expected = row.contains("proxy");
        bool found = !expected;
        const QNetworkProxy proxy = Startup::proxyFromEnvironment(value, &found);
        QCOMPARE(found, expected);
        QCOMPARE(proxy.type(), expected ? QNetworkProxy::HttpProxy : QNetworkProxy::NoProxy);
        // Host, port, user and password.
        QCOMPARE(QStringList({proxy.hostName(), QString::number(proxy.port()), proxy.user(),
                              proxy.password()})
                     .join(QLatin1Char('|')),
                 row.value("proxy", "|0||").toString());
        // The password stays out of the address the program shows.
        const QString shown = Startup::proxyUrl(value).toString(QUrl::RemovePassword);
        QVERIFY(proxy.password().isEmpty() || !shown.contains(proxy.password()));
    }

    void startupFontAndLocaleFormats()
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
        QVERIFY2(time.startsWith(QStringLiteral("2:07")) && !time.contains(":09"),
                 qPrintable(time));
        QCOMPARE(Locale(QLocale(QStringLiteral("en_GB")))
                     .formatDateTime(moment, Locale::DateMedium, Locale::TimeShort),
                 QStringLiteral("5 Mar 2012 14:07"));
        QVERIFY(us.formatDateTime(QDateTime(), Locale::DateMedium, Locale::TimeShort).isEmpty());

        // No shipped language's medium date names the weekday or loses the year or starts with its
        // separator, and no short time writes out a pattern letter.
        for (const char *name :
             {"ar_EG", "de_DE", "en_US", "es_ES", "es_MX", "fr_FR", "fr_CA", "id_ID", "it_IT",
              "pl_PL", "pt_PT", "pt_BR", "ru_RU", "uk_UA", "zh_TW", "fi_FI"}) {
            const Locale locale {QLocale(QLatin1String(name))};
            const QString format = locale.dateFormat(Locale::DateMedium);
            QVERIFY2(!format.contains(QStringLiteral("dddd")) && format.contains('y'), name);
            const QString date =
                locale.formatDateTime(moment, Locale::DateMedium, Locale::TimeNone);
            QVERIFY2(date.at(0).isLetterOrNumber(), qPrintable(date));
            const QString time = locale.formatDateTime(moment, Locale::DateNone, Locale::TimeShort);
            QVERIFY2(!time.contains('B'), qPrintable(time));
        }
    }

    // The window's size and place, per user, across starts.
    void geometryEachUserGetsTheirOwn()
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

    void geometrySavedIsMadeUsable_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<QRect>("restored");

        QTest::newRow("as saved") << "carol" << QRect(50, 60, 500, 600) << QRect(50, 60, 500, 600);
        QTest::newRow("too narrow")
            << "carol" << QRect(50, 60, 200, 600) << QRect(50, 60, 360, 600);
        // The window stays where the window manager put it.
        QTest::newRow("on a screen that is gone")
            << "carol" << QRect(20000, 20000, 500, 600) << QRect(70, 80, 500, 600);
        // Nobody signed in: nothing is kept, and the first size is raised to the smallest.
        QTest::newRow("nobody signed in")
            << "" << QRect(50, 60, 500, 600) << QRect(70, 80, 360, 480);
    }

    void geometrySavedIsMadeUsable()
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

    // Hangups.
    void hangupSignalArrivesInTheEventLoop()
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        struct sigaction saved = {};
        QCOMPARE(::sigaction(SIGHUP, &ignore, &saved), 0);
        {
            HangupWatcher watcher;
            QVERIFY(watcher.isInstalled());
            QSignalSpy hangups(&watcher, &HangupWatcher::hangup);
            for (int i = 1; i <= 2; ++i) {
                QCOMPARE(::raise(SIGHUP), 0);
                // Nothing happens inside the handler itself.
                QCOMPARE(hangups.count(), i - 1);
                QVERIFY(hangups.wait());
                QCOMPARE(hangups.count(), i);
            }
            // Only one watcher owns the signal at a time.
            QVERIFY(!HangupWatcher().isInstalled());
        }
        // The disposition from before comes back, and a new watcher can take over.
        struct sigaction current = {};
        ::sigaction(SIGHUP, &saved, &current);
        QVERIFY(current.sa_handler == SIG_IGN);
        QVERIFY(HangupWatcher().isInstalled());
    }

    void hangupProgramExitsCleanlyOnHangup()
    {
        // The test's own fresh home; nothing listens at the service address, so the signed-out
        // start page's request fails at once.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZIRRUP_SERVICE_URL"),
                           QStringLiteral("http://127.0.0.1:9"));

        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(ZIRRUP_BINARY_DIR "/src/zirrup-qml"),
                      {QStringLiteral("--debug")});
        QVERIFY(process.waitForStarted());
        // The program says when its event loop (and with it the handler) is up.
        QByteArray output;
        while (!output.contains("running")) {
            QVERIFY2(process.waitForReadyRead(30000), output.constData());
            output += process.readAll();
        }
        QVERIFY(output.contains("DataHandler::init"));
        QCOMPARE(::kill(pid_t(process.processId()), SIGHUP), 0);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }

    // Signing in and out, retries, and what failures become.
    void sessionSignedOutStartPageShowsTrends()
    {
        ScriptedController c;
        c.start(false);
        // A second ensureBackend keeps the backend.
        ScriptedBackend *backend = c.backend();
        c.handler()->ensureBackend();
        QCOMPARE(c.backends().size(), 1);
        QCOMPARE(backend->callCount("retrieveTrends"), 1);
        const ScriptedCall call = backend->lastCall("retrieveTrends");
        QCOMPARE(call.type, int(TrendType::Place));
        QCOMPARE(call.args, Zr::ArgMap({{"woeid", "1"}}));
        ZirrupModel *trends = c.handler()->trendsView()->trendsModel();
        QCOMPARE(c.contextProperty("trends_is_loading").toBool(), true);
        const QVariantList names = {QVariantMap {{"name", "#qt"}},
                                    QVariantMap {{"name", "Zirrup"}}};
        backend->complete(call, {QVariantMap {{"trends", names}}});
        QCOMPARE(c.contextProperty("trends_is_loading").toBool(), false);
        QCOMPARE(trends->count(), 2);
        QCOMPARE(trends->get(1).value("query_item").toString(), QStringLiteral("Zirrup"));

        // An empty answer keeps the trends shown; an answer to another request is not ours.
        c.handler()->updateTrendingTopics();
        backend->complete(backend->lastCall("retrieveTrends"), {});
        backend->complete(call, {QVariantMap {{"trends", QVariantList()}}});
        QCOMPARE(trends->count(), 2);

        // A failure brings the indicator down and says so.
        c.handler()->updateTrendingTopics();
        backend->fail(backend->lastCall("retrieveTrends"), QStringLiteral("Over capacity"));
        QCOMPARE(c.contextProperty("trends_is_loading").toBool(), false);
        QCOMPARE(c.view().lastArguments("showError"),
                 QVariantList {"qtn_zirrup_error_load_trends"});
        QCOMPARE(trends->count(), 2);

        // A request that was not sent leaves nothing spinning.
        backend->setResult(QStringLiteral("retrieveTrends"), Zr::RequestFailed);
        c.handler()->updateTrendingTopics();
        QCOMPARE(c.contextProperty("trends_is_loading").toBool(), false);
    }

    void sessionAccountEventsStartOneLogin()
    {
        ScriptedController c;
        c.start(false);
        QVERIFY(!c.handler()->delayedLoginTimer() || !c.handler()->delayedLoginTimer()->isActive());
        QTimer *timer = c.handler()->delayedAuthenticationTimer();
        QVERIFY(!timer->isActive());

        // Other services' accounts are none of ours.
        Q_EMIT c.login()->accountStateChanged(ZrServiceType::Servicetype(1), true);
        QVERIFY(!timer->isActive());
        Q_EMIT c.login()->accountStateChanged(ZrServiceType::Zirrup, true);
        QVERIFY(timer->isActive());
        Q_EMIT c.login()->accountAdded();
        Q_EMIT c.login()->accountAdded();
        QCOMPARE(c.login()->loginCount(), 0);
        awaitLogin(c);
        QVERIFY(!timer->isActive());
        // While that login is pending, the timer firing again starts nothing.
        c.handler()->delayedAuthentication();
        QCOMPARE(c.login()->loginCount(), 1);

        ScriptedBackend *before = c.backend();
        Q_EMIT c.login()->accountStateChanged(ZrServiceType::Servicetype(1), false);
        QCOMPARE(c.backend(), before);
        Q_EMIT c.login()->accountStateChanged(ZrServiceType::Zirrup, false);
        QVERIFY(c.backend() != before);
        QCOMPARE(c.view().lastArguments("startPage"), QVariantList {"SignInView.qml"});
    }

    void sessionLoginShortlyAfterStartAndNoSecondWhilePending()
    {
        ScriptedController c;
        c.start(true);
        QTimer *timer = c.handler()->delayedLoginTimer();
        QVERIFY(timer && timer->isActive());
        QCOMPARE(c.login()->loginCount(), 0);
        QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), false);

        QTRY_COMPARE(logins(c), QStringList {"first flagged"});
        QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), true);
        // Forwarders wait for the login, and asking again starts no second one.
        c.handler()->updateTrendingTopics();
        QVERIFY(!c.backend()->hasCall("retrieveTrends"));
        c.handler()->reAuthentication();
        c.handler()->launchAccountsUi();
        QCOMPARE(c.login()->loginCount(), 1);

        c.signIn();
        QCOMPARE(c.handler()->isAuthenticating(), false);
        c.handler()->reAuthentication();
        QCOMPARE(logins(c), QStringList({"first flagged", "again"}));
        QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), true);

        // The sign-in button with an account in place signs in again, after the current event.
        c.signIn();
        c.handler()->createNewAccount();
        QCOMPARE(c.login()->loginCount(), 2);
        QTRY_COMPARE(logins(c), QStringList({"first flagged", "again", "again"}));
    }

    void sessionSignInReplacesTheBackendAndKeepsSecretsOutOfTheLog()
    {
        ScriptedController c;
        c.start(true);
        awaitLogin(c);
        QPointer<ScriptedBackend> anonymous = c.backend();

        capturedLines.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &line) {
                capturedLines.append(line);
            });
        c.signIn(QStringLiteral("Alice"));
        qInstallMessageHandler(previous);
        const QString output = capturedLines.join(QLatin1Char('\n'));
        QVERIFY(output.contains(QStringLiteral("\"Alice\"")));
        QVERIFY(output.contains(QStringLiteral("present, 21 characters")));
        for (const char *secret :
             {"token-Alice", "token-secret-of-Alice", "consumer-key", "consumer-secret-value"})
            QVERIFY2(!output.contains(QLatin1String(secret)), secret);

        QVERIFY(c.backend() != anonymous.data());
        QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), false);
        QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), true);

        // The anonymous backend says nothing more and goes once the event loop runs.
        QVERIFY(anonymous);
        Q_EMIT anonymous->networkRequestError(1, {{"error", OAuthFailure}});
        QCOMPARE(c.login()->loginCount(), 1);
        QTRY_VERIFY(anonymous.isNull());

        // A post still under way on a replaced backend will never be answered; the old stream's
        // id is forgotten, and a refused stream request sets none.
        c.handler()->pendingQueryIds().postTweet = 77;
        c.handler()->setContextProperty(QStringLiteral("posting_tweet"), true);
        c.setBackendSetup([](ScriptedBackend *next) {
            next->setResult(QStringLiteral("startStreaming"), Zr::RequestFailed);
        });
        c.signIn(QStringLiteral("Alice"));
        QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
        QCOMPARE(c.handler()->pendingQueryIds().postTweet, -2);
        QVERIFY(c.backend()->hasCall("startStreaming"));
        QCOMPARE(c.handler()->pendingQueryIds().stream, -2);
    }

    void sessionOneAutomaticRetryWithoutEarlierSignIn()
    {
        ScriptedController c;
        c.start(true);
        awaitLogin(c);
        ScriptedBackend *anonymous = c.backend();

        Q_EMIT c.login()->loginError(ZrLoginError::NetworkError,
                                     QStringLiteral("Connection refused"));
        QCOMPARE(c.handler()->isAuthenticating(), false);
        QVERIFY(c.handler()->delayedAuthenticationTimer()->isActive());
        QTRY_COMPARE(logins(c), QStringList({"first flagged", "first"}));

        // The second failure ends it; never signed in, so the pages stay as they are.
        Q_EMIT c.login()->loginError(ZrLoginError::NetworkError,
                                     QStringLiteral("Connection refused"));
        QVERIFY(!c.handler()->delayedAuthenticationTimer()->isActive());
        QCOMPARE(c.backend(), anonymous);
        QCOMPARE(c.view().callCount("startPage"), 0);
        QCOMPARE(c.login()->loginCount(), 2);

        // Started offline: the network's return is the next chance, and it is taken.
        c.handler()->networkStatusChanged(false);
        c.handler()->networkStatusChanged(true);
        QTRY_COMPARE(c.login()->loginCount(), 3);
        c.signIn();
        QVERIFY(c.backend() != anonymous);
        // Signed in, a network change signs nobody in again.
        c.handler()->networkStatusChanged(false);
        c.handler()->networkStatusChanged(true);
        QVERIFY(!c.handler()->delayedAuthenticationTimer()->isActive());
    }

    void sessionFailedRetryAfterSignInResetsToSignInPage()
    {
        ScriptedController c;
        signedIn(c);
        c.view().clearCalls();

        c.handler()->reAuthentication();
        Q_EMIT c.login()->loginError(ZrLoginError::AuthenticationFailed,
                                     QStringLiteral("Bad token"));
        QTRY_COMPARE(c.login()->loginCount(), 3);
        QCOMPARE(c.view().callCount("startPage"), 0);

        // Signed out as when the account is removed.
        Q_EMIT c.login()->loginError(ZrLoginError::AuthenticationFailed,
                                     QStringLiteral("Bad token"));
        QCOMPARE(rootCalls(c.view()), QStringList {"startPage SignInView.qml"});
    }

    void sessionLoginErrors_data() { addJsonRows(SessionData, "loginErrors"); }

    void sessionLoginErrors()
    {
        QFETCH(QVariantMap, row);
        ScriptedController c;
        c.start(true);
        awaitLogin(c);
        if (row["offline"].toBool())
            c.handler()->networkStatusChanged(false);
        c.view().clearCalls();

        Q_EMIT c.login()->loginError(ZrLoginError::ZrLoginError(row["type"].toInt()),
                                     row["text"].toString());
        QCOMPARE(c.handler()->isAuthenticating(), false);
        // The clock notice shows even offline.
        QCOMPARE(c.view().lastArguments("showError").value(0).toString(), row["notice"].toString());
        // An invalidated account is not retried; any other failure is.
        const bool invalidated = row["invalidated"].toBool();
        QCOMPARE(c.login()->invalidateCount(), invalidated ? 1 : 0);
        QCOMPARE(c.handler()->delayedAuthenticationTimer()->isActive(), !invalidated);
    }

    void sessionOauthFailureSignsInAgainOnce()
    {
        ScriptedController c;
        signedIn(c);
        ScriptedBackend *backend = c.backend();
        const ScriptedCall stream = backend->lastCall("startStreaming");

        backend->fail(stream, OAuthFailure);
        QCOMPARE(logins(c), QStringList({"first flagged", "again"}));
        QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), true);
        // The stream failure is not also throttled: the new sign-in starts a new stream.
        QVERIFY(!c.handler()->throttlingTimer()->isActive());
        backend->fail(stream, OAuthFailure);
        QCOMPARE(c.login()->loginCount(), 2);

        // A login object that answers at once, still inside the failing backend's signal.
        c.signIn();
        QObject::connect(c.login(), &ScriptedLogin::loginRequested, c.login(),
                         [&c] { c.signIn(); });
        QPointer<ScriptedBackend> first = c.backend();
        first->fail(first->lastCall("startStreaming"), OAuthFailure);
        QVERIFY(first);
        QVERIFY(c.backend() != first.data());
        QCOMPARE(c.handler()->isAuthenticating(), false);
        QTRY_VERIFY(first.isNull());
        QVERIFY(c.backend()->hasCall("startStreaming"));
    }

    void sessionErrorsOfPendingRequestsBecomeNotices()
    {
        ScriptedController c;
        signedIn(c);
        ScriptedBackend *backend = c.backend();
        DataHandler *handler = c.handler();
        handler->pendingQueryIds().retweet = 903;
        handler->pendingQueryIds().directMessage = 904;
        c.view().clearCalls();
        const auto lastNotice = [&c] {
            return c.view().lastArguments("showError").value(0).toString();
        };

        Q_EMIT backend->networkRequestError(903, {{"error", "Forbidden"}});
        QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_error_retweet"));
        handler->setContextProperty(QStringLiteral("messagesview_refresh_after_sending"), true);
        Q_EMIT backend->networkRequestError(904, {{"error", "Forbidden"}});
        QCOMPARE(c.contextProperty("messagesview_refresh_after_sending").toBool(), false);
        QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_error_send_message"));

        // Offline, the notices that check the network say that instead; a plain notice does not.
        handler->networkStatusChanged(false);
        Q_EMIT backend->networkRequestError(903, {{"error", "Forbidden"}});
        QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_networkunavailable"));
        handler->showErrorNotice(QStringLiteral("Unable to do it."), false);
        QCOMPARE(lastNotice(), QStringLiteral("Unable to do it."));

        // Ids nobody waits for show nothing.
        c.view().clearCalls();
        for (int id : {905, 999, -1, -2})
            Q_EMIT backend->networkRequestError(id, {{"error", "Whatever"}});
        QCOMPARE(c.view().callCount("showError"), 0);
    }

    void sessionAccountRemovalSignsOut()
    {
        ScriptedController c;
        signedIn(c);
        ZirrupModel *timeline = c.handler()->timelineView()->timelineModel();
        timeline->appendRow(new QStandardItem);
        QPointer<ScriptedBackend> before = c.backend();
        // Removed while a login is under way.
        c.handler()->reAuthentication();
        c.login()->setAccountExists(false);
        c.view().clearCalls();

        Q_EMIT c.login()->accountRemoved();
        QCOMPARE(c.handler()->isAuthenticating(), false);
        QCOMPARE(c.handler()->pendingQueryIds().stream, -2);
        ScriptedBackend *anonymous = c.backend();
        QVERIFY(anonymous != before.data());
        QCOMPARE(anonymous->credentials(), NoCredentials);
        QCOMPARE(timeline->count(), 0);
        QCOMPARE(c.view().calls().size(), 1);
        QCOMPARE(c.view().lastArguments("startPage"), QVariantList {"SignInView.qml"});
        QTRY_VERIFY(before.isNull());

        // That login's late answer signs nobody in and retries nothing.
        Q_EMIT c.login()->loginResponse("token", "secret", "1844", "Alice", "consumer-key", "cs");
        Q_EMIT c.login()->loginError(ZrLoginError::NetworkError,
                                     QStringLiteral("Connection refused"));
        QCOMPARE(c.backend(), anonymous);
        QCOMPARE(c.handler()->authenticatedUser(), QString());
        QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), false);
        QVERIFY(!c.handler()->delayedAuthenticationTimer()->isActive());
        // Signed out, launch requests no longer open signed-in pages either.
        Q_EMIT c.factory().requests()->showMentions();
        QCOMPARE(c.view().calls().size(), 1);
    }

    // Launch modes and the requests that arrive while the program runs.
    void launchRequests_data() { addJsonRows(LaunchData, "requests"); }
    void launchRequests()
    {
        QFETCH(QVariantMap, row);
        const QString state = row["state"].toString();
        ScriptedController c;
        c.start(state != "none");
        if (state == "signedIn") {
            awaitLogin(c);
            c.signIn(QStringLiteral("Alice"));
            c.view().clearCalls();
        }
        // Requests do not touch the launch mode.
        c.handler()->setLaunchMode(6);

        QVERIFY(send(c.factory().requests(), row));
        QCOMPARE(rootCalls(c.view()), row["calls"].toStringList());
        QCOMPARE(c.handler()->currentUser(), row["user"].toString());
        QCOMPARE(c.handler()->currentTweetId(), row["tweet"].toString());
        QCOMPARE(c.contextProperty("composeview_in_reply_to").toString(),
                 row["replyTo"].toString());
        QCOMPARE(c.handler()->launchMode(), 6);
    }

    void launchTargetOpensAfterSignIn_data() { addJsonRows(LaunchData, "afterSignIn"); }
    void launchTargetOpensAfterSignIn()
    {
        QFETCH(QVariantMap, row);
        ScriptedController c;
        c.handler()->setLaunchMode(row["mode"].toInt());
        c.start(true);
        QCOMPARE(c.handler()->startView(), row["view"].toString());
        QCOMPARE(c.handler()->startTab(), row["tab"].toString());
        // An account that exists but is switched off counts as none; the tab stays.
        c.login()->setAccountEnabled(false);
        QCOMPARE(c.handler()->startView(), QStringLiteral("SignInView.qml"));
        QCOMPARE(c.handler()->startTab(), row["tab"].toString());
        c.login()->setAccountEnabled(true);
        // The subject comes with a request before sign-in.
        Q_EMIT c.factory().requests()->showProfile(QStringLiteral("@Bob"));
        awaitLogin(c);
        c.signIn(QStringLiteral("Alice"));

        QCOMPARE(rootCalls(c.view()), row["calls"].toStringList());
        QCOMPARE(c.handler()->currentUser(), row["user"].toString());
        QCOMPARE(c.handler()->authenticatedUser(), QStringLiteral("alice"));
        QCOMPARE(c.handler()->launchMode(), 1);
        QCOMPARE(c.contextProperty("composeview_in_reply_to").toString(),
                 row["replyTo"].toString());
        QCOMPARE(c.contextProperty("messagesview_refresh_after_sending").toBool(),
                 row["refreshAfterSending"].toBool());

        // A later sign-in (after an account change) opens the main page.
        c.view().clearCalls();
        c.signIn(QStringLiteral("Alice"));
        QCOMPARE(rootCalls(c.view()), QStringList {"startPage MainView.qml"});
    }

    // What the controller asks of the root page and of the platform.
    void controllerRootFunctionsAreOptionalAndTyped()
    {
        // No root page at all, and a root page with only some of the functions, typed.
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("Typed.qml")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "import QtQuick\nItem {\n    property bool connected: true\n"
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
                QCOMPARE(view.rootObject()->property("shown").toString(),
                         QStringLiteral("Typed text"));
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

    void controllerReleaseMouseAndTheAccountWindow()
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

        // Without an account the sign-in button opens the account window, queued: the button's own
        // click finishes first.
        const auto windows = [] { return QGuiApplication::topLevelWindows().size(); };
        const int before = windows();
        c.handler()->createNewAccount();
        QCOMPARE(windows(), before);
        QTRY_COMPARE(windows(), before + 1);
        QCOMPARE(c.login()->loginCount(), 0);
        // The same button again brings that window forward instead of a second one.
        c.handler()->settingsClicked();
        QCOMPARE(windows(), before + 1);
    }

    // What the pages find published at start, and what a reset of the front end leaves.
    void adaptersPublishedModelsAndStartValues()
    {
        ScriptedController c;
        c.start(false);
        QCOMPARE(c.contextProperty("dataHandler").value<QObject *>(), c.handler());

        const QJsonObject data = jsonFile(AdaptersData);
        const QJsonObject tables = data.value("roleTables").toObject();
        const QJsonObject roles = data.value("roles").toObject();
        QSet<QObject *> distinct;
        for (auto it = roles.begin(); it != roles.end(); ++it) {
            auto *model =
                qobject_cast<ZirrupModel *>(c.contextProperty(it.key()).value<QObject *>());
            QVERIFY2(model, qPrintable(it.key()));
            // Consecutive roles from Qt::UserRole + 1, in this order and nothing else.
            const QJsonArray names = tables.value(it.value().toString()).toArray();
            QCOMPARE(model->roleNames().size(), names.size());
            for (int i = 0; i < names.size(); ++i)
                QCOMPARE(model->roleNames().value(Qt::UserRole + 1 + i),
                         names[i].toString().toUtf8());
            QCOMPARE(model->count(), 0);
            distinct.insert(model);
        }
        QCOMPARE(distinct.size(), roles.size());
        QCOMPARE(c.handler()->searchHistoryModel(),
                 c.contextProperty("mySearchHistoryModel").value<QObject *>());
        // Saved searches are kept in query order.
        QCOMPARE(c.handler()->trendsView()->savedSearchesModel()->sortRole(), Qt::UserRole + 1);

        const QJsonObject values = data.value("startValues").toObject();
        for (const QString &kind : values.keys()) {
            for (const QJsonValue &name : values.value(kind).toArray()) {
                const QVariant value = c.contextProperty(name.toString());
                const bool ok = kind == "empty"
                    ? value.typeId() == QMetaType::QString && value.toString().isEmpty()
                    : value.typeId() == QMetaType::Bool && value.toBool() == (kind == "true");
                QVERIFY2(ok, qPrintable(name.toString()));
            }
        }
    }

    void adaptersFrontendResetClearsButKeepsTheModels()
    {
        ScriptedController c;
        signedIn(c);
        DataHandler *handler = c.handler();

        // Every published model, with a row.
        const QStringList names = jsonFile(AdaptersData).value("roles").toObject().keys();
        QList<ZirrupModel *> models;
        for (const QString &name : names) {
            models.append(qobject_cast<ZirrupModel *>(c.contextProperty(name).value<QObject *>()));
            models.last()->appendRow(new QStandardItem);
        }
        const QStringList reset = {
            "tweetsview_is_refreshing", "profileview_loading",     "geo_location",
            "mylists_loading",          "conversation_zirrupName", "messagesview_loading",
            "zirrup_account_exists"};
        for (const QString &name : reset)
            handler->setContextProperty(name, name != "messagesview_loading");
        QSignalSpy initialized(handler, &DataHandler::frontendInitialized);

        // The background cleanup's reset keeps the signed-in state.
        handler->cleanFrontend(false);
        QCOMPARE(initialized.count(), 1);
        QCOMPARE(initialized.first().first().value<DataHandler *>(), handler);
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(c.contextProperty(names.at(i)).value<QObject *>(), models.at(i));
            QVERIFY2(models.at(i)->count() == 0, qPrintable(names.at(i)));
        }
        QCOMPARE(joined(reset, [&c](const QString &name) { return c.contextProperty(name); }),
                 "false|false||false||true|true");

        handler->cleanFrontend(true);
        QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), false);
    }

private:
    QTemporaryDir m_dir;
};

ZIRRUP_AREA_TEST_MAIN(TestCore)
#include "tst_core.moc"
