#include "streamreader.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QSignalSpy>

StreamReader::StreamReader(QNetworkReply *reply, QObject *parent)
    : QObject(parent)
    , m_reply(reply)
{
    reply->setParent(this);
    connect(reply, &QNetworkReply::readyRead, this, &StreamReader::readLines);
    connect(reply, &QNetworkReply::finished, this, [this] {
        readLines();
        m_finished = true;
        Q_EMIT finished();
    });
}

StreamReader::~StreamReader()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

int StreamReader::httpStatus() const
{
    return m_reply ? m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
}

QByteArray StreamReader::rawHeader(const QByteArray &name) const
{
    return m_reply ? m_reply->rawHeader(name) : QByteArray();
}

void StreamReader::readLines()
{
    if (!m_reply)
        return;
    m_buffer += m_reply->readAll();
    int end;
    while ((end = int(m_buffer.indexOf("\r\n"))) >= 0) {
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 2);
        if (line.isEmpty()) {
            ++m_keepAlives;
            Q_EMIT keepAliveReceived();
            continue;
        }
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        m_objects.append(object);
        m_taken.append(false);
        Q_EMIT objectReceived(object);
    }
}

int StreamReader::pending(const QString &key) const
{
    int count = 0;
    for (int i = 0; i < m_objects.size(); ++i) {
        if (!m_taken.at(i) && m_objects.at(i).contains(key))
            ++count;
    }
    return count;
}

QJsonObject StreamReader::take(const QString &key, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (true) {
        for (int i = 0; i < m_objects.size(); ++i) {
            if (!m_taken.at(i) && m_objects.at(i).contains(key)) {
                m_taken[i] = true;
                return m_objects.at(i);
            }
        }
        if (m_finished || deadline.hasExpired())
            return {};
        QSignalSpy spy(this, &StreamReader::objectReceived);
        if (!spy.wait(int(qMax<qint64>(1, deadline.remainingTime()))))
            return {};
    }
}

bool StreamReader::waitForKeepAlives(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_keepAlives < count) {
        if (m_finished || deadline.hasExpired())
            return false;
        QSignalSpy spy(this, &StreamReader::keepAliveReceived);
        spy.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    return true;
}

bool StreamReader::waitForFinished(int timeoutMs)
{
    if (m_finished)
        return true;
    QSignalSpy spy(this, &StreamReader::finished);
    return spy.wait(timeoutMs) || m_finished;
}
