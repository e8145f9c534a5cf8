#ifndef ZR_KEYCHAINSECRETSTORE_H
#define ZR_KEYCHAINSECRETSTORE_H

#include "secretstore.h"

#include <optional>

namespace ZrMeego {

// The desktop keyring through QtKeychain: the freedesktop Secret Service (GNOME Keyring,
// KeePassXC, KWallet's own) or KWallet, under the service name "zirrup". Available when one of
// them owns, or can be started for, its name on the session bus; without a session bus, never.
class KeychainSecretStore : public SecretStore
{
    Q_OBJECT
public:
    explicit KeychainSecretStore(QObject *parent = nullptr);
    ~KeychainSecretStore() override;

    static QString serviceName();

    bool isAvailable() override;
    void readSecret(const QString &key, QObject *context,
                    std::function<void(bool ok, const QString &secret)> done) override;
    void writeSecret(const QString &key, const QString &secret, QObject *context,
                     std::function<void(bool ok)> done) override;
    void deleteSecret(const QString &key, QObject *context,
                      std::function<void(bool ok)> done) override;

private:
    std::optional<bool> m_available;
};

} // namespace ZrMeego

#endif // ZR_KEYCHAINSECRETSTORE_H
