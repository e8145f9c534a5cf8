#ifndef ZR_RECORDCACHE_H
#define ZR_RECORDCACHE_H

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

namespace Zr {

// Named values (lists of records, answers) kept in memory and in one JSON file each under a
// directory. Files are replaced atomically; a file that cannot be read back is ignored.
class RecordCache : public QObject
{
    Q_OBJECT
public:
    explicit RecordCache(const QString &directory, QObject *parent = nullptr);

    QString directory() const { return m_directory; }
    QString fileFor(const QString &key) const;

    // Invalid when nothing usable is stored under key.
    QVariant value(const QString &key);
    void setValue(const QString &key, const QVariant &value);
    void remove(const QString &key);

    // Removes files not written for the given number of seconds.
    void prune(qint64 maxAgeSeconds);

Q_SIGNALS:
    void writeFailed(const QString &fileName);

private:
    QString m_directory;
    QHash<QString, QVariant> m_values;
};

} // namespace Zr

#endif // ZR_RECORDCACHE_H
