#ifndef ZR_IMAGESTORE_H
#define ZR_IMAGESTORE_H

#include <QByteArray>
#include <QString>

namespace Zr {

// A folder of picture files within a byte budget: storing beyond it removes the files written
// longest ago. Safe to use from several threads as long as they store different names.
class ImageStore
{
public:
    ImageStore(const QString &directory, qint64 budgetBytes);

    QString directory() const { return m_directory; }
    qint64 budget() const { return m_budget; }
    void setBudget(qint64 bytes) { m_budget = bytes; }

    // The stored file named baseName with one of the picture suffixes, or empty.
    QString find(const QString &baseName) const;
    // Writes the file atomically and returns its path; empty with *error set on failure.
    QString store(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);
    // Removes files whose names start with prefix, except keep.
    void removeStartingWith(const QString &prefix, const QString &keep);
    // Removes the oldest files until the folder fits the budget; keep is never removed.
    void evict(const QString &keep = QString());

private:
    QString m_directory;
    qint64 m_budget;
};

} // namespace Zr

#endif // ZR_IMAGESTORE_H
