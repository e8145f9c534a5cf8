// Sign-in, backend creation and replacement, and the mapping of request errors to notices.

#include "datahandler.h"
#include "windowgeometry.h"

#include "zirrup.h"
#include "zrlaunchrequests.h"
#include "zrloginhandler.h"
#include "zrplatformfactory.h"

#include <QImage>
#include <QMetaMethod>
#include <QTimer>
#include <QtDebug>

namespace {
QString quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

// What may be said about a secret in the debug output: whether it came, and its length.
QString secretSummary(const QString &secret)
{
    if (secret.isEmpty())
        return QStringLiteral("(missing)");
    return QStringLiteral("(present, %1 characters)").arg(secret.size());
}
} // namespace

ZrPlatform::ZrLoginHandler *DataHandler::loginHandler() const
{
    return m_factory ? m_factory->loginHandler() : nullptr;
}

bool DataHandler::accountReady() const
{
    ZrPlatform::ZrLoginHandler *login = loginHandler();
    return login && login->accountExists() && login->accountEnabled(0);
}

bool DataHandler::canForward() const
{
    return m_backend && !m_authenticating;
}

void DataHandler::setAuthenticating(bool authenticating)
{
    m_authenticating = authenticating;
    setContextProperty(QStringLiteral("zirrup_authenticating"), authenticating);
}

void DataHandler::ensureBackend()
{
    if (!m_backend)
        createBackend();
}

void DataHandler::replaceBackend(const QStringList &credentials)
{
    if (Zr::Zirrup *old = m_backend) {
        m_backend = nullptr;
        // The old backend may be the one whose signal brought us here (an OAuth failure that
        // got an immediate login answer), so it is silenced now and freed once control is
        // back in the event loop.
        old->disconnect();
        old->deleteLater();
    }

    // Query ids belong to the backend that issued them; nothing will answer the old ones, so the
    // flags they hold up come down.
    if (m_pendingQueryIds.postTweet != -2 || m_pendingQueryIds.reply != -2
        || m_pendingQueryIds.postWithMedia != -2)
        setContextProperty(QStringLiteral("posting_tweet"), false);
    m_queuedMediaTweets.clear();
    if (m_pendingQueryIds.directMessage != -2)
        setContextProperty(QStringLiteral("messagesview_refresh_after_sending"), false);
    if (!m_shortenUrlQueryIds.isEmpty())
        setContextProperty(QStringLiteral("tweet_shortening_url"), false);
    m_pendingQueryIds = PendingQueryIds();
    m_shortenUrlQueryIds.clear();

    QStringList values = credentials;
    while (values.size() < 6)
        values.append(QString());
    if (m_backendFactory)
        m_backend = m_backendFactory(values, this);
    else
        m_backend = new Zr::Zirrup(values.at(0), values.at(1), values.at(2), values.at(3),
                                   values.at(4), values.at(5), this);
    m_backend->init();
    m_backend->setMask(QImage(QStringLiteral(":/zirrup-avatar-mask")));
}

void DataHandler::connectBackend(bool signedIn)
{
    connect(m_backend, &Zr::Zirrup::urlToSnipConverted, this, &DataHandler::onUrlToSnipConverted);
    connect(m_backend, &Zr::Zirrup::networkRequestError, this, &DataHandler::onNetworkRequestError);
    connect(m_backend, &Zr::Zirrup::statusWritten, this, &DataHandler::onStatusWritten);
    connect(m_backend, &Zr::Zirrup::postedStatusWithMedia, this,
            &DataHandler::onPostedStatusWithMedia);
    if (signedIn)
        connect(m_backend, &Zr::Zirrup::streamObject, this, &DataHandler::handleStreamObject);
}

void DataHandler::connectPlatformOnce()
{
    if (m_platformConnected || !m_factory)
        return;
    m_platformConnected = true;

    if (ZrPlatform::ZrLoginHandler *login = m_factory->loginHandler()) {
        connect(login, &ZrPlatform::ZrLoginHandler::loginResponse, this,
                &DataHandler::onZirrupAuthenticated);
        connect(login, &ZrPlatform::ZrLoginHandler::loginError, this,
                &DataHandler::onAuthenticationError);
        connect(login, &ZrPlatform::ZrLoginHandler::accountAdded, this,
                &DataHandler::onZirrupAccountCreated);
        connect(login, &ZrPlatform::ZrLoginHandler::accountStateChanged, this,
                &DataHandler::onAccountStateChanged);
        connect(login, &ZrPlatform::ZrLoginHandler::accountRemoved, this,
                &DataHandler::onZirrupAccountRemoved);
    }
    if (ZrPlatform::ZrLaunchRequests *requests = m_factory->launchRequests()) {
        connect(requests, &ZrPlatform::ZrLaunchRequests::showProfile, this,
                &DataHandler::onZirrupOpenProfile);
        connect(requests, &ZrPlatform::ZrLaunchRequests::showFeedItem, this,
                &DataHandler::onZirrupOpenTweet);
        connect(requests, &ZrPlatform::ZrLaunchRequests::showCompose, this,
                &DataHandler::onZirrupComposeReply);
        connect(requests, &ZrPlatform::ZrLaunchRequests::showDirectMessages, this,
                &DataHandler::onZirrupShowMessages);
        connect(requests, &ZrPlatform::ZrLaunchRequests::showMessage, this,
                &DataHandler::onZirrupShowMessage);
        connect(requests, &ZrPlatform::ZrLaunchRequests::showMentions, this,
                &DataHandler::onZirrupShowMentions);
        connect(requests, &ZrPlatform::ZrLaunchRequests::showMention, this,
                &DataHandler::onZirrupShowMention);
        // A second start of the program hands over to this one.
        connect(requests, &ZrPlatform::ZrLaunchRequests::raiseRequested, this,
                &DataHandler::onBringToTop);
    }
}

void DataHandler::createBackend()
{
    replaceBackend(QStringList());
    Q_EMIT backendCreated(m_backend);
    connectBackend(false);
    connectPlatformOnce();

    if (accountReady()) {
        // The login waits for the keyring and a round trip to the service; what was cached for
        // the account shows meanwhile, in the window's first frame.
        m_timelineView.showCachedHome(
            Zr::Zirrup::cachedTimeline(loginHandler()->accountUserId(), TimelineType::Home));
        if (!m_delayedLoginTimer) {
            m_delayedLoginTimer = new QTimer(this);
            m_delayedLoginTimer->setSingleShot(true);
            connect(m_delayedLoginTimer, &QTimer::timeout, this, &DataHandler::doDelayedLogin);
        }
        m_delayedLoginTimer->start(100);
    } else {
        updateTrendingTopics();
    }
}

bool DataHandler::startStream()
{
    // Signed out there is no stream to open; the library would only complain.
    if (!m_backend || m_authenticatedUserName.isEmpty())
        return false;
    int queryId = -1;
    if (m_backend->startStreaming(Zr::ArgMap(), &queryId) != Zr::RequestSent)
        return false;
    m_pendingQueryIds.stream = queryId;
    return true;
}

void DataHandler::startLogin(bool interactive, bool retryAllowed)
{
    ZrPlatform::ZrLoginHandler *login = loginHandler();
    if (!login)
        return;
    setAuthenticating(true);
    m_loginTried = true;
    login->login(interactive, retryAllowed);
}

void DataHandler::doDelayedLogin()
{
    startLogin(false, m_retryLoginAllowed);
}

void DataHandler::delayedAuthentication()
{
    if (!m_authenticating)
        startLogin(false, m_retryLoginAllowed);
}

void DataHandler::reAuthentication()
{
    if (!m_authenticating)
        startLogin(true, false);
}

void DataHandler::launchAccountsUi()
{
    if (accountReady()) {
        reAuthentication();
        return;
    }
    m_accountsUiLaunched = true;
    settingsClicked();
}

void DataHandler::onZirrupAccountCreated()
{
    qDebug() << "void DataHandler::onZirrupAccountCreated()";
    if (m_delayedAuthenticationTimer->isActive())
        m_delayedAuthenticationTimer->stop();
    m_delayedAuthenticationTimer->start(500);
}

void DataHandler::onAccountStateChanged(ZrServiceType::Servicetype type, bool enabled)
{
    if (type != 0)
        return;
    if (enabled)
        onZirrupAccountCreated();
    else
        onZirrupAccountRemoved();
}

void DataHandler::onZirrupAuthenticated(QString token, QString tokenSecret, QString userId,
                                        QString username, QString consumerKey,
                                        QString consumerSecret)
{
    qDebug() << "void DataHandler::onZirrupAuthenticated(QString, QString, QString, QString, "
                "QString, QString)";
    // An answer to a login of an account that has gone since signs nothing in.
    if (!accountReady()) {
        qDebug() << "  the account is gone; answer ignored";
        return;
    }
    qDebug().noquote() << "  token" << secretSummary(token);
    qDebug().noquote() << "  token secret" << secretSummary(tokenSecret);
    qDebug().noquote() << "  user id" << quoted(userId);
    qDebug().noquote() << "  user name" << quoted(username);
    qDebug().noquote() << "  consumer key" << secretSummary(consumerKey);
    qDebug().noquote() << "  consumer secret" << secretSummary(consumerSecret);

    setAuthenticating(false);
    setContextProperty(QStringLiteral("zirrup_account_exists"), true);
    if (m_accountsUiLaunched) {
        m_accountsUiLaunched = false;
        onBringToTop();
    }

    m_authenticatedUserName = username;
    if (m_windowGeometry)
        m_windowGeometry->setUser(username);
    // These launch modes keep the subject a launch request has stored.
    if (m_launchMode != LaunchProfile && m_launchMode != LaunchCompose
        && m_launchMode != LaunchMessage && m_launchMode != LaunchMention)
        m_currentUser = username;

    replaceBackend({token, tokenSecret, userId, username, consumerKey, consumerSecret});
    setContextProperty(QStringLiteral("zirrup_account_exists"), true);
    Q_EMIT backendCreated(m_backend);
    connectBackend(true);

    startStream();

    updateTimelineView(false);
    updateMentionsViewSilent();
    updateMessagesViewSilent();

    openLaunchTarget();
    m_launchMode = LaunchDefault;
}

void DataHandler::onAuthenticationError(ZrLoginError::ZrLoginError type, QString error)
{
    setAuthenticating(false);
    // The account went while its login was under way: nothing to retry or invalidate.
    if (!accountReady())
        return;

    ZrPlatform::ZrLoginHandler *login = loginHandler();
    switch (int(type)) {
    case 1:
    case 10:
        if (error.startsWith(QLatin1String("Client time out of sync")))
            showErrorNotice(qtTrId("qtn_comm_share_incorrect_date"), false);
        break;
    case 9:
        if (error == QLatin1String("User has been deleted")) {
            if (login)
                login->invalidateAccount();
            return;
        }
        break;
    case 17:
        if (login)
            login->invalidateAccount();
        return;
    default:
        qWarning().noquote() << "void DataHandler::onAuthenticationError("
                                "ZrLoginError::ZrLoginError, QString)"
                             << quoted(error);
        break;
    }

    if (m_retryLoginAllowed) {
        qDebug() << "void DataHandler::onAuthenticationError(ZrLoginError::ZrLoginError, "
                    "QString) retry login";
        m_retryLoginAllowed = false;
        onZirrupAccountCreated();
    } else if (contextProperty(QStringLiteral("zirrup_account_exists")).toBool()) {
        onZirrupAccountRemoved();
    }
}

void DataHandler::onZirrupAccountRemoved()
{
    qDebug() << "void DataHandler::onZirrupAccountRemoved()";
    replaceBackend(QStringList());
    Q_EMIT backendCreated(m_backend);
    connectBackend(false);
    connect(m_backend, &Zr::Zirrup::helpRetrieved, this, &DataHandler::onHelpRetrieved);

    // Nobody is signed in any more: without this the signed-out program would still open
    // signed-in pages for launch requests and restart the stream on the anonymous backend.
    m_authenticatedUserName.clear();
    // A login still under way was for the removed account; its answer is ignored.
    m_throttlingTimer->stop();
    m_delayedAuthenticationTimer->stop();
    if (m_delayedLoginTimer)
        m_delayedLoginTimer->stop();
    if (m_authenticating)
        setAuthenticating(false);

    setContextProperty(QStringLiteral("zirrup_account_exists"), false);
    cleanFrontend(true);
    callRoot("startPage", {QStringLiteral("SignInView.qml")});
}

void DataHandler::onNetworkRequestError(int queryId, QVariantMap err)
{
    const QString error = err.value(QStringLiteral("error")).toString();
    if (err.contains(QStringLiteral("error"))
        && error == QLatin1String("Could not authenticate with OAuth.")) {
        reAuthentication();
        return;
    }

    // Only requests that went out have ids; -1 and -2 mark "nothing sent" here.
    if (queryId < 0)
        return;

    for (int *posted : {&m_pendingQueryIds.postTweet, &m_pendingQueryIds.reply,
                        &m_pendingQueryIds.postWithMedia}) {
        if (*posted != queryId)
            continue;
        *posted = -2;
        setContextProperty(QStringLiteral("posting_tweet"), false);
        if (err.contains(QStringLiteral("error")) && error != QLatin1String("Not found"))
            showErrorNotice(qtTrId("qtn_zirrup_error_post_tweet"), true);
        startNextMediaTweet();
    }

    if (queryId == m_pendingQueryIds.retweet)
        showErrorNotice(qtTrId("qtn_zirrup_error_retweet"), true);

    if (queryId == m_pendingQueryIds.directMessage) {
        setContextProperty(QStringLiteral("messagesview_refresh_after_sending"), false);
        showErrorNotice(qtTrId("qtn_zirrup_error_send_message"), true);
    }

    if (m_shortenUrlQueryIds.contains(queryId)) {
        showErrorNotice(qtTrId("qtn_zirrup_error_shorten_url"), true);
        m_shortenUrlQueryIds.removeAll(queryId);
        if (m_shortenUrlQueryIds.isEmpty())
            setContextProperty(QStringLiteral("tweet_shortening_url"), false);
    }

    if (queryId == m_pendingQueryIds.stream && m_online)
        m_throttlingTimer->start(65000);
}
