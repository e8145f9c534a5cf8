#include "accountstore.h"

#include "database.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QRegularExpression>

static const int passwordRounds = 10000;
static const qint64 firstUserId = 1843;

static QByteArray randomBytes(int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        bytes[i] = char(QRandomGenerator::system()->bounded(256));
    return bytes;
}

// Compares without an early exit, so the time taken says nothing about where they differ.
static bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

AccountStore::AccountStore(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{ }

bool AccountStore::isValidScreenName(const QString &screenName)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_]{1,15}$"));
    return pattern.match(screenName).hasMatch();
}

QByteArray AccountStore::derive(const QString &password, const QByteArray &salt, int rounds)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              rounds, 32);
}

qint64 AccountStore::createUser(const QString &screenName, const QString &name,
                                const QString &password, qint64 createdAt)
{
    if (!isValidScreenName(screenName) || userIdByName(screenName, true) != 0)
        return 0;
    Database::Transaction tx(m_db);
    const qint64 id = m_db->nextId(QStringLiteral("users"), firstUserId - 1);
    const QByteArray salt = randomBytes(16);
    m_db->exec(QStringLiteral("INSERT INTO users (id, screen_name, name, created_at, password_hash,"
                              " password_salt, password_rounds) VALUES (?, ?, ?, ?, ?, ?, ?)"),
               {id, screenName, name.isEmpty() ? screenName : name,
                createdAt ? createdAt : QDateTime::currentSecsSinceEpoch(),
                derive(password, salt, passwordRounds), salt, passwordRounds});
    tx.commit();
    return id;
}

void AccountStore::setPassword(qint64 userId, const QString &password)
{
    const QByteArray salt = randomBytes(16);
    m_db->exec(QStringLiteral("UPDATE users SET password_hash = ?, password_salt = ?,"
                              " password_rounds = ? WHERE id = ?"),
               {derive(password, salt, passwordRounds), salt, passwordRounds, userId});
}

qint64 AccountStore::userIdByName(const QString &screenName, bool includeDeleted) const
{
    if (!isValidScreenName(screenName))
        return 0;
    return m_db->integer(includeDeleted
                             ? QStringLiteral("SELECT id FROM users WHERE screen_name = ?")
                             : QStringLiteral("SELECT id FROM users WHERE screen_name = ?"
                                              " AND deleted = 0"),
                         {screenName});
}

QString AccountStore::screenName(qint64 userId) const
{
    return m_db->scalar(QStringLiteral("SELECT screen_name FROM users WHERE id = ?"), {userId})
        .toString();
}

bool AccountStore::isDeleted(qint64 userId) const
{
    return m_db->integer(QStringLiteral("SELECT deleted FROM users WHERE id = ?"), {userId}) != 0;
}

AccountStore::SignIn AccountStore::checkPassword(const QString &screenName, const QString &password,
                                                 qint64 *userId) const
{
    *userId = 0;
    if (!isValidScreenName(screenName))
        return SignIn::Invalid;
    QSqlQuery q = m_db->exec(QStringLiteral("SELECT id, password_hash, password_salt,"
                                            " password_rounds, deleted FROM users"
                                            " WHERE screen_name = ?"),
                             {screenName});
    if (!q.next()) {
        // The same work as for a real account, so timing does not tell names apart.
        derive(password, QByteArray(16, 'x'), passwordRounds);
        return SignIn::Invalid;
    }
    const QByteArray hash = q.value(1).toByteArray();
    if (hash.isEmpty())
        return SignIn::Invalid;
    if (!sameBytes(derive(password, q.value(2).toByteArray(), q.value(3).toInt()), hash))
        return SignIn::Invalid;
    // Only the right password learns that an account was removed.
    if (q.value(4).toInt() != 0)
        return SignIn::Deleted;
    *userId = q.value(0).toLongLong();
    return SignIn::Ok;
}

QPair<QByteArray, QByteArray> AccountStore::issueToken(qint64 userId)
{
    const QByteArray token = QByteArray::number(userId) + '-' + randomBytes(20).toHex();
    const QByteArray secret = randomBytes(20).toHex();
    m_db->exec(QStringLiteral("INSERT INTO tokens (token, secret, user_id, created_at)"
                              " VALUES (?, ?, ?, ?)"),
               {QString::fromLatin1(token), QString::fromLatin1(secret), userId,
                QDateTime::currentSecsSinceEpoch()});
    return {token, secret};
}

AccountStore::Token AccountStore::lookupToken(const QByteArray &token) const
{
    Token result;
    if (token.isEmpty() || token.size() > 200)
        return result;
    QSqlQuery q = m_db->exec(QStringLiteral("SELECT user_id, secret, revoked FROM tokens"
                                            " WHERE token = ?"),
                             {QString::fromLatin1(token)});
    if (q.next()) {
        result.userId = q.value(0).toLongLong();
        result.secret = q.value(1).toString().toLatin1();
        result.revoked = q.value(2).toInt() != 0;
    }
    return result;
}

void AccountStore::revokeToken(const QByteArray &token)
{
    m_db->exec(QStringLiteral("UPDATE tokens SET revoked = 1 WHERE token = ?"),
               {QString::fromLatin1(token)});
}

QList<QByteArray> AccountStore::deleteUser(qint64 userId)
{
    Database::Transaction tx(m_db);
    QList<QByteArray> tokens;
    QSqlQuery q =
        m_db->exec(QStringLiteral("SELECT token FROM tokens WHERE user_id = ?"), {userId});
    while (q.next())
        tokens.append(q.value(0).toString().toLatin1());
    const QVariantList id {userId};
    // Retweets of the account's statuses go with them (cascade).
    m_db->exec(QStringLiteral("DELETE FROM statuses WHERE user_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM favorites WHERE user_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM mentions WHERE user_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM follows WHERE follower_id = ? OR followee_id = ?"),
               {userId, userId});
    m_db->exec(QStringLiteral("DELETE FROM blocks WHERE blocker_id = ? OR blocked_id = ?"),
               {userId, userId});
    m_db->exec(QStringLiteral("DELETE FROM messages WHERE sender_id = ? OR recipient_id = ?"),
               {userId, userId});
    m_db->exec(QStringLiteral("DELETE FROM media WHERE user_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM avatars WHERE user_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM saved_searches WHERE user_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM lists WHERE owner_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM list_members WHERE user_id = ?"), id);
    m_db->exec(QStringLiteral("DELETE FROM list_subscribers WHERE user_id = ?"), id);
    // The password stays, so a sign-in with it can still be told the account is gone.
    m_db->exec(QStringLiteral("UPDATE users SET deleted = 1, avatar = NULL WHERE id = ?"), id);
    tx.commit();
    return tokens;
}
