#include "cannedhttpserver.h"

CannedHttpServer::CannedHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

CannedHttpServer::~CannedHttpServer()
{
    // The sockets die with the server; none of them may call back into a half-destroyed this.
    const QList<QTcpSocket *> sockets = m_server.findChildren<QTcpSocket *>();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        delete socket;
    }
}

QUrl CannedHttpServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
}

void CannedHttpServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    for (;;) {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QByteArray head = buffer.left(headerEnd).toLower();
        const int lengthAt = head.indexOf("\ncontent-length:");
        const int length =
            lengthAt < 0 ? 0 : head.mid(lengthAt + 16).split('\n').first().trimmed().toInt();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        m_requests.append(buffer.left(buffer.indexOf('\r')).split(' ').value(1));
        buffer.remove(0, headerEnd + 4 + length);

        const CannedResponse response = m_responses.isEmpty()
            ? CannedResponse {404, "{\"error\": \"Not found\"}"}
            : m_responses.takeFirst();
        if (response.hold)
            m_held.append({socket, response});
        else
            answer(socket, response);
    }
}

void CannedHttpServer::answer(QTcpSocket *socket, const CannedResponse &response)
{
    if (!socket)
        return;
    QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + " Canned\r\n";
    out += "Content-Type: application/json; charset=utf-8\r\n";
    out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    out += response.body;
    socket->write(out);
    socket->disconnectFromHost();
}

void CannedHttpServer::release()
{
    const QList<Held> held = std::exchange(m_held, {});
    for (const Held &entry : held) {
        CannedResponse response = entry.response;
        response.hold = false;
        answer(entry.socket, response);
    }
}
