#include "requestjob.h"

#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace Zr {

RequestJob::RequestJob(QNetworkAccessManager *network, const QNetworkRequest &request,
                       const QByteArray &method, QObject *parent)
    : QObject(parent)
    , m_network(network)
    , m_request(request)
    , m_method(method)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this,
            [this] { failNow(QStringLiteral("Request timed out")); });
}

RequestJob::~RequestJob()
{
    m_done = true;
    detachReply();
}

void RequestJob::setBody(const QByteArray &body)
{
    m_requestBody = body;
}

void RequestJob::setMultipart(QHttpMultiPart *multipart)
{
    m_multipart = multipart;
    if (m_multipart)
        m_multipart->setParent(this);
}

void RequestJob::setMaxBytes(qint64 bytes)
{
    m_maxBytes = bytes;
}

void RequestJob::setTimeout(int milliseconds)
{
    m_timeout = milliseconds;
}

void RequestJob::start()
{
    if (m_started)
        return;
    m_started = true;
    m_timer.start(m_timeout);

    if (m_multipart)
        m_reply = m_network->post(m_request, m_multipart);
    else if (m_method == "GET")
        m_reply = m_network->get(m_request);
    else if (m_method == "POST")
        m_reply = m_network->post(m_request, m_requestBody);
    else
        m_reply = m_network->sendCustomRequest(m_request, m_method, m_requestBody);

    QNetworkReply *reply = m_reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (m_maxBytes >= 0 && length.isValid() && length.toLongLong() > m_maxBytes)
            failNow(QStringLiteral("Answer too large"));
    });
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (m_maxBytes >= 0 && received > m_maxBytes)
            failNow(QStringLiteral("Answer too large"));
    });
    connect(reply, &QNetworkReply::finished, this, &RequestJob::onReplyFinished);
    if (reply->isFinished())
        QMetaObject::invokeMethod(this, &RequestJob::onReplyFinished, Qt::QueuedConnection);
}

void RequestJob::cancel()
{
    m_done = true;
    m_timer.stop();
    detachReply();
}

void RequestJob::onReplyFinished()
{
    if (m_done || !m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_body = reply->readAll();
    const QNetworkReply::NetworkError error = reply->error();

    QString problem;
    if (m_httpStatus == 0) {
        problem = reply->errorString();
        if (problem.isEmpty())
            problem = QStringLiteral("No answer");
    } else if (m_httpStatus >= 200 && m_httpStatus < 300) {
        // Status and headers arrived but the body did not finish: never hand on a torso.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (error != QNetworkReply::NoError)
            problem = QStringLiteral("Answer interrupted: ") + reply->errorString();
        else if (length.isValid() && length.toLongLong() != m_body.size())
            problem = QStringLiteral("Answer interrupted: %1 of %2 bytes")
                          .arg(m_body.size())
                          .arg(length.toLongLong());
    }
    if (problem.isEmpty() && m_maxBytes >= 0 && m_body.size() > m_maxBytes)
        problem = QStringLiteral("Answer too large");
    finishWith(problem);
}

void RequestJob::failNow(const QString &text)
{
    if (m_done)
        return;
    if (m_reply)
        m_httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_body.clear();
    finishWith(text);
}

void RequestJob::finishWith(const QString &errorText)
{
    if (m_done)
        return;
    m_done = true;
    m_timer.stop();
    m_errorText = errorText;
    detachReply();
    Q_EMIT finished();
}

void RequestJob::detachReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
}

} // namespace Zr
