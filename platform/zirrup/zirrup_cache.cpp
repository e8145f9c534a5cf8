// What the backend remembers between runs: lists of records per account, bounded, newest
// first, read back when a caller asks for cached records.

#include "imagestore.h"
#include "jsondecoder.h"
#include "zirrup_p.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace Zr {

namespace {

constexpr int MaxListRecords = 200;
constexpr int MaxUsers = 500;
constexpr int MaxStatuses = 500;

const QString idKey = QStringLiteral("id");

QString recordId(const QVariant &record)
{
    return JsonDecoder::idText(record.toMap().value(idKey));
}

// Who a per-user list belongs to, as it appears in a cache key.
QString subject(const ArgMap &args)
{
    const QString screenName = args.value(QStringLiteral("screen_name")).toLower();
    if (!screenName.isEmpty())
        return screenName;
    const QString id = args.value(QStringLiteral("user_id"));
    if (!id.isEmpty())
        return QStringLiteral("id") + id;
    return QStringLiteral("self");
}

QString unescapeText(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

QString ZirrupPrivate::account() const
{
    return authenticated ? accountFolderName(userId) : QStringLiteral("anonymous");
}

QString ZirrupPrivate::accountFolderName(const QString &userId)
{
    static const QRegularExpression plainId(QStringLiteral("^[0-9]{1,30}$"));
    if (userId.isEmpty())
        return QStringLiteral("anonymous");
    if (plainId.match(userId).hasMatch())
        return userId;
    return QStringLiteral("u")
        + QString::fromLatin1(QCryptographicHash::hash(userId.toUtf8(), QCryptographicHash::Sha1)
                                  .toHex()
                                  .left(20));
}

QString ZirrupPrivate::cacheFolder(const QString &account)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/zirrup/") + account + QStringLiteral("/records");
}

RecordCache *ZirrupPrivate::cache()
{
    if (!recordCache) {
        recordCache = std::make_unique<RecordCache>(cacheFolder(account()));
        QObject::connect(recordCache.get(), &RecordCache::writeFailed, q,
                         [this](const QString &fileName) {
                             if (logEnabled(LogWarning))
                                 qWarning() << "Zr::Zirrup: cannot write cache file" << fileName;
                             onCacheWriteFailed();
                         });
    }
    return recordCache.get();
}

void ZirrupPrivate::onCacheWriteFailed()
{
    // One warning per backend is enough; requests go on without the cache.
    if (cacheWarningSent)
        return;
    cacheWarningSent = true;
    Zirrup *owner = q;
    QMetaObject::invokeMethod(
        owner, [owner] { Q_EMIT owner->errorWarning(-1); }, Qt::QueuedConnection);
}

QString ZirrupPrivate::timelineKey(int type, const ArgMap &args)
{
    switch (type) {
    case TimelineType::Home:
        return QStringLiteral("timeline_home");
    case TimelineType::Public:
        return QStringLiteral("timeline_public");
    case TimelineType::Mentions:
        return QStringLiteral("timeline_mentions");
    case TimelineType::RetweetedByMe:
        return QStringLiteral("timeline_retweeted_by_me");
    case TimelineType::RetweetsOfMe:
        return QStringLiteral("timeline_retweets_of_me");
    case TimelineType::User: {
        // With and without retweets are different lists.
        const bool retweets = argIsTrue(args.value(QStringLiteral("include_rts")));
        return QStringLiteral("timeline_user_") + subject(args)
            + (retweets ? QString() : QStringLiteral("_nort"));
    }
    default:
        return {};
    }
}

QString ZirrupPrivate::favoritesKey(const ArgMap &args) const
{
    return QStringLiteral("favorites_") + subject(args);
}

QVariantList ZirrupPrivate::cachedList(const QString &key)
{
    if (key.isEmpty())
        return {};
    return recordsOnly(cache()->value(key).toList());
}

QVariantList ZirrupPrivate::recordsOnly(QVariantList records)
{
    // A file edited by hand or by an older version may hold anything.
    records.erase(
        std::remove_if(records.begin(), records.end(),
                       [](const QVariant &r) { return r.typeId() != QMetaType::QVariantMap; }),
        records.end());
    return records;
}

QVariantList Zirrup::cachedTimeline(const QString &userId, const TimelineType::TimelineType &type)
{
    const QString key = ZirrupPrivate::timelineKey(type, ArgMap());
    if (userId.isEmpty() || key.isEmpty())
        return {};
    // Only read: the backend that signs in later keeps its own copy of the folder's lists.
    RecordCache cache(ZirrupPrivate::cacheFolder(ZirrupPrivate::accountFolderName(userId)));
    return ZirrupPrivate::recordsOnly(cache.value(key).toList());
}

void ZirrupPrivate::storePage(const QString &key, const ArgMap &args, const QVariantList &records)
{
    if (key.isEmpty())
        return;
    const QString page = args.value(QStringLiteral("page"));
    const bool firstPage = !args.contains(QStringLiteral("since_id"))
        && !args.contains(QStringLiteral("max_id"))
        && (page.isEmpty() || page == QLatin1String("1"));
    if (firstPage)
        cache()->setValue(key, records.mid(0, MaxListRecords));
    else
        mergeIntoList(key, records);
}

void ZirrupPrivate::mergeIntoList(const QString &key, const QVariantList &records)
{
    if (key.isEmpty() || records.isEmpty())
        return;
    QHash<QString, int> seen;
    QVariantList merged;
    for (const QVariantList &source : {records, cachedList(key)}) {
        for (const QVariant &record : source) {
            const QString id = recordId(record);
            if (id.isEmpty() || seen.contains(id))
                continue;
            seen.insert(id, merged.size());
            merged.append(record);
        }
    }
    std::stable_sort(merged.begin(), merged.end(), [](const QVariant &a, const QVariant &b) {
        return compareIdStrings(recordId(a), recordId(b)) > 0;
    });
    cache()->setValue(key, merged.mid(0, MaxListRecords));
}

void ZirrupPrivate::removeFromLists(const QStringList &keys, const QString &id)
{
    if (id.isEmpty())
        return;
    for (const QString &key : keys) {
        QVariantList records = cachedList(key);
        const auto end = std::remove_if(records.begin(), records.end(), [&](const QVariant &r) {
            const QVariantMap record = r.toMap();
            return recordId(record) == id
                || recordId(record.value(QStringLiteral("retweeted_status"))) == id;
        });
        if (end != records.end()) {
            records.erase(end, records.end());
            cache()->setValue(key, records);
        }
    }
}

QVariantList ZirrupPrivate::searchHomeCache(const QString &query, int count)
{
    QVariantList found;
    if (query.isEmpty() || count <= 0)
        return found;
    const QVariantList records = cachedList(timelineKey(TimelineType::Home, {}));
    for (const QVariant &r : records) {
        const QVariantMap record = r.toMap();
        const QVariantMap user = record.value(QStringLiteral("user")).toMap();
        const QString texts[] = {unescapeText(record.value(QStringLiteral("text")).toString()),
                                 user.value(QStringLiteral("screen_name")).toString(),
                                 user.value(QStringLiteral("name")).toString()};
        for (const QString &text : texts) {
            if (text.contains(query, Qt::CaseInsensitive)) {
                found.append(record);
                break;
            }
        }
        if (found.size() >= count)
            break;
    }
    return found;
}

void ZirrupPrivate::storeUsers(const QVariantList &users)
{
    QVariantList stored;
    QSet<QString> ids;
    for (const QVariant &user : users) {
        const QString id = recordId(user);
        if (user.typeId() != QMetaType::QVariantMap || id.isEmpty() || ids.contains(id))
            continue;
        ids.insert(id);
        stored.append(user);
    }
    if (stored.isEmpty())
        return;
    for (const QVariant &user : cachedList(QStringLiteral("users"))) {
        if (stored.size() >= MaxUsers)
            break;
        if (!ids.contains(recordId(user)))
            stored.append(user);
    }
    cache()->setValue(QStringLiteral("users"), stored);
}

QVariantMap ZirrupPrivate::cachedUser(const QString &screenName, const QString &id)
{
    if (screenName.isEmpty() && id.isEmpty())
        return {};
    for (const QVariant &u : cachedList(QStringLiteral("users"))) {
        const QVariantMap user = u.toMap();
        if (!id.isEmpty() && recordId(user) == id)
            return user;
        if (!screenName.isEmpty()
            && user.value(QStringLiteral("screen_name"))
                    .toString()
                    .compare(screenName, Qt::CaseInsensitive)
                == 0)
            return user;
    }
    return {};
}

void ZirrupPrivate::storeStatus(const QVariantMap &status)
{
    const QString id = recordId(status);
    if (id.isEmpty())
        return;
    QVariantList stored {status};
    for (const QVariant &record : cachedList(QStringLiteral("statuses"))) {
        if (stored.size() >= MaxStatuses)
            break;
        if (recordId(record) != id)
            stored.append(record);
    }
    cache()->setValue(QStringLiteral("statuses"), stored);
}

QVariantMap ZirrupPrivate::cachedStatus(const QString &id)
{
    if (id.isEmpty())
        return {};
    const QStringList keys = {QStringLiteral("statuses"), timelineKey(TimelineType::Home, {}),
                              timelineKey(TimelineType::Mentions, {}),
                              timelineKey(TimelineType::RetweetedByMe, {}), favoritesKey({})};
    for (const QString &key : keys) {
        for (const QVariant &r : cachedList(key)) {
            const QVariantMap record = r.toMap();
            if (recordId(record) == id)
                return record;
            const QVariantMap original = record.value(QStringLiteral("retweeted_status")).toMap();
            if (recordId(original) == id)
                return original;
        }
    }
    return {};
}

QVariant ZirrupPrivate::cachedAnswer(const QString &key, const QString &entry)
{
    for (const QVariant &item : cachedList(key)) {
        const QVariantMap map = item.toMap();
        if (map.value(QStringLiteral("k")).toString() == entry)
            return map.value(QStringLiteral("v"));
    }
    return {};
}

void ZirrupPrivate::storeAnswer(const QString &key, const QString &entry, const QVariant &answer,
                                int bound)
{
    QVariantList items {QVariantMap {{QStringLiteral("k"), entry}, {QStringLiteral("v"), answer}}};
    for (const QVariant &item : cachedList(key)) {
        if (items.size() >= bound)
            break;
        if (item.toMap().value(QStringLiteral("k")).toString() != entry)
            items.append(item);
    }
    cache()->setValue(key, items);
}

} // namespace Zr
