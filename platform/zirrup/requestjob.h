#ifndef ZR_REQUESTJOB_H
#define ZR_REQUESTJOB_H

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QHttpMultiPart;
class QNetworkAccessManager;
class QNetworkReply;

namespace Zr {

// One HTTP exchange with a deadline and a size limit. Ends with exactly one finished()
// unless cancelled; a transport failure, a truncated answer, a timeout or an answer above the
// limit leave errorText() non-empty.
class RequestJob : public QObject
{
    Q_OBJECT
public:
    RequestJob(QNetworkAccessManager *network, const QNetworkRequest &request,
               const QByteArray &method, QObject *parent = nullptr);
    ~RequestJob() override;

    void setBody(const QByteArray &body);
    // Takes ownership.
    void setMultipart(QHttpMultiPart *multipart);
    void setMaxBytes(qint64 bytes);
    void setTimeout(int milliseconds);

    void start();
    // Ends the exchange without finished().
    void cancel();

    bool isRunning() const { return m_started && !m_done; }
    int httpStatus() const { return m_httpStatus; }
    QByteArray body() const { return m_body; }
    QString errorText() const { return m_errorText; }

Q_SIGNALS:
    void finished();

private:
    void onReplyFinished();
    void failNow(const QString &text);
    void finishWith(const QString &errorText);
    void detachReply();

    QNetworkAccessManager *m_network;
    QNetworkRequest m_request;
    QByteArray m_method;
    QByteArray m_requestBody;
    QHttpMultiPart *m_multipart = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    qint64 m_maxBytes = -1;
    int m_timeout = 30000;
    bool m_started = false;
    bool m_done = false;
    int m_httpStatus = 0;
    QByteArray m_body;
    QString m_errorText;
};

} // namespace Zr

#endif // ZR_REQUESTJOB_H
