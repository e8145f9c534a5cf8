#ifndef SANDBOX_DATABASE_H
#define SANDBOX_DATABASE_H

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

// The service's state in SQLite: one connection, used on the server's thread only.
// exec() and the readers throw ApiError (500) when SQLite fails, so a failed statement can
// never be mistaken for an empty answer.
class Database : public QObject
{
    Q_OBJECT
public:
    // Writes in a scope: rolled back unless commit() is reached.
    class Transaction
    {
    public:
        explicit Transaction(Database *db);
        ~Transaction();
        void commit();

    private:
        Q_DISABLE_COPY(Transaction)
        Database *m_db;
        bool m_done = false;
    };

    explicit Database(QObject *parent = nullptr);
    ~Database() override;

    // An empty path opens a private in-memory database.
    bool open(const QString &path, QString *error);

    QSqlQuery exec(const QString &sql, const QVariantList &binds = {}) const;
    // The first column of the first row, invalid when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &binds = {}) const;
    qint64 integer(const QString &sql, const QVariantList &binds = {}) const;
    QList<qint64> ids(const QString &sql, const QVariantList &binds = {}) const;
    bool exists(const QString &sql, const QVariantList &binds = {}) const;

    // Next id of a table: one above the highest so far, and never at or below floor.
    qint64 nextId(const QString &table, qint64 floor) const;

    bool isEmpty() const;
    QString meta(const QString &key) const;
    void setMeta(const QString &key, const QString &value);

private:
    void createSchema();

    QString m_connection;
    int m_depth = 0;
};

#endif // SANDBOX_DATABASE_H
