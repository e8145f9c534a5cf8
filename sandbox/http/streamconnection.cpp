#include "streamconnection.h"

#include "apireply.h"

// A client that reads nothing for this long has fallen too far behind and is dropped.
static const qint64 maxBacklogBytes = 8 * 1024 * 1024;

StreamConnection::StreamConnection(QHttpServerResponder &&responder, qint64 userId,
                                   const QByteArray &token, QObject *parent)
    : QObject(parent)
    , m_responder(std::move(responder))
    , m_socket(m_responder->socket())
    , m_userId(userId)
    , m_token(token)
{
    if (m_socket) {
        connect(m_socket, &QTcpSocket::disconnected, this, &StreamConnection::finish);
        connect(m_socket, &QObject::destroyed, this, &StreamConnection::finish);
    }
    if (!isOpen()) {
        finish();
        return;
    }
    m_responder->writeStatusLine(QHttpServerResponder::StatusCode::Ok);
    m_responder->writeHeader("Content-Type", "application/json");
    m_responder->writeHeader("Transfer-Encoding", "chunked");
    m_responder->writeHeader("Cache-Control", "no-cache");
    m_responder->writeHeader("Date", ApiReply::httpDate());
}

bool StreamConnection::isOpen() const
{
    return !m_finished && m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void StreamConnection::sendLine(const QByteArray &line)
{
    writeChunk(line + "\r\n");
}

void StreamConnection::writeChunk(const QByteArray &data)
{
    if (!isOpen()) {
        finish();
        return;
    }
    if (m_socket->bytesToWrite() > maxBacklogBytes) {
        m_socket->abort();
        finish();
        return;
    }
    m_responder->writeBody(QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n");
}

void StreamConnection::close()
{
    if (isOpen()) {
        m_responder->writeBody("0\r\n\r\n");
        m_socket->disconnectFromHost();
    }
    finish();
}

void StreamConnection::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    Q_EMIT closed(this);
}
