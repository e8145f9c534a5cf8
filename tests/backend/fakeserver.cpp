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

QMap<QString, QString> HttpRequest::form() const
{
    return toMap(Zr::OAuth::formParameters(body));
}

QMap<QString, QByteArray> HttpRequest::multipart(QMap<QString, QString> *fileNames) const
{
    QMap<QString, QByteArray> parts;
    const QByteArray type = headers.value("content-type");
    const int at = type.indexOf("boundary=");
    if (at < 0)
        return parts;
    QByteArray boundary = type.mid(at + 9);
    if (boundary.startsWith('"'))
        boundary = boundary.mid(1, boundary.indexOf('"', 1) - 1);
    const QByteArray delimiter = "--" + boundary;
    // Split on the delimiter lines, keeping binary part bodies intact.
    qsizetype pos = body.indexOf(delimiter);
    while (pos >= 0) {
        qsizetype start = pos + delimiter.size();
        if (body.mid(start, 2) == "--")
            break;
        start += 2; // CRLF
        const qsizetype next = body.indexOf("\r\n" + delimiter, start);
        if (next < 0)
            break;
        const QByteArray part = body.mid(start, next - start);
        const qsizetype headerEnd = part.indexOf("\r\n\r\n");
        const QByteArray partHeaders = part.left(headerEnd);
        const QByteArray content = part.mid(headerEnd + 4);
        const int nameAt = partHeaders.indexOf("name=\"");
        const QByteArray name =
            partHeaders.mid(nameAt + 6, partHeaders.indexOf('"', nameAt + 6) - nameAt - 6);
        parts.insert(QString::fromUtf8(name), content);
        const int fileAt = partHeaders.indexOf("filename=\"");
        if (fileNames && fileAt >= 0)
            fileNames->insert(
                QString::fromUtf8(name),
                QString::fromUtf8(partHeaders.mid(
                    fileAt + 10, partHeaders.indexOf('"', fileAt + 10) - fileAt - 10)));
        pos = next + 2;
    }
    return parts;
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
    connect(&m_server, &QTcpServer::newConnection, this, &FakeServer::onNewConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

FakeServer::~FakeServer()
{
    m_server.close();
}

QUrl FakeServer::baseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
}

void FakeServer::route(const QString &path, const HttpResponse &response)
{
    m_routes.insert(path, response);
}

void FakeServer::setHandler(std::function<HttpResponse(const HttpRequest &)> handler)
{
    m_handler = std::move(handler);
}

void FakeServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            if (m_streams.contains(socket)) {
                m_streams.removeAll(socket);
                Q_EMIT streamClosedByClient();
            }
            socket->deleteLater();
        });
    }
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
    request.target = requestLine.value(1);
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
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
             + QString::fromLatin1(request.target));
    request.path = request.url.path();
    m_requests.append(request);

    HttpResponse response;
    if (m_handler)
        response = m_handler(request);
    else if (m_routes.contains(request.path))
        response = m_routes.value(request.path);
    else
        response = HttpResponse::error(404, QStringLiteral("Not found"), request.path);
    Q_EMIT requestReceived();

    switch (response.mode) {
    case HttpResponse::Hang:
        return;
    case HttpResponse::Held:
        m_held.append({socket, response});
        return;
    default:
        answer(socket, response);
    }
}

void FakeServer::answer(QTcpSocket *socket, const HttpResponse &response)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Canned\r\n";
    head += "Date: Sat, 05 Dec 2026 10:11:12 GMT\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    const bool chunked = response.chunked || response.mode == HttpResponse::Stream;
    if (chunked) {
        head += "Transfer-Encoding: chunked\r\n";
    } else {
        const qint64 length =
            response.declaredLength >= 0 ? response.declaredLength : response.body.size();
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    if (response.mode != HttpResponse::Stream)
        head += "Connection: close\r\n";
    head += "\r\n";
    socket->write(head);

    if (response.mode == HttpResponse::Stream) {
        m_streams.append(socket);
        if (!response.body.isEmpty())
            sendStreamData(response.body);
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
    const auto held = m_held;
    m_held.clear();
    for (const auto &entry : held) {
        HttpResponse response = entry.second;
        response.mode = HttpResponse::Complete;
        if (entry.first)
            answer(entry.first, response);
    }
}

bool FakeServer::hasStream() const
{
    return openStreams() > 0;
}

int FakeServer::openStreams() const
{
    int open = 0;
    for (const auto &socket : m_streams)
        open += socket && socket->state() == QAbstractSocket::ConnectedState;
    return open;
}

void FakeServer::sendStreamData(const QByteArray &data)
{
    QTcpSocket *socket = m_streams.isEmpty() ? nullptr : m_streams.last().data();
    if (!socket || data.isEmpty())
        return;
    socket->write(QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n");
    socket->flush();
}

void FakeServer::endStream()
{
    QTcpSocket *socket = m_streams.isEmpty() ? nullptr : m_streams.takeLast().data();
    if (!socket)
        return;
    socket->write("0\r\n\r\n");
    socket->disconnectFromHost();
}

void FakeServer::dropStream()
{
    QTcpSocket *socket = m_streams.isEmpty() ? nullptr : m_streams.takeLast().data();
    if (socket)
        socket->abort();
}
