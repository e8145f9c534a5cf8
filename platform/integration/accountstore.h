#ifndef ZR_ACCOUNTSTORE_H
#define ZR_ACCOUNTSTORE_H

#include "account.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <optional>

class QFileSystemWatcher;

namespace ZrMeego {

class SecretStore;

// The account file: one JSON object in
// <GenericConfigLocation>/zirrup/account.json (directory 0700, file 0600, replaced atomically):
//
//   {"format": 1,
//    "last_service_url": "http://127.0.0.1:8123",
//    "account": {"service_url": ..., "user_id": ..., "screen_name": ..., "oauth_token": ...,
//                "oauth_token_secret": ..., "consumer_key": ..., "consumer_secret": ...,
//                "enabled": true, "last_id": ...}}
//
// "account" is absent when nobody is signed in; "last_service_url" outlives it so the sign-in
// window can offer the address again.
//
// Where a keyring answers (setSecretStore), the token pair does not stay in the file: every
// account that arrives with its tokens in the file (signed in just now, by the sign-in tool, or
// by an older version) has them moved into the keyring, as {"oauth_token", "oauth_token_secret"}
// under the key "<service_url> <user_id>", and the file then says
// "token_store": "keyring", "token_key": ..., "token_fingerprint": <SHA-256 of the token>.
// Should the keyring refuse, they stay in the file, which is as private as a file can be. Other
// processes (the sign-in tool) may write the file at any time: the store watches it and reports
// what changed, whoever changed it. Every change made through the store re-reads the file first, so
// it never writes back a stale account.
class AccountStore : public QObject
{
    Q_OBJECT
public:
    explicit AccountStore(QObject *parent = nullptr);
    AccountStore(const QString &filePath, QObject *parent);
    ~AccountStore() override;

    static QString defaultFilePath();
    QString filePath() const { return m_filePath; }

    bool hasAccount() const { return m_account.has_value(); }
    // An empty Account when there is none.
    Account account() const;
    QUrl lastServiceUrl() const { return m_lastServiceUrl; }

    // Replaces whatever account was stored. False (and *error set) when the account is incomplete
    // or the file could not be written.
    bool storeAccount(const Account &account, QString *error = nullptr);
    // Forgets the account, keeps the last service address. True when nothing is left stored.
    bool removeAccount();
    bool setEnabled(bool enabled);
    bool setLastId(const QString &lastId);
    bool setScreenName(const QString &screenName);

    // Watch the file for other processes' changes (off until asked, so short-lived users such as
    // the command-line tool need no event loop).
    void setWatching(bool watching);
    bool isWatching() const { return m_watcher != nullptr; }

    // The keyring to keep the token pair in (not owned; null: none). Tokens already in the file
    // move there soon after.
    void setSecretStore(SecretStore *secrets);
    // Moves a token pair kept in the file into the keyring, when one answers; tokensMoved()
    // tells when it is done. Runs by itself whenever such an account appears.
    void moveTokensToKeyring();

    // The account with its token pair, from the file or the keyring. nullopt when nobody is
    // signed in or the keyring does not give the pair. Always answered after the call returns.
    void readAccountWithTokens(QObject *context,
                               std::function<void(std::optional<Account> account)> done);

public Q_SLOTS:
    // Reads the file again and reports the differences.
    void reload();

Q_SIGNALS:
    void accountAdded();
    void accountRemoved();
    void enabledChanged(bool enabled);
    void lastServiceUrlChanged();
    // The token pair left the file for the keyring.
    void tokensMoved();

private:
    struct Contents
    {
        std::optional<Account> account;
        QUrl lastServiceUrl;
    };
    Contents readFile() const;
    bool writeFile(const Contents &contents, QString *error);
    void apply(const Contents &contents);
    void rewatch();
    void scheduleMove();

    QString m_filePath;
    std::optional<Account> m_account;
    QUrl m_lastServiceUrl;
    QFileSystemWatcher *m_watcher = nullptr;
    SecretStore *m_secrets = nullptr;
    bool m_moving = false;
};

} // namespace ZrMeego

#endif // ZR_ACCOUNTSTORE_H
