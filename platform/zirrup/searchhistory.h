#ifndef ZR_SEARCHHISTORY_H
#define ZR_SEARCHHISTORY_H

#include <QString>
#include <QStringList>

namespace Zr {

// The tweet-search queries of one account, most recent first, without repetitions, kept in a
// small file so that they survive a restart.
class SearchHistory
{
public:
    static constexpr int MaxEntries = 100;

    explicit SearchHistory(const QString &fileName);

    // Moves query to the front (adding it when new); returns false when it could not be saved.
    bool add(const QString &query);
    QStringList entries(int maxItems) const;
    QString fileName() const { return m_fileName; }

private:
    void load();

    QString m_fileName;
    QStringList m_entries;
};

} // namespace Zr

#endif // ZR_SEARCHHISTORY_H
