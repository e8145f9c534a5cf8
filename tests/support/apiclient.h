#ifndef ZIRRUP_TESTS_APICLIENT_H
#define ZIRRUP_TESTS_APICLIENT_H

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPair>
#include <QUrl>

#include "oauth.h"

// The value at a path of object keys and array indices, e.g. "entities/urls/0/indices";
// undefined when the path leads nowhere.
QJsonValue jsonAt(const QJsonValue &root, const QString &path);

// What a test gets back from the service.
struct ApiResponse
{
    int status = 0; // 0: no HTTP answer (network error or timeout)
    QByteArray body;
    QList<QNetworkReply::RawHeaderPair> headers;

    QJsonObject object() const { return QJsonDocument::fromJson(body).object(); }
    QJsonArray array() const { return QJsonDocument::fromJson(body).array(); }
    // A value in the answer by path (see jsonAt).
    QJsonValue at(const QString &path) const;
    // The "error" text of an error answer.
    QString error() const { return object().value(QStringLiteral("error")).toString(); }
    QByteArray header(const QByteArray &name) const;
};

// A signed-in account: what the sign-in exchange answers.
struct SandboxAccount
{
    QByteArray token;
    QByteArray tokenSecret;
    QString userId;
    QString screenName;
    bool isValid() const { return !token.isEmpty(); }
};

using Params = QList<QPair<QString, QString>>;

// Overrides of the signature of one request, to test what the service refuses.
struct RequestSigning
{
    bool sign = true;
    QByteArray nonce; // a fresh one when empty
    qint64 timestamp = 0; // now (plus the clock offset) when 0
    QByteArray consumerSecret; // the build's when empty
};

// Signed requests to a Zirrup service, one at a time, waiting for each answer (the event
// loop runs meanwhile, so an in-process server answers too).
class ApiClient : public QObject
{
    Q_OBJECT
public:
    struct FilePart
    {
        QString name;
        QString fileName;
        QByteArray contentType;
        QByteArray data;
    };
    using Signing = RequestSigning;

    explicit ApiClient(const QUrl &baseUrl, QObject *parent = nullptr);

    void setAccount(const SandboxAccount &account) { m_account = account; }
    SandboxAccount account() const { return m_account; }
    // Signs with a clock this many seconds off.
    void setClockOffset(qint64 seconds) { m_clockOffset = seconds; }
    QUrl url(const QString &path, const Params &query = {}) const;

    // Signs in with the sign-in exchange and keeps the account; invalid on failure, with
    // the answer in *response when given.
    SandboxAccount signIn(const QString &userName, const QString &password,
                          ApiResponse *response = nullptr);

    ApiResponse get(const QString &path, const Params &query = {}, const Signing &signing = {});
    ApiResponse post(const QString &path, const Params &form = {}, const Signing &signing = {});
    ApiResponse postMultipart(const QString &path, const Params &fields,
                              const QList<FilePart> &files);
    // Any request with a raw body (for malformed and oversized ones).
    ApiResponse send(const QByteArray &method, const QUrl &url, const QByteArray &body,
                     const QByteArray &contentType, const Zr::OAuthParams &signedBody,
                     const Signing &signing = {});

    // Opens the user stream; the caller owns the reply.
    QNetworkReply *openStream();

    QByteArray authorization(const QByteArray &method, const QUrl &url,
                             const Zr::OAuthParams &bodyParameters, const Signing &signing) const;

private:
    ApiResponse wait(QNetworkReply *reply);

    QUrl m_baseUrl;
    SandboxAccount m_account;
    qint64 m_clockOffset = 0;
    QNetworkAccessManager m_manager;
};

#endif // ZIRRUP_TESTS_APICLIENT_H
