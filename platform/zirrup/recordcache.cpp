#include "recordcache.h"

#include "jsondecoder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace Zr {

namespace {
const int formatVersion = 1;
const QString suffix = QStringLiteral(".json");
} // namespace

RecordCache::RecordCache(const QString &directory, QObject *parent)
    : QObject(parent)
    , m_directory(directory)
{ }

QString RecordCache::fileFor(const QString &key) const
{
    // Keys carry screen names and ids; anything else is hashed so no key can leave the folder.
    static const QRegularExpression plain(QStringLiteral("^[a-z0-9_][a-z0-9_.-]{0,99}$"));
    QString name = key;
    if (!plain.match(key).hasMatch())
        name = QStringLiteral("h_")
            + QString::fromLatin1(
                   QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex());
    return m_directory + QLatin1Char('/') + name + suffix;
}

QVariant RecordCache::value(const QString &key)
{
    const auto held = m_values.constFind(key);
    if (held != m_values.constEnd())
        return held.value();

    QVariant result;
    QFile file(fileFor(key));
    if (file.open(QIODevice::ReadOnly)) {
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        const QJsonObject object = document.object();
        if (object.value(QStringLiteral("format")).toInt() == formatVersion
            && object.value(QStringLiteral("key")).toString() == key
            && object.contains(QStringLiteral("value")))
            result = object.value(QStringLiteral("value")).toVariant();
    }
    m_values.insert(key, result);
    return result;
}

void RecordCache::setValue(const QString &key, const QVariant &value)
{
    m_values.insert(key, value);

    QJsonObject object;
    object.insert(QStringLiteral("format"), formatVersion);
    object.insert(QStringLiteral("key"), key);
    object.insert(QStringLiteral("saved"), QDateTime::currentSecsSinceEpoch());
    object.insert(QStringLiteral("value"), QJsonValue::fromVariant(value));
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);

    const QString fileName = fileFor(key);
    bool ok = QDir().mkpath(m_directory);
    if (ok) {
        QSaveFile file(fileName);
        ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    }
    if (!ok)
        Q_EMIT writeFailed(fileName);
}

void RecordCache::remove(const QString &key)
{
    m_values.remove(key);
    QFile::remove(fileFor(key));
}

void RecordCache::prune(qint64 maxAgeSeconds)
{
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-maxAgeSeconds);
    const QFileInfoList files =
        QDir(m_directory).entryInfoList({QStringLiteral("*") + suffix}, QDir::Files);
    for (const QFileInfo &info : files) {
        if (info.lastModified().toUTC() < limit)
            QFile::remove(info.absoluteFilePath());
    }
    m_values.clear();
}

} // namespace Zr
