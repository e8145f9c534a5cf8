#ifndef SANDBOX_HTTPFRONT_H
#define SANDBOX_HTTPFRONT_H

#include "apireply.h"
#include "apirequest.h"
#include "oauth.h"

#include <QAbstractHttpServer>
#include <QRegularExpression>

#include <functional>

class OAuthVerifier;
class QHttpServerResponder;

// The HTTP side of the service: finds the route of a request (404 for an unknown path, 405
// for a known path with another method), checks its signature, reads its parameters, runs
// the handler and writes the answer with a Date header. Refusals thrown by handlers become
// JSON error answers here.
class HttpFront : public QAbstractHttpServer
{
    Q_OBJECT
public:
    enum class Access {
        Public, // unsigned requests are served anonymously
        SignIn, // signed with the consumer pair only
        Token // signed with a token
    };
    using Handler = std::function<ApiReply(ApiRequest &)>;

    HttpFront(OAuthVerifier *verifier, QObject *parent = nullptr);

    void setBaseUrl(const QString &baseUrl) { m_baseUrl = baseUrl; }
    QString baseUrl() const { return m_baseUrl; }

    // pattern: a regular expression for the whole decoded path; its groups become captures.
    void addRoute(const QByteArray &method, const QString &pattern, Access access, Handler handler);

    // Listens on 127.0.0.1 only; answers the port, 0 on failure.
    quint16 listenOnLoopback(quint16 port);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Route
    {
        QByteArray method;
        QRegularExpression pattern;
        Access access;
        Handler handler;
    };

    ApiReply dispatch(const QHttpServerRequest &request, ApiRequest &call);
    void readParameters(const QHttpServerRequest &request, ApiRequest &call,
                        Zr::OAuthParams *formParameters) const;
    static void send(QHttpServerResponder &responder, const ApiReply &reply);

    OAuthVerifier *m_verifier;
    QList<Route> m_routes;
    QString m_baseUrl;
};

#endif // SANDBOX_HTTPFRONT_H
