#ifndef ZIRRUP_TESTS_STREAMREADER_H
#define ZIRRUP_TESTS_STREAMREADER_H

#include <QJsonObject>
#include <QList>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>

// Reads a user stream: splits it into lines, keeps the objects and counts the keep-alives.
class StreamReader : public QObject
{
    Q_OBJECT
public:
    // Takes the reply (from ApiClient::openStream) over.
    explicit StreamReader(QNetworkReply *reply, QObject *parent = nullptr);
    ~StreamReader() override;

    QList<QJsonObject> objects() const { return m_objects; }
    int keepAlives() const { return m_keepAlives; }
    bool isFinished() const { return m_finished; }
    int httpStatus() const;
    QByteArray rawHeader(const QByteArray &name) const;

    // The next object not taken yet that has key at its top level, waiting for it up to
    // timeoutMs; an empty object when none came.
    QJsonObject take(const QString &key, int timeoutMs);
    // Objects with key that arrived and were not taken.
    int pending(const QString &key) const;
    bool waitForKeepAlives(int count, int timeoutMs);
    bool waitForFinished(int timeoutMs);

Q_SIGNALS:
    void objectReceived(const QJsonObject &object);
    void keepAliveReceived();
    void finished();

private:
    void readLines();

    QPointer<QNetworkReply> m_reply;
    QByteArray m_buffer;
    QList<QJsonObject> m_objects;
    QList<bool> m_taken;
    int m_keepAlives = 0;
    bool m_finished = false;
};

#endif // ZIRRUP_TESTS_STREAMREADER_H
