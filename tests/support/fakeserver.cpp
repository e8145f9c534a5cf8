#include "fakeserver.h"

#include "oauth.h"

#include <QJsonDocument>
#include <QJsonObject>

static QMap<QString, QString> toMap(const Zr::OAuthParams &params)
{
    QMap<QString, QString> map;
    for (const auto &p : params)
        map.insert(QString::fromUtf8(p.first), QString::fromUtf8(p.second));
    return map;
}

QMap<QString, QString> HttpRequest::query() const
{
    return toMap(Zr::OAuth::queryParameters(url));
}

HttpResponse HttpResponse::json(const QByteArray &body, int status)
{
    HttpResponse response;
    response.status = status;
    response.body = body;
    return response;
}

HttpResponse HttpResponse::error(int status, const QString &text, const QString &path)
{
    const QJsonObject object {{QStringLiteral("error"), text}, {QStringLiteral("request"), path}};
    return json(QJsonDocument(object).toJson(QJsonDocument::Compact), status);
}

FakeServer::FakeServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                if (m_streams.removeAll(socket) > 0)
                    Q_EMIT streamClosedByClient();
                socket->deleteLater();
            });
        }
    });
    m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl FakeServer::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
}

void FakeServer::setHandler(std::function<HttpResponse(const HttpRequest &)> handler)
{
    m_handler = std::move(handler);
}

void FakeServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    HttpRequest request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    for (const QByteArray &line : lines.mid(1)) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            request.headers.insert(line.left(colon).trimmed().toLower(),
                                   line.mid(colon + 1).trimmed());
    }
    const qint64 length = request.headers.value("content-length", "0").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    buffer.clear();
    request.url =
        QUrl(QStringLiteral("http://") + QString::fromLatin1(request.headers.value("host"))
             + QString::fromLatin1(requestLine.value(1)));
    request.path = request.url.path();
    m_requests.append(request);

    const HttpResponse response = m_handler
        ? m_handler(request)
        : HttpResponse::error(404, QStringLiteral("Not found"), request.path);
    if (response.mode == HttpResponse::Held)
        m_held.append({socket, response});
    else if (response.mode != HttpResponse::Hang)
        answer(socket, response);
}

void FakeServer::answer(QTcpSocket *socket, const HttpResponse &response)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Canned\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    const bool stream = response.mode == HttpResponse::Stream;
    const bool chunked = response.chunked || stream;
    if (chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else
        head += "Content-Length: "
            + QByteArray::number(response.declaredLength >= 0 ? response.declaredLength
                                                              : response.body.size())
            + "\r\n";
    socket->write(head + (stream ? "" : "Connection: close\r\n") + "\r\n");

    if (stream) {
        m_streams.append(socket);
        Q_EMIT streamOpened();
        return;
    }
    if (response.mode == HttpResponse::DropMidBody || response.mode == HttpResponse::StallMidBody) {
        socket->write(response.body.left(response.body.size() / 2));
        socket->flush();
        if (response.mode == HttpResponse::DropMidBody)
            socket->abort();
        return;
    }
    if (chunked) {
        // Uneven pieces, so that no boundary lines up with anything in the body.
        for (qsizetype at = 0; at < response.body.size();) {
            const qsizetype size =
                qMin<qsizetype>(at % 7 == 0 ? 4093 : 65521, response.body.size() - at);
            socket->write(QByteArray::number(size, 16) + "\r\n" + response.body.mid(at, size)
                          + "\r\n");
            at += size;
        }
        socket->write("0\r\n\r\n");
    } else {
        socket->write(response.body);
    }
    socket->disconnectFromHost();
}

void FakeServer::release()
{
    const auto held = std::exchange(m_held, {});
    for (auto [socket, response] : held) {
        response.mode = HttpResponse::Complete;
        if (socket)
            answer(socket, response);
    }
}

void FakeServer::sendStreamData(const QByteArray &data)
{
    if (!m_streams.isEmpty() && m_streams.last() && !data.isEmpty()) {
        m_streams.last()->write(QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n");
        m_streams.last()->flush();
    }
}

void FakeServer::endStream()
{
    if (QTcpSocket *socket = m_streams.isEmpty() ? nullptr : m_streams.takeLast().data()) {
        socket->write("0\r\n\r\n");
        socket->disconnectFromHost();
    }
}

void FakeServer::dropStream()
{
    if (QTcpSocket *socket = m_streams.isEmpty() ? nullptr : m_streams.takeLast().data())
        socket->abort();
}
