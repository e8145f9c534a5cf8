#include "database.h"

#include "apierror.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QUuid>

static const int schemaVersion = 1;

Database::Transaction::Transaction(Database *db)
    : m_db(db)
{
    // Nested scopes join the outermost transaction.
    if (m_db->m_depth++ == 0)
        m_db->exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Database::Transaction::~Transaction()
{
    if (!m_done) {
        if (--m_db->m_depth == 0) {
            QSqlQuery rollback(QSqlDatabase::database(m_db->m_connection, false));
            rollback.exec(QStringLiteral("ROLLBACK"));
        }
    }
}

void Database::Transaction::commit()
{
    m_done = true;
    if (--m_db->m_depth == 0)
        m_db->exec(QStringLiteral("COMMIT"));
}

Database::Database(QObject *parent)
    : QObject(parent)
    , m_connection(QStringLiteral("zirrup-sandbox-") + QUuid::createUuid().toString(QUuid::Id128))
{ }

Database::~Database()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool Database::open(const QString &path, QString *error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (path.isEmpty()) {
        db.setDatabaseName(QStringLiteral(":memory:"));
    } else {
        QDir().mkpath(QFileInfo(path).absolutePath());
        db.setDatabaseName(path);
    }
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    try {
        exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        if (!path.isEmpty()) {
            exec(QStringLiteral("PRAGMA journal_mode = WAL"));
            exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        }
        exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
        createSchema();
    } catch (const ApiError &) {
        *error = db.lastError().text();
        if (error->isEmpty())
            *error = QStringLiteral("cannot prepare the database");
        return false;
    }
    return true;
}

QSqlQuery Database::exec(const QString &sql, const QVariantList &binds) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        qWarning("zirrup-sandbox: cannot prepare \"%s\": %s", qPrintable(sql),
                 qPrintable(query.lastError().text()));
        throw ApiError::internal();
    }
    for (const QVariant &value : binds)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning("zirrup-sandbox: statement failed \"%s\": %s", qPrintable(sql),
                 qPrintable(query.lastError().text()));
        throw ApiError::internal();
    }
    return query;
}

QVariant Database::scalar(const QString &sql, const QVariantList &binds) const
{
    QSqlQuery query = exec(sql, binds);
    return query.next() ? query.value(0) : QVariant();
}

qint64 Database::integer(const QString &sql, const QVariantList &binds) const
{
    return scalar(sql, binds).toLongLong();
}

QList<qint64> Database::ids(const QString &sql, const QVariantList &binds) const
{
    QList<qint64> result;
    QSqlQuery query = exec(sql, binds);
    while (query.next())
        result.append(query.value(0).toLongLong());
    return result;
}

bool Database::exists(const QString &sql, const QVariantList &binds) const
{
    return exec(sql, binds).next();
}

qint64 Database::nextId(const QString &table, qint64 floor) const
{
    const qint64 highest = integer(QStringLiteral("SELECT MAX(id) FROM ") + table);
    return qMax(highest, floor) + 1;
}

bool Database::isEmpty() const
{
    return integer(QStringLiteral("SELECT COUNT(*) FROM users")) == 0;
}

QString Database::meta(const QString &key) const
{
    return scalar(QStringLiteral("SELECT value FROM meta WHERE key = ?"), {key}).toString();
}

void Database::setMeta(const QString &key, const QString &value)
{
    exec(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES (?, ?)"), {key, value});
}

void Database::createSchema()
{
    static const char *const statements[] = {
        "CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT)",
        "CREATE TABLE IF NOT EXISTS users ("
        " id INTEGER PRIMARY KEY,"
        " screen_name TEXT NOT NULL UNIQUE COLLATE NOCASE,"
        " name TEXT NOT NULL,"
        " location TEXT, description TEXT, url TEXT,"
        " protected INTEGER NOT NULL DEFAULT 0,"
        " verified INTEGER NOT NULL DEFAULT 0,"
        " created_at INTEGER NOT NULL,"
        " password_hash BLOB, password_salt BLOB, password_rounds INTEGER,"
        " avatar TEXT,"
        " avatar_serial INTEGER NOT NULL DEFAULT 0,"
        " deleted INTEGER NOT NULL DEFAULT 0)",
        "CREATE TABLE IF NOT EXISTS tokens ("
        " token TEXT PRIMARY KEY, secret TEXT NOT NULL,"
        " user_id INTEGER NOT NULL REFERENCES users(id),"
        " created_at INTEGER NOT NULL, revoked INTEGER NOT NULL DEFAULT 0)",
        "CREATE TABLE IF NOT EXISTS statuses ("
        " id INTEGER PRIMARY KEY,"
        " user_id INTEGER NOT NULL REFERENCES users(id),"
        " created_at INTEGER NOT NULL,"
        " text TEXT NOT NULL DEFAULT '',"
        " source TEXT NOT NULL,"
        " reply_status_id INTEGER, reply_user_id INTEGER, reply_screen_name TEXT,"
        " retweet_of INTEGER REFERENCES statuses(id) ON DELETE CASCADE,"
        " place_id TEXT, lat REAL, lon REAL,"
        " media_id INTEGER)",
        "CREATE INDEX IF NOT EXISTS statuses_by_user ON statuses(user_id, id)",
        "CREATE INDEX IF NOT EXISTS statuses_by_retweet ON statuses(retweet_of, user_id)",
        "CREATE INDEX IF NOT EXISTS statuses_by_time ON statuses(created_at)",
        "CREATE TABLE IF NOT EXISTS mentions ("
        " status_id INTEGER NOT NULL REFERENCES statuses(id) ON DELETE CASCADE,"
        " user_id INTEGER NOT NULL,"
        " PRIMARY KEY (status_id, user_id))",
        "CREATE INDEX IF NOT EXISTS mentions_by_user ON mentions(user_id, status_id)",
        "CREATE TABLE IF NOT EXISTS favorites ("
        " user_id INTEGER NOT NULL,"
        " status_id INTEGER NOT NULL REFERENCES statuses(id) ON DELETE CASCADE,"
        " created_at INTEGER NOT NULL,"
        " PRIMARY KEY (user_id, status_id))",
        "CREATE TABLE IF NOT EXISTS follows ("
        " follower_id INTEGER NOT NULL, followee_id INTEGER NOT NULL,"
        " created_at INTEGER NOT NULL, pending INTEGER NOT NULL DEFAULT 0,"
        " PRIMARY KEY (follower_id, followee_id))",
        "CREATE INDEX IF NOT EXISTS follows_by_followee ON follows(followee_id, follower_id)",
        "CREATE TABLE IF NOT EXISTS blocks ("
        " blocker_id INTEGER NOT NULL, blocked_id INTEGER NOT NULL, created_at INTEGER NOT NULL,"
        " PRIMARY KEY (blocker_id, blocked_id))",
        "CREATE TABLE IF NOT EXISTS messages ("
        " id INTEGER PRIMARY KEY, sender_id INTEGER NOT NULL, recipient_id INTEGER NOT NULL,"
        " created_at INTEGER NOT NULL, text TEXT NOT NULL)",
        "CREATE INDEX IF NOT EXISTS messages_by_recipient ON messages(recipient_id, id)",
        "CREATE INDEX IF NOT EXISTS messages_by_sender ON messages(sender_id, id)",
        "CREATE TABLE IF NOT EXISTS media ("
        " id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL, status_id INTEGER,"
        " created_at INTEGER NOT NULL, format TEXT NOT NULL,"
        " width INTEGER NOT NULL, height INTEGER NOT NULL, data BLOB NOT NULL, code TEXT)",
        "CREATE TABLE IF NOT EXISTS links ("
        " code TEXT PRIMARY KEY, url TEXT NOT NULL UNIQUE, created_at INTEGER NOT NULL)",
        "CREATE TABLE IF NOT EXISTS avatars ("
        " name TEXT PRIMARY KEY, user_id INTEGER NOT NULL, format TEXT NOT NULL,"
        " data BLOB NOT NULL)",
        "CREATE TABLE IF NOT EXISTS saved_searches ("
        " id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL, query TEXT NOT NULL,"
        " created_at INTEGER NOT NULL, UNIQUE (user_id, query))",
        "CREATE TABLE IF NOT EXISTS lists ("
        " id INTEGER PRIMARY KEY, owner_id INTEGER NOT NULL, name TEXT NOT NULL,"
        " slug TEXT NOT NULL, description TEXT NOT NULL DEFAULT '',"
        " mode TEXT NOT NULL DEFAULT 'public', created_at INTEGER NOT NULL)",
        "CREATE TABLE IF NOT EXISTS list_members ("
        " list_id INTEGER NOT NULL REFERENCES lists(id) ON DELETE CASCADE,"
        " user_id INTEGER NOT NULL, created_at INTEGER NOT NULL,"
        " PRIMARY KEY (list_id, user_id))",
        "CREATE TABLE IF NOT EXISTS list_subscribers ("
        " list_id INTEGER NOT NULL REFERENCES lists(id) ON DELETE CASCADE,"
        " user_id INTEGER NOT NULL, created_at INTEGER NOT NULL,"
        " PRIMARY KEY (list_id, user_id))",
    };
    Transaction tx(this);
    for (const char *statement : statements)
        exec(QString::fromLatin1(statement));
    const QString version = meta(QStringLiteral("schema"));
    if (version.isEmpty())
        setMeta(QStringLiteral("schema"), QString::number(schemaVersion));
    tx.commit();
}
