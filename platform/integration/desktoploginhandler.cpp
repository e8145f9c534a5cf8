#include "desktoploginhandler.h"

#include "accountstore.h"
#include "oauth.h"
#include "zirrup.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace ZrMeego {

namespace {

const QString rejectedTokenText = QStringLiteral("Could not authenticate with OAuth.");
// The service's answers are small; anything this large is not one of them.
const qint64 maxAnswerSize = 8 * 1024 * 1024;

QString serviceErrorText(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return QString();
    return document.object().value(QStringLiteral("error")).toString();
}

Zr::OAuthCredentials credentialsOf(const Account &account)
{
    return {account.consumerKey.toUtf8(), account.consumerSecret.toUtf8(), account.token.toUtf8(),
            account.tokenSecret.toUtf8()};
}

struct RequestState
{
    bool timedOut = false;
    bool tooLarge = false;
};

} // namespace

DesktopLoginHandler::DesktopLoginHandler(AccountStore *store, QObject *parent)
    : ZrPlatform::ZrLoginHandler(parent)
    , m_store(store)
{
    Q_ASSERT(m_store);
    connect(m_store, &AccountStore::accountAdded, this, &DesktopLoginHandler::accountAdded);
    connect(m_store, &AccountStore::accountRemoved, this, &DesktopLoginHandler::accountRemoved);
    connect(m_store, &AccountStore::enabledChanged, this,
            [this](bool enabled) { Q_EMIT accountStateChanged(ZrServiceType::Zirrup, enabled); });
}

DesktopLoginHandler::~DesktopLoginHandler() = default;

bool DesktopLoginHandler::accountExists()
{
    return m_store->hasAccount();
}

bool DesktopLoginHandler::accountEnabled(int serviceType)
{
    return serviceType == ZrServiceType::Zirrup && m_store->hasAccount()
        && m_store->account().enabled;
}

QString DesktopLoginHandler::accountUserId()
{
    return m_store->hasAccount() ? m_store->account().userId : QString();
}

bool DesktopLoginHandler::setAccountEnabled(bool enabled)
{
    return m_store->setEnabled(enabled);
}

QUrl DesktopLoginHandler::serviceUrlFor(const Account &account)
{
    const QString fromEnvironment = qEnvironmentVariable("ZIRRUP_SERVICE_URL");
    if (!fromEnvironment.isEmpty()) {
        const QUrl url(fromEnvironment);
        if (url.isValid() && !url.host().isEmpty())
            return normalizedServiceUrl(url);
    }
    return normalizedServiceUrl(account.serviceUrl);
}

ZrLoginError::ZrLoginError DesktopLoginHandler::errorTypeFor(int httpStatus,
                                                             const QString &serviceError)
{
    if (httpStatus <= 0)
        return ZrLoginError::NetworkError;
    if (httpStatus == 401)
        return serviceError == rejectedTokenText ? ZrLoginError::CredentialsRejected
                                                 : ZrLoginError::AuthenticationFailed;
    if (httpStatus == 403)
        return ZrLoginError::AccountForbidden;
    return ZrLoginError::ServiceError;
}

QNetworkAccessManager *DesktopLoginHandler::network()
{
    // Made on first use: the factory may create this object before the application object.
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return m_network;
}

void DesktopLoginHandler::login(bool reauthenticate, bool flag)
{
    Q_UNUSED(reauthenticate)
    Q_UNUSED(flag)
    // Another process may have changed the account since the watcher last looked.
    m_store->reload();
    if (!m_store->hasAccount() || !m_store->account().enabled) {
        const QString text = m_store->hasAccount() ? tr("The account is disabled.")
                                                   : tr("No account has been set up.");
        QTimer::singleShot(0, this,
                           [this, text] { Q_EMIT loginError(ZrLoginError::NoAccount, text); });
        return;
    }
    m_store->readAccountWithTokens(this, [this](std::optional<Account> account) {
        if (!account) {
            // A locked or absent keyring is no reason to doubt the account.
            Q_EMIT loginError(ZrLoginError::NetworkError,
                              tr("The keyring did not give the account's token."));
            return;
        }
        verify(*account);
    });
}

void DesktopLoginHandler::verify(const Account &account)
{
    const QUrl url = serviceEndpoint(serviceUrlFor(account),
                                     QStringLiteral("/1/account/verify_credentials.json"));
    QNetworkRequest request(url);
    request.setRawHeader("Authorization",
                         Zr::OAuth::authorizationHeader(credentialsOf(account), "GET", url));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);

    QNetworkReply *reply = network()->get(request);
    auto state = std::make_shared<RequestState>();

    auto *timer = new QTimer(reply);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, reply, [reply, state] {
        state->timedOut = true;
        reply->abort();
    });
    timer->start(m_timeoutMs);

    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, state](qint64 received, qint64) {
                if (received > maxAnswerSize && !state->tooLarge) {
                    state->tooLarge = true;
                    reply->abort();
                }
            });
    connect(reply, &QNetworkReply::finished, this, [this, reply, account, state] {
        reply->deleteLater();
        finishVerification(reply, account, state->timedOut, state->tooLarge);
    });
}

void DesktopLoginHandler::finishVerification(QNetworkReply *reply, const Account &account,
                                             bool timedOut, bool tooLarge)
{
    if (tooLarge) {
        Q_EMIT loginError(ZrLoginError::ServiceError, tr("The service's answer is too large."));
        return;
    }
    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    if (timedOut || status == 0) {
        const QString text =
            timedOut ? tr("The service did not answer in time.") : reply->errorString();
        qWarning() << "DesktopLoginHandler: service unreachable:" << text;
        Q_EMIT loginError(ZrLoginError::NetworkError, text);
        return;
    }

    const QByteArray body = reply->readAll();
    if (status == 200) {
        const QJsonDocument document = QJsonDocument::fromJson(body);
        const QJsonObject user = document.object();
        const QString screenName = user.value(QStringLiteral("screen_name")).toString();
        QString userId = user.value(QStringLiteral("id_str")).toString();
        if (!document.isObject() || screenName.isEmpty() || userId.isEmpty()) {
            Q_EMIT loginError(ZrLoginError::ServiceError,
                              tr("The service's answer could not be read."));
            return;
        }
        if (screenName != account.screenName)
            m_store->setScreenName(screenName);
        Zr::setServiceUrl(serviceUrlFor(account));
        Q_EMIT loginResponse(account.token, account.tokenSecret, userId, screenName,
                             account.consumerKey, account.consumerSecret);
        return;
    }

    QString text = serviceErrorText(body);
    const ZrLoginError::ZrLoginError type = errorTypeFor(status, text);
    if (text.isEmpty())
        text = tr("The service answered with status %1.").arg(status);
    qWarning() << "DesktopLoginHandler: login refused with status" << status << text;
    Q_EMIT loginError(type, text);
}

void DesktopLoginHandler::invalidateAccount()
{
    m_store->reload();
    if (!m_store->hasAccount())
        return;
    // The token pair is asked for before the account, and its keyring entry, go; the keyring
    // answers in order.
    m_store->readAccountWithTokens(this, [this](std::optional<Account> account) {
        if (account)
            revoke(*account);
    });
    if (!m_store->removeAccount())
        qWarning() << "DesktopLoginHandler: the account file could not be changed";
}

void DesktopLoginHandler::revoke(const Account &account)
{
    // Revoke the token so that it is useless to whoever reads an old copy of the file. Best
    // effort: the account goes away locally whatever the service answers.
    const QUrl url =
        serviceEndpoint(serviceUrlFor(account), QStringLiteral("/oauth/invalidate_token"));
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setRawHeader("Authorization",
                         Zr::OAuth::authorizationHeader(credentialsOf(account), "POST", url));
    QNetworkReply *reply = network()->post(request, QByteArray());
    auto *timer = new QTimer(reply);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    timer->start(m_timeoutMs);
    connect(reply, &QNetworkReply::finished, reply, [reply] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 200)
            qWarning() << "DesktopLoginHandler: token revocation failed:" << status
                       << reply->errorString();
        reply->deleteLater();
    });
}

} // namespace ZrMeego
