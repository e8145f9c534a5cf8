#include "imagestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Zr {

ImageStore::ImageStore(const QString &directory, qint64 budgetBytes)
    : m_directory(directory)
    , m_budget(budgetBytes)
{ }

QString ImageStore::find(const QString &baseName) const
{
    static const char *const suffixes[] = {".png", ".jpg", ".gif"};
    for (const char *suffix : suffixes) {
        const QString path = m_directory + QLatin1Char('/') + baseName + QLatin1String(suffix);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString ImageStore::store(const QString &fileName, const QByteArray &bytes, QString *error)
{
    if (!QDir().mkpath(m_directory)) {
        if (error)
            *error = QStringLiteral("Cannot create %1").arg(m_directory);
        return {};
    }
    const QString path = m_directory + QLatin1Char('/') + fileName;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return {};
    }
    evict(path);
    return path;
}

void ImageStore::removeStartingWith(const QString &prefix, const QString &keep)
{
    const QFileInfoList files =
        QDir(m_directory).entryInfoList({prefix + QLatin1Char('*')}, QDir::Files);
    for (const QFileInfo &info : files) {
        if (info.absoluteFilePath() != QFileInfo(keep).absoluteFilePath())
            QFile::remove(info.absoluteFilePath());
    }
}

void ImageStore::evict(const QString &keep)
{
    // Newest first, so the files dropped are the ones at the end. Only finished pictures
    // count: a half-written temporary file of another store() is left alone.
    const QFileInfoList files =
        QDir(m_directory)
            .entryInfoList(
                {QStringLiteral("*.png"), QStringLiteral("*.jpg"), QStringLiteral("*.gif")},
                QDir::Files, QDir::Time);
    qint64 total = 0;
    for (const QFileInfo &info : files)
        total += info.size();
    const QString kept = keep.isEmpty() ? QString() : QFileInfo(keep).absoluteFilePath();
    for (auto it = files.crbegin(); it != files.crend() && total > m_budget; ++it) {
        if (it->absoluteFilePath() == kept)
            continue;
        if (QFile::remove(it->absoluteFilePath()))
            total -= it->size();
    }
}

} // namespace Zr
