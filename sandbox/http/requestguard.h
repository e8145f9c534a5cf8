#ifndef SANDBOX_REQUESTGUARD_H
#define SANDBOX_REQUESTGUARD_H

#include <QHash>
#include <QTcpServer>

class QTcpSocket;

// The listening socket of the service. It looks at every request's head before the HTTP
// server buffers anything, and refuses a request whose target or declared body is beyond the
// limits (413), so no single request can make the server hold more than a limit's worth.
// Refused bodies are read and dropped, not stored, and the connection is then closed.
class RequestGuard : public QTcpServer
{
    Q_OBJECT
public:
    static constexpr int maxTargetBytes = 8 * 1024;
    static constexpr int maxHeadBytes = 32 * 1024;
    static constexpr int maxFormBytes = 64 * 1024;
    static constexpr int maxMultipartBytes = 5 * 1024 * 1024;

    explicit RequestGuard(QObject *parent = nullptr);

    // Checks one complete head; an empty answer lets the request through.
    static QByteArray check(const QByteArray &head, qint64 *bodyLength, bool *expectContinue);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct State
    {
        enum Phase { Head, Body, Refused } phase = Head;
        QByteArray head;
        qint64 remaining = 0;
    };

    void inspect(QTcpSocket *socket);
    void refuse(QTcpSocket *socket, const QByteArray &response, qint64 bodyStillToCome);

    QHash<QTcpSocket *, State> m_states;
};

#endif // SANDBOX_REQUESTGUARD_H
