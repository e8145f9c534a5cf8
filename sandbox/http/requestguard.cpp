#include "requestguard.h"

#include "apireply.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>

// A refused client gets this long to finish sending what it announced.
static const int drainIdleMs = 3000;
// Beyond this much announced body the connection is closed without reading it all.
static const qint64 maxDrainBytes = 64 * 1024 * 1024;

static QByteArray errorResponse(int status, const QByteArray &reason, const QString &message,
                                const QByteArray &path)
{
    const QByteArray body =
        QJsonDocument(QJsonObject {{QStringLiteral("error"), message},
                                   {QStringLiteral("request"), QString::fromUtf8(path.left(200))}})
            .toJson(QJsonDocument::Compact);
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n"
        + "Content-Type: application/json; charset=utf-8\r\n" + "Date: " + ApiReply::httpDate()
        + "\r\n" + "Connection: close\r\n" + "Content-Length: " + QByteArray::number(body.size())
        + "\r\n\r\n" + body;
}

RequestGuard::RequestGuard(QObject *parent)
    : QTcpServer(parent)
{ }

void RequestGuard::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    m_states.insert(socket, State());
    // Connected before the HTTP server connects its own reader, so this runs first on
    // every arrival and sees the new bytes still unread.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { inspect(socket); });
    connect(socket, &QObject::destroyed, this, [this, socket] { m_states.remove(socket); });
    addPendingConnection(socket);
}

void RequestGuard::inspect(QTcpSocket *socket)
{
    auto it = m_states.find(socket);
    if (it == m_states.end())
        return;
    State &state = *it;
    if (state.phase == State::Refused) {
        state.remaining -= socket->readAll().size();
        if (state.remaining <= 0)
            socket->disconnectFromHost();
        return;
    }

    QByteArray fresh = socket->peek(socket->bytesAvailable());
    while (!fresh.isEmpty()) {
        if (state.phase == State::Body) {
            const qint64 take = qMin<qint64>(state.remaining, fresh.size());
            state.remaining -= take;
            fresh.remove(0, int(take));
            if (state.remaining == 0) {
                state.phase = State::Head;
                state.head.clear();
            }
            continue;
        }
        // Head: collect up to the blank line.
        const int before = state.head.size();
        state.head += fresh;
        const int end = state.head.indexOf("\r\n\r\n");
        if (end < 0) {
            if (state.head.size() > maxHeadBytes) {
                refuse(socket,
                       errorResponse(413, "Payload Too Large",
                                     QStringLiteral("Request entity too large"), QByteArray()),
                       0);
            }
            return;
        }
        const int headLength = end + 4;
        fresh.remove(0, headLength - before);
        if (headLength > maxHeadBytes) {
            refuse(socket,
                   errorResponse(413, "Payload Too Large",
                                 QStringLiteral("Request entity too large"), QByteArray()),
                   0);
            return;
        }
        qint64 bodyLength = 0;
        bool expectContinue = false;
        const QByteArray refusal = check(state.head.left(headLength), &bodyLength, &expectContinue);
        if (!refusal.isEmpty()) {
            refuse(socket, refusal, bodyLength - fresh.size());
            return;
        }
        if (expectContinue && bodyLength > 0)
            socket->write("HTTP/1.1 100 Continue\r\n\r\n");
        state.head.clear();
        if (bodyLength > 0) {
            state.phase = State::Body;
            state.remaining = bodyLength;
        }
    }
}

QByteArray RequestGuard::check(const QByteArray &head, qint64 *bodyLength, bool *expectContinue)
{
    const QList<QByteArray> lines = head.trimmed().split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QByteArray target = requestLine.value(1);
    const QByteArray path = target.left(target.indexOf('?'));
    const QString tooLarge = QStringLiteral("Request entity too large");
    if (target.size() > maxTargetBytes)
        return errorResponse(413, "Payload Too Large", tooLarge, path.left(100));

    QByteArray contentType;
    QByteArray lengthText;
    bool chunked = false;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length")
            lengthText = value;
        else if (name == "content-type")
            contentType = value.toLower();
        else if (name == "transfer-encoding")
            chunked = value.toLower().contains("chunked");
        else if (name == "expect")
            *expectContinue = value.toLower() == "100-continue";
    }
    if (chunked) {
        // A body of unknown size cannot be held to a limit before it is read.
        return errorResponse(411, "Length Required", QStringLiteral("Length required"), path);
    }
    if (lengthText.isEmpty())
        return {};
    bool numeric = false;
    const qint64 length = lengthText.toLongLong(&numeric);
    if (!numeric || length < 0) {
        return errorResponse(400, "Bad Request",
                             QStringLiteral("Invalid parameter: Content-Length"), path);
    }
    *bodyLength = length;
    const qint64 limit = contentType.startsWith("multipart/") ? maxMultipartBytes : maxFormBytes;
    if (length > limit)
        return errorResponse(413, "Payload Too Large", tooLarge, path);
    return {};
}

void RequestGuard::refuse(QTcpSocket *socket, const QByteArray &response, qint64 bodyStillToCome)
{
    State &state = m_states[socket];
    state.phase = State::Refused;
    state.head.clear();
    // What is already here belongs to the refused request; the HTTP server must not see it.
    socket->readAll();
    socket->write(response);
    state.remaining = bodyStillToCome > maxDrainBytes ? 0 : bodyStillToCome;
    if (state.remaining <= 0) {
        socket->disconnectFromHost();
        return;
    }
    // Reading the rest lets the client see the answer instead of a reset connection.
    auto *idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(drainIdleMs);
    connect(idle, &QTimer::timeout, socket, &QTcpSocket::disconnectFromHost);
    connect(socket, &QTcpSocket::readyRead, idle, qOverload<>(&QTimer::start));
    idle->start();
}
