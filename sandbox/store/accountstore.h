#ifndef SANDBOX_ACCOUNTSTORE_H
#define SANDBOX_ACCOUNTSTORE_H

#include <QByteArray>
#include <QObject>
#include <QString>

class Database;

// Accounts, their passwords (PBKDF2-SHA256 with a random salt; never stored or logged in
// clear) and the access tokens issued at sign-in.
class AccountStore : public QObject
{
    Q_OBJECT
public:
    struct Token
    {
        qint64 userId = 0;
        QByteArray secret;
        bool revoked = false;
        bool valid() const { return userId != 0; }
    };
    enum class SignIn { Ok, Invalid, Deleted };

    explicit AccountStore(Database *db, QObject *parent = nullptr);

    static bool isValidScreenName(const QString &screenName);

    // A new account (id chosen by the store) or 0 when the name is taken or not valid.
    qint64 createUser(const QString &screenName, const QString &name, const QString &password,
                      qint64 createdAt = 0);
    void setPassword(qint64 userId, const QString &password);
    qint64 userIdByName(const QString &screenName, bool includeDeleted = false) const;
    QString screenName(qint64 userId) const;
    bool isDeleted(qint64 userId) const;

    SignIn checkPassword(const QString &screenName, const QString &password, qint64 *userId) const;

    // A fresh token pair for one sign-in.
    QPair<QByteArray, QByteArray> issueToken(qint64 userId);
    Token lookupToken(const QByteArray &token) const;
    void revokeToken(const QByteArray &token);

    // Removes what the account owns and keeps the name reserved; its tokens then answer
    // "User has been deleted". Answers the tokens it held, for closing their streams.
    QList<QByteArray> deleteUser(qint64 userId);

private:
    static QByteArray derive(const QString &password, const QByteArray &salt, int rounds);

    Database *m_db;
};

#endif // SANDBOX_ACCOUNTSTORE_H
