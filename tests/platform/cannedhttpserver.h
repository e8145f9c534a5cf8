#ifndef CANNEDHTTPSERVER_H
#define CANNEDHTTPSERVER_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

struct CannedResponse
{
    int status = 200;
    QByteArray body;
    // Held answers wait for release().
    bool hold = false;
};

// A loopback HTTP/1.1 server for tests: answers each request with the next canned response (404
// when none is left) and records each request's target (path and query).
class CannedHttpServer : public QObject
{
    Q_OBJECT
public:
    explicit CannedHttpServer(QObject *parent = nullptr);
    ~CannedHttpServer() override;

    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    QUrl url() const;

    void enqueue(const CannedResponse &response) { m_responses.append(response); }
    void enqueueJson(int status, const QByteArray &json) { enqueue({status, json}); }

    const QList<QByteArray> &requests() const { return m_requests; }
    int heldCount() const { return m_held.size(); }
    // Answers every held request.
    void release();

private:
    struct Held
    {
        QPointer<QTcpSocket> socket;
        CannedResponse response;
    };
    void onReadyRead(QTcpSocket *socket);
    static void answer(QTcpSocket *socket, const CannedResponse &response);

    QTcpServer m_server;
    QList<CannedResponse> m_responses;
    QList<QByteArray> m_requests;
    QList<Held> m_held;
    QMap<QTcpSocket *, QByteArray> m_buffers;
};

#endif // CANNEDHTTPSERVER_H
