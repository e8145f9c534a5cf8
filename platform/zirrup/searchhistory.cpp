#include "searchhistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace Zr {

SearchHistory::SearchHistory(const QString &fileName)
    : m_fileName(fileName)
{
    load();
}

void SearchHistory::load()
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonArray array = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue &value : array) {
        const QString query = value.toString();
        if (!query.isEmpty() && !m_entries.contains(query) && m_entries.size() < MaxEntries)
            m_entries.append(query);
    }
}

bool SearchHistory::add(const QString &query)
{
    if (query.isEmpty())
        return true;
    m_entries.removeAll(query);
    m_entries.prepend(query);
    while (m_entries.size() > MaxEntries)
        m_entries.removeLast();

    if (!QDir().mkpath(QFileInfo(m_fileName).absolutePath()))
        return false;
    const QByteArray bytes = QJsonDocument(QJsonArray::fromStringList(m_entries)).toJson();
    QSaveFile file(m_fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QStringList SearchHistory::entries(int maxItems) const
{
    if (maxItems <= 0)
        return {};
    return m_entries.mid(0, maxItems);
}

} // namespace Zr
