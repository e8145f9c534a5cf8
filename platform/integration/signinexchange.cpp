#include "signinexchange.h"

#include "oauth.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>

namespace ZrMeego {

namespace {

const qint64 maxAnswerSize = 8 * 1024 * 1024;
// Longer than any screen name; keeps a pasted novel out of the request.
const int maxUserNameLength = 100;

QString serviceErrorText(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    return document.isObject() ? document.object().value(QStringLiteral("error")).toString()
                               : QString();
}

} // namespace

SignInExchange::SignInExchange(QObject *parent)
    : QObject(parent)
    , m_consumerKey(QStringLiteral(ZIRRUP_CONSUMER_KEY))
    , m_consumerSecret(QStringLiteral(ZIRRUP_CONSUMER_SECRET))
{
    qRegisterMetaType<ZrMeego::Account>();
}

SignInExchange::~SignInExchange()
{
    abort();
}

void SignInExchange::setConsumer(const QString &key, const QString &secret)
{
    m_consumerKey = key;
    m_consumerSecret = secret;
}

QUrl SignInExchange::serviceUrlFromText(const QString &text)
{
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QUrl();
    if (!trimmed.contains(QLatin1String("://")))
        trimmed.prepend(QLatin1String("http://"));
    QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()
        || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment())
        return QUrl();
    return normalizedServiceUrl(url.adjusted(QUrl::NormalizePathSegments));
}

QString SignInExchange::describe(Failure failure, const QUrl &serviceUrl,
                                 const QString &serviceMessage)
{
    switch (failure) {
    case InvalidAddress:
        return qtTrId("qtn_comm_account_error_address")
            .arg(QStringLiteral("http://127.0.0.1:8123"));
    case MissingInput:
        return qtTrId("qtn_comm_account_error_missing");
    case WrongCredentials:
        return qtTrId("qtn_comm_account_error_credentials");
    case AccountDeleted:
        return qtTrId("qtn_comm_account_error_deleted");
    case ClockSkew:
        return qtTrId("qtn_comm_account_error_clock");
    case ClientRejected:
        return qtTrId("qtn_comm_account_error_client");
    case Unreachable:
        return qtTrId("qtn_comm_account_error_unreachable").arg(serviceUrl.toDisplayString());
    case Busy:
        return qtTrId("qtn_comm_account_error_busy");
    case ServiceFailure:
        break;
    }
    if (!serviceMessage.isEmpty())
        return qtTrId("qtn_comm_account_error_service_says").arg(serviceMessage);
    return qtTrId("qtn_comm_account_error_service");
}

void SignInExchange::failLater(Failure failure, const QUrl &serviceUrl)
{
    QTimer::singleShot(0, this, [this, failure, serviceUrl] {
        Q_EMIT failed(failure, describe(failure, serviceUrl), QString());
    });
}

void SignInExchange::start(const QUrl &serviceUrl, const QString &userName, const QString &password)
{
    if (isRunning()) {
        failLater(Busy, serviceUrl);
        return;
    }
    const QUrl base = serviceUrlFromText(serviceUrl.toString());
    if (!base.isValid()) {
        failLater(InvalidAddress, serviceUrl);
        return;
    }
    QString name = userName.trimmed();
    if (name.startsWith(QLatin1Char('@')))
        name.remove(0, 1);
    if (name.isEmpty() || password.isEmpty() || name.size() > maxUserNameLength) {
        failLater(MissingInput, base);
        return;
    }

    const QUrl url = serviceEndpoint(base, QStringLiteral("/oauth/access_token"));
    const Zr::OAuthParams fields {{"x_auth_mode", "client_auth"},
                                  {"x_auth_username", name.toUtf8()},
                                  {"x_auth_password", password.toUtf8()}};
    const QByteArray body = Zr::OAuth::formEncode(fields);

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    const Zr::OAuthCredentials consumer {m_consumerKey.toUtf8(), m_consumerSecret.toUtf8(), {}, {}};
    request.setRawHeader("Authorization",
                         Zr::OAuth::authorizationHeader(consumer, "POST", url, fields));
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkReply *reply = m_network->post(request, body);
    m_reply = reply;

    auto timedOut = std::make_shared<bool>(false);
    auto *timer = new QTimer(reply);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, reply, [reply, timedOut] {
        *timedOut = true;
        reply->abort();
    });
    timer->start(m_timeoutMs);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > maxAnswerSize)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, base, timedOut] {
        reply->deleteLater();
        if (m_reply != reply)
            return; // aborted by abort()
        m_reply = nullptr;
        finish(reply, base, *timedOut);
    });
}

void SignInExchange::abort()
{
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->abort();
    }
}

void SignInExchange::finish(QNetworkReply *reply, const QUrl &serviceUrl, bool timedOut)
{
    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    if (timedOut || status == 0) {
        qWarning() << "SignInExchange: service unreachable:"
                   << (timedOut ? QStringLiteral("timed out") : reply->errorString());
        Q_EMIT failed(Unreachable, describe(Unreachable, serviceUrl), QString());
        return;
    }
    const QByteArray body = reply->readAll();
    if (status == 200) {
        const QJsonObject answer = QJsonDocument::fromJson(body).object();
        Account account;
        account.serviceUrl = serviceUrl;
        account.userId = answer.value(QStringLiteral("user_id")).toString();
        account.screenName = answer.value(QStringLiteral("screen_name")).toString();
        account.token = answer.value(QStringLiteral("oauth_token")).toString();
        account.tokenSecret = answer.value(QStringLiteral("oauth_token_secret")).toString();
        account.consumerKey = m_consumerKey;
        account.consumerSecret = m_consumerSecret;
        account.enabled = true;
        if (!account.isComplete()) {
            Q_EMIT failed(ServiceFailure, describe(ServiceFailure, serviceUrl), QString());
            return;
        }
        Q_EMIT succeeded(account);
        return;
    }

    const QString message = serviceErrorText(body);
    Failure failure = ServiceFailure;
    if (status == 401) {
        if (message.startsWith(QLatin1String("Client time out of sync")))
            failure = ClockSkew;
        else if (message == QLatin1String("Could not authenticate with OAuth."))
            failure = ClientRejected;
        else
            failure = WrongCredentials;
    } else if (status == 403 && message == QLatin1String("User has been deleted")) {
        failure = AccountDeleted;
    } else if (status == 400 && message.startsWith(QLatin1String("Missing parameter"))) {
        failure = MissingInput;
    }
    qWarning() << "SignInExchange: sign-in refused with status" << status << message;
    Q_EMIT failed(failure, describe(failure, serviceUrl, message), message);
}

} // namespace ZrMeego
