#ifndef FAKESECRETSERVICE_H
#define FAKESECRETSERVICE_H

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QMap>
#include <QString>

// A freedesktop Secret Service in memory, enough for a client library to store, find, read and
// delete items in the default collection over a plain session. start() puts it on the bus at
// that address under "org.freedesktop.secrets".
class FakeSecretService : public QDBusVirtualObject
{
    Q_OBJECT
public:
    struct Item
    {
        QMap<QString, QString> attributes;
        QByteArray value;
    };

    explicit FakeSecretService(QObject *parent = nullptr);
    ~FakeSecretService() override;

    bool start(const QString &busAddress);

    // By object path.
    QMap<QString, Item> items;
    // Every method called, as "Interface.Method".
    QStringList calls;

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    QList<QDBusObjectPath> search(const QMap<QString, QString> &attributes) const;

    QString m_connectionName;
    int m_nextItem = 1;
};

#endif // FAKESECRETSERVICE_H
