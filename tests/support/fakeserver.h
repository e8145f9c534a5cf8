#ifndef ZR_TEST_FAKESERVER_H
#define ZR_TEST_FAKESERVER_H

#include <QList>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <functional>

// One request as the canned server received it.
struct HttpRequest
{
    QByteArray method;
    QString path; // decoded, without query
    QMap<QByteArray, QByteArray> headers; // lower-case names
    QByteArray body;
    QUrl url; // as the client addressed it

    QMap<QString, QString> query() const;
};

// What the canned server answers.
struct HttpResponse
{
    enum Mode {
        Complete, // status, headers, body, connection closed
        Hang, // reads the request and never answers
        DropMidBody, // announces the whole body, sends half of it, closes
        StallMidBody, // announces the whole body, sends half of it, then nothing more
        Held, // waits until release() and then answers normally
        Stream // chunked, kept open; the test feeds it with sendStreamData()
    };
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json; charset=utf-8";
    Mode mode = Complete;
    bool chunked = false; // send the body as chunked transfer encoding, no length
    qint64 declaredLength = -1; // a Content-Length that lies

    static HttpResponse json(const QByteArray &body, int status = 200);
    static HttpResponse error(int status, const QString &text, const QString &path);
};

// A small HTTP/1.1 server on loopback with canned answers, for testing the client library
// against statuses, chunking, slowness, drops and huge bodies.
class FakeServer : public QObject
{
    Q_OBJECT
public:
    explicit FakeServer(QObject *parent = nullptr);

    QUrl baseUrl() const;
    void setHandler(std::function<HttpResponse(const HttpRequest &)> handler);

    QList<HttpRequest> requests() const { return m_requests; }
    HttpRequest lastRequest() const { return m_requests.value(m_requests.size() - 1); }
    int requestCount() const { return m_requests.size(); }
    void clearRequests() { m_requests.clear(); }

    // Held answers waiting for release().
    int heldCount() const { return m_held.size(); }
    void release();

    // The newest open stream connection.
    void sendStreamData(const QByteArray &data);
    void endStream(); // a proper end of the chunked answer
    void dropStream(); // the connection simply goes away

Q_SIGNALS:
    void streamOpened();
    void streamClosedByClient();

private:
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const HttpResponse &response);

    QTcpServer m_server;
    std::function<HttpResponse(const HttpRequest &)> m_handler;
    QList<HttpRequest> m_requests;
    QMap<QTcpSocket *, QByteArray> m_buffers;
    QList<QPair<QPointer<QTcpSocket>, HttpResponse>> m_held;
    QList<QPointer<QTcpSocket>> m_streams;
};

#endif // ZR_TEST_FAKESERVER_H
