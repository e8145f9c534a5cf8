#include "keychainsecretstore.h"

#include <qt6keychain/keychain.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDebug>
#include <QPointer>

namespace ZrMeego {

namespace {
// The names a keyring QtKeychain talks to answers under.
const QStringList keyringNames = {QStringLiteral("org.freedesktop.secrets"),
                                  QStringLiteral("org.kde.kwalletd5"),
                                  QStringLiteral("org.kde.kwalletd6")};

void configure(QKeychain::Job *job, const QString &key)
{
    job->setAutoDelete(true);
    job->setKey(key);
    // Never a plain-text settings file behind our back: that is the account file's place.
    job->setInsecureFallback(false);
}
} // namespace

KeychainSecretStore::KeychainSecretStore(QObject *parent)
    : SecretStore(parent)
{ }

KeychainSecretStore::~KeychainSecretStore() = default;

QString KeychainSecretStore::serviceName()
{
    return QStringLiteral("zirrup");
}

bool KeychainSecretStore::isAvailable()
{
    if (m_available)
        return *m_available;
    m_available = false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface *interface = bus.isConnected() ? bus.interface() : nullptr;
    if (!interface)
        return false;
    const QStringList activatable = interface->activatableServiceNames().value();
    for (const QString &name : keyringNames) {
        if (interface->isServiceRegistered(name).value() || activatable.contains(name)) {
            m_available = true;
            break;
        }
    }
    return *m_available;
}

void KeychainSecretStore::readSecret(const QString &key, QObject *context,
                                     std::function<void(bool, const QString &)> done)
{
    auto *job = new QKeychain::ReadPasswordJob(serviceName(), this);
    configure(job, key);
    connect(job, &QKeychain::Job::finished, context, [job, done](QKeychain::Job *) {
        if (job->error() != QKeychain::NoError)
            qWarning() << "KeychainSecretStore: cannot read from the keyring:"
                       << job->errorString();
        done(job->error() == QKeychain::NoError, job->textData());
    });
    job->start();
}

void KeychainSecretStore::writeSecret(const QString &key, const QString &secret, QObject *context,
                                      std::function<void(bool)> done)
{
    auto *job = new QKeychain::WritePasswordJob(serviceName(), this);
    configure(job, key);
    job->setTextData(secret);
    connect(job, &QKeychain::Job::finished, context, [job, done](QKeychain::Job *) {
        if (job->error() != QKeychain::NoError)
            qWarning() << "KeychainSecretStore: cannot write to the keyring:" << job->errorString();
        done(job->error() == QKeychain::NoError);
    });
    job->start();
}

void KeychainSecretStore::deleteSecret(const QString &key, QObject *context,
                                       std::function<void(bool)> done)
{
    auto *job = new QKeychain::DeletePasswordJob(serviceName(), this);
    configure(job, key);
    connect(job, &QKeychain::Job::finished, context, [job, done](QKeychain::Job *) {
        const bool ok =
            job->error() == QKeychain::NoError || job->error() == QKeychain::EntryNotFound;
        done(ok);
    });
    job->start();
}

} // namespace ZrMeego
