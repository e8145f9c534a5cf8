#include "fakesecretservice.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>

namespace {
const QString root = QStringLiteral("/org/freedesktop/secrets");
const QString collection = QStringLiteral("/org/freedesktop/secrets/collection/login");
// Clients may address the default collection by its alias.
const QString defaultAlias = QStringLiteral("/org/freedesktop/secrets/aliases/default");
const QString itemPrefix = QStringLiteral("/org/freedesktop/secrets/collection/login/");
const QString session = QStringLiteral("/org/freedesktop/secrets/session/1");
const QString itemInterface = QStringLiteral("org.freedesktop.Secret.Item");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

struct Secret
{
    QDBusObjectPath session;
    QByteArray parameters;
    QByteArray value;
    QString contentType;
};

QDBusArgument &operator<<(QDBusArgument &argument, const Secret &secret)
{
    argument.beginStructure();
    argument << secret.session << secret.parameters << secret.value << secret.contentType;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, Secret &secret)
{
    argument.beginStructure();
    argument >> secret.session >> secret.parameters >> secret.value >> secret.contentType;
    argument.endStructure();
    return argument;
}
} // namespace

Q_DECLARE_METATYPE(Secret)
using SecretMap = QMap<QDBusObjectPath, Secret>;
using Attributes = QMap<QString, QString>;
Q_DECLARE_METATYPE(SecretMap)

FakeSecretService::FakeSecretService(QObject *parent)
    : QDBusVirtualObject(parent)
{
    qDBusRegisterMetaType<Secret>();
    qDBusRegisterMetaType<SecretMap>();
    qDBusRegisterMetaType<Attributes>();
}

FakeSecretService::~FakeSecretService()
{
    if (!m_connectionName.isEmpty()) {
        QDBusConnection connection(m_connectionName);
        connection.unregisterService(QStringLiteral("org.freedesktop.secrets"));
        connection.unregisterObject(root, QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(m_connectionName);
    }
}

bool FakeSecretService::start(const QString &busAddress)
{
    m_connectionName = QStringLiteral("fake-secret-service");
    QDBusConnection connection = QDBusConnection::connectToBus(busAddress, m_connectionName);
    return connection.isConnected()
        && connection.registerVirtualObject(root, this, QDBusConnection::SubPath)
        && connection.registerService(QStringLiteral("org.freedesktop.secrets"));
}

QString FakeSecretService::introspect(const QString &path) const
{
    Q_UNUSED(path)
    return QString();
}

QList<QDBusObjectPath> FakeSecretService::search(const Attributes &attributes) const
{
    QList<QDBusObjectPath> found;
    for (auto it = items.cbegin(); it != items.cend(); ++it) {
        bool matches = true;
        for (auto a = attributes.cbegin(); a != attributes.cend(); ++a)
            matches = matches && it->attributes.value(a.key()) == a.value();
        if (matches)
            found.append(QDBusObjectPath(it.key()));
    }
    return found;
}

bool FakeSecretService::handleMessage(const QDBusMessage &message,
                                      const QDBusConnection &connection)
{
    const QString path = message.path() == defaultAlias ? collection : message.path();
    const QString method = message.member();
    const QList<QVariant> arguments = message.arguments();
    calls.append(message.interface().section(QLatin1Char('.'), -1) + QLatin1Char('.') + method);
    QDBusConnection bus(connection);
    auto reply = [&](const QList<QVariant> &values) {
        bus.send(message.createReply(values));
        return true;
    };

    // The client library asks for properties it can do without.
    if (message.interface() == propertiesInterface)
        return reply({QVariantMap()});

    if (path == root) {
        if (method == QLatin1String("OpenSession")) {
            if (arguments.value(0).toString() != QLatin1String("plain")) {
                bus.send(message.createErrorReply(
                    QStringLiteral("org.freedesktop.DBus.Error.NotSupported"),
                    QStringLiteral("plain sessions only")));
                return true;
            }
            return reply({QVariant::fromValue(QDBusVariant(QString())),
                          QVariant::fromValue(QDBusObjectPath(session))});
        }
        if (method == QLatin1String("SearchItems")) {
            const Attributes attributes = qdbus_cast<Attributes>(arguments.value(0));
            return reply({QVariant::fromValue(search(attributes)),
                          QVariant::fromValue(QList<QDBusObjectPath>())});
        }
        if (method == QLatin1String("GetSecrets")) {
            SecretMap secrets;
            const auto paths = qdbus_cast<QList<QDBusObjectPath>>(arguments.value(0));
            for (const QDBusObjectPath &item : paths) {
                if (items.contains(item.path()))
                    secrets.insert(item,
                                   {QDBusObjectPath(session), QByteArray(),
                                    items[item.path()].value, QStringLiteral("text/plain")});
            }
            return reply({QVariant::fromValue(secrets)});
        }
    } else if (path == collection) {
        if (method == QLatin1String("CreateItem")) {
            const QVariantMap properties = qdbus_cast<QVariantMap>(arguments.value(0));
            const Secret secret = qdbus_cast<Secret>(arguments.value(1));
            Item item;
            item.attributes = qdbus_cast<Attributes>(
                properties.value(itemInterface + QLatin1String(".Attributes")));
            item.value = secret.value;
            const QString itemPath = itemPrefix + QString::number(m_nextItem++);
            items.insert(itemPath, item);
            return reply({QVariant::fromValue(QDBusObjectPath(itemPath)),
                          QVariant::fromValue(QDBusObjectPath("/"))});
        }
    } else if (items.contains(path)) {
        if (method == QLatin1String("Delete")) {
            items.remove(path);
            return reply({QVariant::fromValue(QDBusObjectPath("/"))});
        }
    }
    bus.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                      method));
    return true;
}
