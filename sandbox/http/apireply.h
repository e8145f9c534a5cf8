#ifndef SANDBOX_APIREPLY_H
#define SANDBOX_APIREPLY_H

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPair>

#include <functional>

class QHttpServerResponder;

// What a handler answers: a complete response, or (for the stream) a taker that keeps the
// connection and writes to it later.
class ApiReply
{
public:
    using Header = QPair<QByteArray, QByteArray>;
    using Taker = std::function<void(QHttpServerResponder &&)>;

    ApiReply() = default;

    static ApiReply json(const QJsonObject &object, int status = 200);
    static ApiReply json(const QJsonArray &array, int status = 200);
    static ApiReply error(int status, const QString &message, const QString &path);
    // A public file: cached by clients for a day.
    static ApiReply file(const QByteArray &data, const QByteArray &contentType);
    static ApiReply html(const QByteArray &page);
    static ApiReply redirect(const QByteArray &location);
    static ApiReply takeOver(Taker taker);

    int status() const { return m_status; }
    QByteArray body() const { return m_body; }
    QList<Header> headers() const { return m_headers; }
    bool isTakeOver() const { return bool(m_taker); }
    Taker taker() const { return m_taker; }

    void addHeader(const QByteArray &name, const QByteArray &value);

    // The current time in the form of the HTTP Date header.
    static QByteArray httpDate();

private:
    int m_status = 200;
    QByteArray m_body;
    QList<Header> m_headers;
    Taker m_taker;
};

#endif // SANDBOX_APIREPLY_H
