#include "httpfront.h"

#include "apierror.h"
#include "oauthverifier.h"
#include "requestguard.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QLoggingCategory>
#include <QTcpSocket>

#include <exception>

Q_LOGGING_CATEGORY(lcSandboxHttp, "zirrup.sandbox.http", QtWarningMsg)

static QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Post:
        return "POST";
    case QHttpServerRequest::Method::Put:
        return "PUT";
    case QHttpServerRequest::Method::Delete:
        return "DELETE";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    case QHttpServerRequest::Method::Options:
        return "OPTIONS";
    case QHttpServerRequest::Method::Patch:
        return "PATCH";
    default:
        return "OTHER";
    }
}

static QString text(const QByteArray &utf8)
{
    return QString::fromUtf8(utf8);
}

HttpFront::HttpFront(OAuthVerifier *verifier, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_verifier(verifier)
{ }

void HttpFront::addRoute(const QByteArray &method, const QString &pattern, Access access,
                         Handler handler)
{
    Route route {method, QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')), access,
                 std::move(handler)};
    m_routes.append(std::move(route));
}

quint16 HttpFront::listenOnLoopback(quint16 port)
{
    auto *listener = new RequestGuard(this);
    if (!listener->listen(QHostAddress::LocalHost, port)) {
        qWarning("zirrup-sandbox: cannot listen on 127.0.0.1:%d: %s", port,
                 qPrintable(listener->errorString()));
        delete listener;
        return 0;
    }
    bind(listener);
    return listener->serverPort();
}

bool HttpFront::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    ApiRequest call;
    ApiReply reply = dispatch(request, call);
    QHttpServerResponder responder = makeResponder(request, socket);
    if (reply.isTakeOver()) {
        qCInfo(lcSandboxHttp, "%s %s (held)", call.method.constData(), qPrintable(call.path));
        reply.taker()(std::move(responder));
        return true;
    }
    qCInfo(lcSandboxHttp, "%s %s %d", call.method.constData(), qPrintable(call.path),
           reply.status());
    send(responder, reply);
    return true;
}

void HttpFront::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    send(responder, ApiReply::error(404, QStringLiteral("Not found"), request.url().path()));
}

ApiReply HttpFront::dispatch(const QHttpServerRequest &request, ApiRequest &call)
{
    call.method = methodName(request.method());
    call.url = request.url();
    call.path = request.url().path();
    call.baseUrl = m_baseUrl;
    try {
        const Route *found = nullptr;
        bool pathKnown = false;
        for (const Route &route : std::as_const(m_routes)) {
            const QRegularExpressionMatch match = route.pattern.match(call.path);
            if (!match.hasMatch())
                continue;
            pathKnown = true;
            if (route.method == call.method) {
                found = &route;
                call.captures = match.capturedTexts().mid(1);
                break;
            }
        }
        if (!found) {
            if (pathKnown)
                throw ApiError(405, QStringLiteral("Method not allowed"));
            throw ApiError::notFound();
        }

        Zr::OAuthParams formParameters;
        readParameters(request, call, &formParameters);
        const OAuthVerifier::Need need = found->access == Access::Token ? OAuthVerifier::Need::Token
            : found->access == Access::SignIn ? OAuthVerifier::Need::Consumer
                                              : OAuthVerifier::Need::Nothing;
        const OAuthVerifier::Identity identity = m_verifier->verify(
            call.method, request.url(), request.value("Authorization"), formParameters, need);
        call.userId = identity.userId;
        call.token = QString::fromLatin1(identity.token);
        return found->handler(call);
    } catch (const ApiError &error) {
        return ApiReply::error(error.status(), error.message(), call.path);
    } catch (const std::exception &e) {
        qWarning("zirrup-sandbox: %s failed: %s", qPrintable(call.path), e.what());
        return ApiReply::error(500, QStringLiteral("Internal error"), call.path);
    }
}

void HttpFront::readParameters(const QHttpServerRequest &request, ApiRequest &call,
                               Zr::OAuthParams *formParameters) const
{
    for (const Zr::OAuthParam &p : Zr::OAuth::queryParameters(request.url()))
        call.params.append({text(p.first), text(p.second)});

    const QByteArray body = request.body();
    if (body.isEmpty())
        return;
    const QByteArray contentType = request.value("Content-Type");
    const QByteArray type = contentType.trimmed().toLower();
    if (type.startsWith("multipart/")) {
        if (body.size() > RequestGuard::maxMultipartBytes)
            throw ApiError::tooLarge();
        const auto parts = MultipartParser::parse(contentType, body);
        if (!parts)
            throw ApiError::invalid(QStringLiteral("multipart body"));
        for (const MultipartPart &part : *parts) {
            if (part.hasFileName)
                call.parts.append(part);
            else
                call.params.append({part.name, text(part.data)});
        }
        return;
    }
    if (body.size() > RequestGuard::maxFormBytes)
        throw ApiError::tooLarge();
    // Only a urlencoded body carries parameters (and takes part in the signature).
    if (type.isEmpty() || type.startsWith("application/x-www-form-urlencoded")) {
        *formParameters = Zr::OAuth::formParameters(body);
        for (const Zr::OAuthParam &p : std::as_const(*formParameters))
            call.params.append({text(p.first), text(p.second)});
    }
}

void HttpFront::send(QHttpServerResponder &responder, const ApiReply &reply)
{
    if (!responder.socket() || !responder.socket()->isOpen())
        return;
    const QByteArray body = reply.body();
    responder.writeStatusLine(QHttpServerResponder::StatusCode(reply.status()));
    for (const ApiReply::Header &header : reply.headers())
        responder.writeHeader(header.first, header.second);
    responder.writeHeader("Date", ApiReply::httpDate());
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    responder.writeBody(body);
}
