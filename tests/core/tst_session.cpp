#include "awaitlogin.h"
#include "datahandler.h"
#include "jsonrows.h"
#include "zirrupmodel.h"

#include "scriptedcontroller.h"
#include "scriptedlaunchrequests.h"

#include <QSignalSpy>
#include <QStandardItem>
#include <QTimer>
#include <QtTest>

namespace {
const QString OAuthFailure = QStringLiteral("Could not authenticate with OAuth.");
const QStringList NoCredentials(6, QString());

QStringList capturedLines;
void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedLines.append(message);
}

QVariantMap error(const QString &text)
{
    return {{QStringLiteral("error"), text}};
}

// Started with an account and signed in.
void signedIn(ScriptedController &c, const QString &user = QStringLiteral("Alice"))
{
    c.start(true);
    awaitLogin(c);
    c.signIn(user);
}
} // namespace

// Signing in and out, retries, and what failures become.
class TestSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loginStartsShortlyAfterStartWithAnAccount();
    void signedOutStartPageShowsTrends();
    void accountEventsStartOneLogin();
    void reAuthenticationWhileALoginIsPending();
    void signInReplacesTheBackendAndKeepsSecretsOutOfTheLog();
    void oneAutomaticRetryWithoutEarlierSignIn();
    void lateLoginAnswerAfterRemovalIsIgnored();
    void failedRetryAfterSignInResetsToSignInPage();
    void loginErrors_data()
    {
        addJsonRows(ZIRRUP_TEST_DATA_DIR "/data/session.json", "loginErrors");
    }
    void loginErrors();
    void oauthFailureSignsInAgainOnce();
    void errorsOfPendingRequestsBecomeNotices();
    void streamErrorsArmTheThrottleOnlyOnline();
    void accountRemovalSignsOut();
};

void TestSession::loginStartsShortlyAfterStartWithAnAccount()
{
    ScriptedController c;
    c.start(true);
    QTimer *timer = c.handler()->delayedLoginTimer();
    QVERIFY(timer && timer->isActive() && timer->isSingleShot());
    QCOMPARE(timer->interval(), 100);
    QCOMPARE(c.login()->loginCount(), 0);
    QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), false);

    QTRY_COMPARE(c.login()->loginCount(), 1);
    QCOMPARE(c.login()->loginCalls().first().reauthenticate, false);
    QCOMPARE(c.login()->loginCalls().first().flag, true);
    QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), true);
    // Forwarders wait for the login.
    c.handler()->updateTrendingTopics();
    QVERIFY(!c.backend()->hasCall("retrieveTrends"));
}

void TestSession::signedOutStartPageShowsTrends()
{
    ScriptedController c;
    c.start(false);
    QVERIFY(!c.handler()->delayedLoginTimer() || !c.handler()->delayedLoginTimer()->isActive());
    QVERIFY(!c.handler()->delayedAuthenticationTimer()->isActive());
    QCOMPARE(c.login()->loginCount(), 0);
    // A second ensureBackend keeps the backend.
    ScriptedBackend *backend = c.backend();
    c.handler()->ensureBackend();
    QCOMPARE(c.backends().size(), 1);
    QCOMPARE(c.backend(), backend);

    QCOMPARE(backend->callCount("retrieveTrends"), 1);
    const ScriptedCall call = backend->lastCall("retrieveTrends");
    QCOMPARE(call.type, int(TrendType::Place));
    QCOMPARE(call.args, Zr::ArgMap({{"woeid", "1"}}));
    ZirrupModel *trends = c.handler()->trendsView()->trendsModel();
    QCOMPARE(c.contextProperty("trends_is_loading").toBool(), true);
    const QVariantList names = {QVariantMap {{"name", "#qt"}}, QVariantMap {{"name", "Zirrup"}}};
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
             QVariantList {QStringLiteral("qtn_zirrup_error_load_trends")});
    QCOMPARE(trends->count(), 2);

    // A request that was not sent leaves nothing spinning.
    backend->setResult(QStringLiteral("retrieveTrends"), Zr::RequestFailed);
    c.handler()->updateTrendingTopics();
    QCOMPARE(c.contextProperty("trends_is_loading").toBool(), false);
}

void TestSession::accountEventsStartOneLogin()
{
    ScriptedController c;
    c.start(false);
    QTimer *timer = c.handler()->delayedAuthenticationTimer();

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
    QCOMPARE(c.view().lastArguments("startPage"), QVariantList {QStringLiteral("SignInView.qml")});
}

void TestSession::reAuthenticationWhileALoginIsPending()
{
    ScriptedController c;
    c.start(true);
    awaitLogin(c);
    c.handler()->reAuthentication();
    c.handler()->launchAccountsUi();
    QCOMPARE(c.login()->loginCount(), 1);

    c.signIn();
    QCOMPARE(c.handler()->isAuthenticating(), false);
    c.handler()->reAuthentication();
    QCOMPARE(c.login()->loginCount(), 2);
    QCOMPARE(c.login()->loginCalls().last().reauthenticate, true);
    QCOMPARE(c.login()->loginCalls().last().flag, false);
    QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), true);

    // The sign-in button with an account in place signs in again, after the current event.
    c.signIn();
    c.handler()->createNewAccount();
    QCOMPARE(c.login()->loginCount(), 2);
    QTRY_COMPARE(c.login()->loginCount(), 3);
    QCOMPARE(c.login()->loginCalls().last().reauthenticate, true);
}

void TestSession::signInReplacesTheBackendAndKeepsSecretsOutOfTheLog()
{
    ScriptedController c;
    c.start(true);
    awaitLogin(c);
    QPointer<ScriptedBackend> anonymous = c.backend();
    QSignalSpy created(c.handler(), &DataHandler::backendCreated);

    capturedLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    c.signIn(QStringLiteral("Alice"));
    qInstallMessageHandler(previous);
    const QString output = capturedLines.join(QLatin1Char('\n'));
    QVERIFY(output.contains(QStringLiteral("\"Alice\"")));
    QVERIFY(output.contains(QStringLiteral("present, 21 characters")));
    for (const char *secret :
         {"token-Alice", "token-secret-of-Alice", "consumer-key", "consumer-secret-value"})
        QVERIFY2(!output.contains(QLatin1String(secret)), secret);

    QCOMPARE(created.count(), 1);
    ScriptedBackend *signedIn = c.backend();
    QVERIFY(signedIn != anonymous.data());
    QCOMPARE(signedIn->credentials(),
             QStringList({"token-Alice", "token-secret-of-Alice", "1844", "Alice", "consumer-key",
                          "consumer-secret-value"}));
    QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), false);
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), true);
    QCOMPARE(c.handler()->authenticatedUser(), QStringLiteral("alice"));
    QCOMPARE(c.handler()->currentUser(), QStringLiteral("alice"));

    // The stream starts and its id is kept; the main page opens.
    const ScriptedCall stream = signedIn->lastCall("startStreaming");
    QCOMPARE(c.handler()->pendingQueryIds().stream, stream.queryId);
    QCOMPARE(c.view().lastArguments("startPage"), QVariantList {QStringLiteral("MainView.qml")});

    // The anonymous backend says nothing more and goes once the event loop runs.
    QVERIFY(anonymous);
    Q_EMIT anonymous->networkRequestError(1, error(OAuthFailure));
    QCOMPARE(c.login()->loginCount(), 1);
    QTRY_VERIFY(anonymous.isNull());

    // A post still under way on a replaced backend will never be answered.
    c.handler()->pendingQueryIds().postTweet = 77;
    c.handler()->setContextProperty(QStringLiteral("posting_tweet"), true);
    c.signIn(QStringLiteral("Alice"));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    QCOMPARE(c.handler()->pendingQueryIds().postTweet, -2);
}

void TestSession::oneAutomaticRetryWithoutEarlierSignIn()
{
    ScriptedController c;
    c.start(true);
    awaitLogin(c);
    ScriptedBackend *anonymous = c.backend();

    Q_EMIT c.login()->loginError(ZrLoginError::NetworkError, QStringLiteral("Connection refused"));
    QCOMPARE(c.handler()->isAuthenticating(), false);
    QVERIFY(c.handler()->delayedAuthenticationTimer()->isActive());
    QTRY_COMPARE(c.login()->loginCount(), 2);
    QCOMPARE(c.login()->loginCalls().last().flag, false);

    // The second failure ends it; never signed in, so the pages stay as they are.
    Q_EMIT c.login()->loginError(ZrLoginError::NetworkError, QStringLiteral("Connection refused"));
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

void TestSession::lateLoginAnswerAfterRemovalIsIgnored()
{
    ScriptedController c;
    c.start(true);
    awaitLogin(c);
    c.login()->setAccountExists(false);
    Q_EMIT c.login()->accountRemoved();
    QCOMPARE(c.handler()->isAuthenticating(), false);
    ScriptedBackend *anonymous = c.backend();
    c.view().clearCalls();

    Q_EMIT c.login()->loginResponse("token", "secret", "1844", "Alice", "consumer-key", "cs");
    Q_EMIT c.login()->loginError(ZrLoginError::NetworkError, QStringLiteral("Connection refused"));
    QCOMPARE(c.backend(), anonymous);
    QCOMPARE(c.handler()->authenticatedUser(), QString());
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), false);
    QVERIFY(!c.handler()->delayedAuthenticationTimer()->isActive());
    QCOMPARE(c.view().callCount("startPage"), 0);
}

void TestSession::failedRetryAfterSignInResetsToSignInPage()
{
    ScriptedController c;
    signedIn(c);
    c.view().clearCalls();

    c.handler()->reAuthentication();
    Q_EMIT c.login()->loginError(ZrLoginError::AuthenticationFailed, QStringLiteral("Bad token"));
    QTRY_COMPARE(c.login()->loginCount(), 3);
    QCOMPARE(c.view().callCount("startPage"), 0);

    ScriptedBackend *before = c.backend();
    Q_EMIT c.login()->loginError(ZrLoginError::AuthenticationFailed, QStringLiteral("Bad token"));
    QVERIFY(c.backend() != before);
    QCOMPARE(c.backend()->credentials(), NoCredentials);
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), false);
    QCOMPARE(c.view().lastArguments("startPage"), QVariantList {QStringLiteral("SignInView.qml")});
    QVERIFY(!c.handler()->delayedAuthenticationTimer()->isActive());
}

void TestSession::loginErrors()
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
    const bool notice = row["notice"].toBool();
    QCOMPARE(c.view().callCount("showError"), notice ? 1 : 0);
    if (notice)
        QCOMPARE(c.view().lastArguments("showError"),
                 QVariantList {QStringLiteral("qtn_comm_share_incorrect_date")});
    // An invalidated account is not retried; any other failure is.
    const bool invalidated = row["invalidated"].toBool();
    QCOMPARE(c.login()->invalidateCount(), invalidated ? 1 : 0);
    QCOMPARE(c.handler()->delayedAuthenticationTimer()->isActive(), !invalidated);
}

void TestSession::oauthFailureSignsInAgainOnce()
{
    ScriptedController c;
    signedIn(c);
    ScriptedBackend *backend = c.backend();
    const ScriptedCall stream = backend->lastCall("startStreaming");

    backend->fail(stream, OAuthFailure);
    QCOMPARE(c.login()->loginCount(), 2);
    QCOMPARE(c.login()->loginCalls().last().reauthenticate, true);
    QCOMPARE(c.login()->loginCalls().last().flag, false);
    QCOMPARE(c.contextProperty("zirrup_authenticating").toBool(), true);
    // The stream failure is not also throttled: the new sign-in starts a new stream.
    QVERIFY(!c.handler()->throttlingTimer()->isActive());
    backend->fail(stream, OAuthFailure);
    QCOMPARE(c.login()->loginCount(), 2);

    // A login object that answers at once, still inside the failing backend's signal.
    c.signIn();
    QObject::connect(c.login(), &ScriptedLogin::loginRequested, c.login(), [&c] { c.signIn(); });
    QPointer<ScriptedBackend> first = c.backend();
    first->fail(first->lastCall("startStreaming"), OAuthFailure);
    QVERIFY(first);
    QVERIFY(c.backend() != first.data());
    QCOMPARE(c.handler()->isAuthenticating(), false);
    QTRY_VERIFY(first.isNull());
    QVERIFY(c.backend()->hasCall("startStreaming"));
}

void TestSession::errorsOfPendingRequestsBecomeNotices()
{
    ScriptedController c;
    signedIn(c);
    ScriptedBackend *backend = c.backend();
    DataHandler *handler = c.handler();
    DataHandler::PendingQueryIds &ids = handler->pendingQueryIds();
    ids.postWithMedia = 902;
    ids.retweet = 903;
    ids.directMessage = 904;
    ids.reply = 907;
    handler->shortenUrlQueryIds() = {905, 906};
    c.view().clearCalls();
    const auto lastNotice = [&c] {
        return c.view().lastArguments("showError").value(0).toString();
    };

    // Posting: "Not found" and an error without text only bring the indicator down.
    for (const QVariantMap &quiet : {error(QStringLiteral("Not found")), QVariantMap()}) {
        ids.postTweet = 901;
        handler->setContextProperty(QStringLiteral("posting_tweet"), true);
        Q_EMIT backend->networkRequestError(901, quiet);
        QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    }
    QCOMPARE(c.view().callCount("showError"), 0);
    // A picture tweet and a reply each fail on their own; an answered id is done with.
    for (int id : {902, 907}) {
        handler->setContextProperty(QStringLiteral("posting_tweet"), true);
        Q_EMIT backend->networkRequestError(id, error(QStringLiteral("Status is a duplicate.")));
        QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
        QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_error_post_tweet"));
    }
    Q_EMIT backend->networkRequestError(902, error(QStringLiteral("Status is a duplicate.")));
    QCOMPARE(c.view().callCount("showError"), 2);

    Q_EMIT backend->networkRequestError(903, error(QStringLiteral("Forbidden")));
    QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_error_retweet"));
    handler->setContextProperty(QStringLiteral("messagesview_refresh_after_sending"), true);
    Q_EMIT backend->networkRequestError(904, error(QStringLiteral("Forbidden")));
    QCOMPARE(c.contextProperty("messagesview_refresh_after_sending").toBool(), false);
    QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_error_send_message"));

    // Link wrapping: the indicator stays up until the last outstanding wrap has ended.
    handler->setContextProperty(QStringLiteral("tweet_shortening_url"), true);
    Q_EMIT backend->networkRequestError(905, error(QStringLiteral("Bad link")));
    QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_error_shorten_url"));
    QCOMPARE(c.contextProperty("tweet_shortening_url").toBool(), true);
    QCOMPARE(handler->shortenUrlQueryIds(), QList<int> {906});
    Q_EMIT backend->networkRequestError(906, error(QStringLiteral("Bad link")));
    QCOMPARE(c.contextProperty("tweet_shortening_url").toBool(), false);

    // Offline, the notices that check the network say that instead; a plain notice does not.
    handler->networkStatusChanged(false);
    Q_EMIT backend->networkRequestError(903, error(QStringLiteral("Forbidden")));
    QCOMPARE(lastNotice(), QStringLiteral("qtn_zirrup_networkunavailable"));
    handler->showErrorNotice(QStringLiteral("Unable to do it."), false);
    QCOMPARE(lastNotice(), QStringLiteral("Unable to do it."));

    // Ids nobody waits for show nothing.
    c.view().clearCalls();
    for (int id : {905, 999, -1, -2})
        Q_EMIT backend->networkRequestError(id, error(QStringLiteral("Whatever")));
    QCOMPARE(c.view().callCount("showError"), 0);
}

void TestSession::streamErrorsArmTheThrottleOnlyOnline()
{
    ScriptedController c;
    signedIn(c);
    ScriptedBackend *backend = c.backend();
    const ScriptedCall stream = backend->lastCall("startStreaming");
    QTimer *throttle = c.handler()->throttlingTimer();

    backend->fail(stream, QStringLiteral("Stream closed"));
    QVERIFY(throttle->isActive() && throttle->isSingleShot());
    QCOMPARE(throttle->interval(), 65000);
    QCOMPARE(c.view().callCount("showError"), 0);
    throttle->stop();

    // Going offline stops the stream, and its errors wait for the network.
    c.handler()->networkStatusChanged(false);
    QCOMPARE(backend->stopStreamingCount(), 1);
    QCOMPARE(c.view().lastArguments("onNetworkAvailableChanged"), QVariantList {false});
    backend->fail(stream, QStringLiteral("Stream closed"));
    QVERIFY(!throttle->isActive());
    c.handler()->networkStatusChanged(true);
    QCOMPARE(backend->stopStreamingCount(), 1);
    QCOMPARE(c.view().lastArguments("onNetworkAvailableChanged"), QVariantList {true});

    // A new backend forgets the old stream's id, and a refused stream request sets none.
    c.setBackendSetup([](ScriptedBackend *next) {
        next->setResult(QStringLiteral("startStreaming"), Zr::RequestFailed);
    });
    c.signIn();
    QVERIFY(c.backend()->hasCall("startStreaming"));
    QCOMPARE(c.handler()->pendingQueryIds().stream, -2);
}

void TestSession::accountRemovalSignsOut()
{
    ScriptedController c;
    signedIn(c);
    ZirrupModel *timeline = c.handler()->timelineView()->timelineModel();
    timeline->appendRow(new QStandardItem);
    QPointer<ScriptedBackend> before = c.backend();
    c.view().clearCalls();

    Q_EMIT c.login()->accountRemoved();
    QCOMPARE(c.handler()->pendingQueryIds().stream, -2);
    QVERIFY(c.backend() != before.data());
    QCOMPARE(c.backend()->credentials(), NoCredentials);
    QCOMPARE(c.contextProperty("zirrup_account_exists").toBool(), false);
    QCOMPARE(c.handler()->authenticatedUser(), QString());
    QCOMPARE(timeline->count(), 0);
    QCOMPARE(c.view().callNames(), QStringList {"startPage"});
    QCOMPARE(c.view().lastArguments("startPage"), QVariantList {QStringLiteral("SignInView.qml")});
    QTRY_VERIFY(before.isNull());

    // Signed out, launch requests no longer open signed-in pages.
    c.login()->setAccountExists(false);
    Q_EMIT c.factory().requests()->showMentions();
    QCOMPARE(c.view().callCount("mentionsTab"), 0);
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
