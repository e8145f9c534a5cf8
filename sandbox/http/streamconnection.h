#ifndef SANDBOX_STREAMCONNECTION_H
#define SANDBOX_STREAMCONNECTION_H

#include <QHttpServerResponder>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include <optional>

// One open stream: a response held open with chunked framing written by hand (the HTTP
// server has no chunked responses). The socket may go away at any time; the connection then
// reports closed() and writes nothing more.
class StreamConnection : public QObject
{
    Q_OBJECT
public:
    StreamConnection(QHttpServerResponder &&responder, qint64 userId, const QByteArray &token,
                     QObject *parent = nullptr);

    qint64 userId() const { return m_userId; }
    QByteArray token() const { return m_token; }
    bool isOpen() const;

    // Writes one line (an object or, when empty, a keep-alive) as one chunk.
    void sendLine(const QByteArray &line);
    // Ends the response and the connection.
    void close();

Q_SIGNALS:
    void closed(StreamConnection *connection);

private:
    void writeChunk(const QByteArray &data);
    void finish();

    std::optional<QHttpServerResponder> m_responder;
    QPointer<QTcpSocket> m_socket;
    qint64 m_userId;
    QByteArray m_token;
    bool m_finished = false;
};

#endif // SANDBOX_STREAMCONNECTION_H
