#ifndef ZR_SECRETSTORE_H
#define ZR_SECRETSTORE_H

#include <QObject>
#include <QString>

#include <functional>

namespace ZrMeego {

// Somewhere to keep a secret other than a file: the desktop's keyring. Every call ends in
// exactly one call of `done`, on the thread of `context`, after the call has returned; nothing
// is called once `context` is gone.
class SecretStore : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether a keyring answers in this session at all.
    virtual bool isAvailable() = 0;

    virtual void readSecret(const QString &key, QObject *context,
                            std::function<void(bool ok, const QString &secret)> done) = 0;
    virtual void writeSecret(const QString &key, const QString &secret, QObject *context,
                             std::function<void(bool ok)> done) = 0;
    // ok is also true when there was nothing to delete.
    virtual void deleteSecret(const QString &key, QObject *context,
                              std::function<void(bool ok)> done) = 0;
};

} // namespace ZrMeego

#endif // ZR_SECRETSTORE_H
