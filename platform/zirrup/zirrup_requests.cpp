// The request methods: what each call sends (docs/service-api.md, section 8), what it takes
// from the cache at once, and which completion its answer ends in.

#include "jsondecoder.h"
#include "zirrup_p.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <climits>

namespace Zr {

namespace {

bool isDecimalId(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,20}$"));
    return digits.match(text).hasMatch();
}

bool isPlaceId(const QString &text)
{
    static const QRegularExpression placeId(QStringLiteral("^[0-9A-Za-z]{1,64}$"));
    return placeId.match(text).hasMatch();
}

bool isKnownBehavior(RetrieveBehavior behavior)
{
    return behavior == CacheOnly || behavior == CacheThenNetwork;
}

bool isFirstCursorPage(const ArgMap &args)
{
    const QString cursor = args.value(QStringLiteral("cursor"));
    return cursor.isEmpty() || cursor == QLatin1String("-1");
}

QString whoOf(const ArgMap &args)
{
    const QString screenName = args.value(QStringLiteral("screen_name")).toLower();
    if (!screenName.isEmpty())
        return screenName;
    const QString id = args.value(QStringLiteral("user_id"));
    return id.isEmpty() ? QStringLiteral("self") : QStringLiteral("id") + id;
}

QString argsEntry(const ArgMap &args)
{
    QStringList parts;
    for (auto it = args.constBegin(); it != args.constEnd(); ++it)
        parts.append(it.key() + QLatin1Char('=') + it.value());
    return parts.join(QLatin1Char('&'));
}

const QString messagesReceivedKey = QStringLiteral("messages_received");
const QString messagesSentKey = QStringLiteral("messages_sent");
const QString blockedIdsKey = QStringLiteral("blocked_ids");
const QString configurationKey = QStringLiteral("configuration");

} // namespace

static int failRequest(int *queryId, const char *why)
{
    if (queryId)
        *queryId = -1;
    if (logEnabled(LogWarning))
        qWarning() << "Zr::Zirrup: request not sent:" << why;
    return RequestFailed;
}

static int answerFromCache(int *queryId)
{
    if (queryId)
        *queryId = -1;
    return RequestAnswered;
}

// ---- timelines and statuses

int Zirrup::retrieveTimelineResources(QVariantList *list, int *queryId,
                                      const TimelineType::TimelineType &type, const ArgMap &args,
                                      RetrieveBehavior behavior)
{
    QString endpoint;
    switch (type) {
    case TimelineType::Home:
        endpoint = QStringLiteral("home_timeline");
        break;
    case TimelineType::Public:
        endpoint = QStringLiteral("public_timeline");
        break;
    case TimelineType::User:
        endpoint = QStringLiteral("user_timeline");
        break;
    case TimelineType::Mentions:
        endpoint = QStringLiteral("mentions");
        break;
    case TimelineType::RetweetedByMe:
        endpoint = QStringLiteral("retweeted_by_me");
        break;
    case TimelineType::RetweetsOfMe:
        endpoint = QStringLiteral("retweets_of_me");
        break;
    default:
        return failRequest(queryId, "no such timeline");
    }
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    const QString key = d->timelineKey(type, args);

    if (behavior == CacheOnly) {
        if (list) {
            bool counted = false;
            int count = args.value(QStringLiteral("count")).toInt(&counted);
            if (!counted || count < 0)
                count = INT_MAX;
            if (type == TimelineType::Home && args.contains(QStringLiteral("query")))
                list->append(d->searchHomeCache(args.value(QStringLiteral("query")), count));
            else
                list->append(d->cachedList(key).mid(0, count));
        }
        return answerFromCache(queryId);
    }

    RequestPlan plan;
    plan.path = QStringLiteral("/1/statuses/") + endpoint + QStringLiteral(".json");
    plan.params = args;
    plan.expect = Expect::ArrayOfObjects;
    plan.onJson = [this, type, key, args](int id, const QVariant &answer) {
        const QVariantList statuses = answer.toList();
        d->storePage(key, args, statuses);
        Q_EMIT timelineUpdated(type, statuses, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list,
                           [this, key] { return d->cachedList(key); });
}

int Zirrup::retrieveStatus(QVariantList *list, const ArgMap &args, int *queryId)
{
    const QString statusId = args.value(QStringLiteral("id"));
    RequestPlan plan;
    plan.path = QStringLiteral("/1/statuses/show.json");
    plan.params = args;
    plan.onJson = [this](int id, const QVariant &answer) {
        d->storeStatus(answer.toMap());
        Q_EMIT statusUpdated(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list, [this, statusId] {
        const QVariantMap status = d->cachedStatus(statusId);
        return status.isEmpty() ? QVariantList() : QVariantList {status};
    });
}

int Zirrup::writeStatus(const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/statuses/update.json");
    plan.params = args;
    plan.onJson = [this](int id, const QVariant &) {
        Q_EMIT statusWritten(id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::postStatusWithMedia(const ArgMap &args, int *queryId,
                                const QMap<QString, QByteArray> &files)
{
    if (files.isEmpty() || files.constBegin().value().isEmpty())
        return failRequest(queryId, "no picture to post");
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/statuses/update_with_media.json");
    plan.params = args;
    plan.multipart = true;
    plan.filePartName = "media[]";
    plan.fileName = files.constBegin().key().section(QLatin1Char('/'), -1);
    plan.fileData = files.constBegin().value();
    plan.onJson = [this](int id, const QVariant &answer) {
        Q_EMIT postedStatusWithMedia(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::retweetStatus(const ArgMap &args, int *queryId)
{
    const QString statusId = args.value(QStringLiteral("id"));
    if (!isDecimalId(statusId))
        return failRequest(queryId, "retweet needs a status id");
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/statuses/retweet/%1.json").arg(statusId);
    plan.params = args;
    plan.params.remove(QStringLiteral("id"));
    plan.onJson = [this, args](int id, const QVariant &answer) {
        Q_EMIT statusRetweeted(QVariantList {answer}, args, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::deleteStatus(const ArgMap &args, int *queryId)
{
    const QString statusId = args.value(QStringLiteral("id"));
    if (!isDecimalId(statusId))
        return failRequest(queryId, "delete needs a status id");
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/statuses/destroy/%1.json").arg(statusId);
    plan.params = args;
    // "supl_id" is the caller's own note (the original of an undone retweet); it comes back
    // in statusDeleted but is not the service's business.
    plan.params.remove(QStringLiteral("id"));
    plan.params.remove(QStringLiteral("supl_id"));
    plan.onJson = [this, args, statusId](int id, const QVariant &) {
        ArgMap own {{QStringLiteral("screen_name"), d->userName},
                    {QStringLiteral("include_rts"), QStringLiteral("true")}};
        d->removeFromLists({QStringLiteral("statuses"), d->timelineKey(TimelineType::Home, {}),
                            d->timelineKey(TimelineType::Mentions, {}),
                            d->timelineKey(TimelineType::RetweetedByMe, {}),
                            d->timelineKey(TimelineType::RetweetsOfMe, {}),
                            d->timelineKey(TimelineType::User, own), d->favoritesKey({})},
                           statusId);
        Q_EMIT statusDeleted(args, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::createFavorite(const ArgMap &args, int *queryId)
{
    const QString statusId = args.value(QStringLiteral("id"));
    if (!isDecimalId(statusId))
        return failRequest(queryId, "favourite needs a status id");
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/favorites/create/%1.json").arg(statusId);
    plan.params = args;
    plan.params.remove(QStringLiteral("id"));
    plan.onJson = [this](int id, const QVariant &answer) {
        Q_EMIT favoriteCreated(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::destroyFavorite(const ArgMap &args, int *queryId)
{
    const QString statusId = args.value(QStringLiteral("id"));
    if (!isDecimalId(statusId))
        return failRequest(queryId, "favourite needs a status id");
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/favorites/destroy/%1.json").arg(statusId);
    plan.params = args;
    plan.params.remove(QStringLiteral("id"));
    plan.onJson = [this](int id, const QVariant &answer) {
        Q_EMIT favoriteDestroyed(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::retrieveFavorites(QVariantList *list, int *queryId, const ArgMap &args,
                              RetrieveBehavior behavior)
{
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    const QString page = args.value(QStringLiteral("page"));
    const bool firstPage = page.isEmpty() || page == QLatin1String("1");
    // Only the first page is kept: it is what a profile shows before the network answers.
    const QString key = firstPage ? d->favoritesKey(args) : QString();
    if (behavior == CacheOnly) {
        if (list)
            list->append(d->cachedList(key));
        return answerFromCache(queryId);
    }
    RequestPlan plan;
    plan.path = QStringLiteral("/1/favorites.json");
    plan.params = args;
    plan.expect = Expect::ArrayOfObjects;
    plan.onJson = [this, key, args](int id, const QVariant &answer) {
        const QVariantList statuses = answer.toList();
        d->storePage(key, args, statuses);
        Q_EMIT favoritesUpdated(statuses, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list,
                           [this, key] { return d->cachedList(key); });
}

// ---- direct messages

int Zirrup::retrieveDirectMessages(QVariantList *list, int *queryId,
                                   const DirectMessageType::DirectMessageType &type,
                                   const ArgMap &args, RetrieveBehavior behavior)
{
    QString path;
    QString key;
    switch (type) {
    case DirectMessageType::Received:
        path = QStringLiteral("/1/direct_messages.json");
        key = messagesReceivedKey;
        break;
    case DirectMessageType::Sent:
        path = QStringLiteral("/1/direct_messages/sent.json");
        key = messagesSentKey;
        break;
    default:
        return failRequest(queryId, "no such message box");
    }
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    if (behavior == CacheOnly) {
        if (list)
            list->append(d->cachedList(key));
        return answerFromCache(queryId);
    }
    RequestPlan plan;
    plan.path = path;
    plan.params = args;
    plan.expect = Expect::ArrayOfObjects;
    plan.onJson = [this, type, key, args](int id, const QVariant &answer) {
        const QVariantList messages = answer.toList();
        d->storePage(key, args, messages);
        Q_EMIT directMessageUpdated(type, messages, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list,
                           [this, key] { return d->cachedList(key); });
}

int Zirrup::writeDirectMessage(const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/direct_messages/new.json");
    plan.params = args;
    plan.onJson = [this](int id, const QVariant &answer) {
        d->mergeIntoList(messagesSentKey, QVariantList {answer});
        Q_EMIT directMessageWritten(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::deleteDirectMessage(const ArgMap &args, int *queryId)
{
    const QString messageId = args.value(QStringLiteral("id"));
    if (!isDecimalId(messageId))
        return failRequest(queryId, "delete needs a message id");
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/direct_messages/destroy/%1.json").arg(messageId);
    plan.params = args;
    plan.params.remove(QStringLiteral("id"));
    plan.onJson = [this, args, messageId](int id, const QVariant &) {
        d->removeFromLists({messagesReceivedKey, messagesSentKey}, messageId);
        Q_EMIT directMessageDeleted(args, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

// ---- users, friendships, blocks, the own account

int Zirrup::retrieveUserResources(QVariantList *list, int *queryId, const UserType::UserType &type,
                                  const ArgMap &args, RetrieveBehavior behavior)
{
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    if (type == UserType::ProfileImage)
        return d->requestAvatar(list, queryId, args, behavior);
    if (type != UserType::Show && type != UserType::Lookup)
        return failRequest(queryId, "no such user request");

    const auto cached = [this, type, args] {
        QVariantList users;
        if (type == UserType::Show) {
            const QVariantMap user = d->cachedUser(args.value(QStringLiteral("screen_name")),
                                                   args.value(QStringLiteral("user_id")));
            if (!user.isEmpty())
                users.append(user);
            return users;
        }
        const QStringList ids =
            args.value(QStringLiteral("user_id")).split(QLatin1Char(','), Qt::SkipEmptyParts);
        const QStringList names =
            args.value(QStringLiteral("screen_name")).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &id : ids) {
            const QVariantMap user = d->cachedUser({}, id.trimmed());
            if (!user.isEmpty())
                users.append(user);
        }
        for (const QString &name : names) {
            const QVariantMap user = d->cachedUser(name.trimmed(), {});
            if (!user.isEmpty())
                users.append(user);
        }
        return users;
    };
    if (behavior == CacheOnly) {
        if (list)
            list->append(cached());
        return answerFromCache(queryId);
    }
    RequestPlan plan;
    plan.path = type == UserType::Show ? QStringLiteral("/1/users/show.json")
                                       : QStringLiteral("/1/users/lookup.json");
    plan.params = args;
    plan.expect = type == UserType::Show ? Expect::Object : Expect::ArrayOfObjects;
    plan.onJson = [this, type](int id, const QVariant &answer) {
        const QVariantList users = type == UserType::Show ? QVariantList {answer} : answer.toList();
        d->storeUsers(users);
        Q_EMIT userUpdated(type, users, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list, cached);
}

int Zirrup::retrieveFaFResources(QVariantList *list,
                                 const FriendsFollowersType::FriendsFollowersType &type,
                                 const ArgMap &args, int *queryId, RetrieveBehavior behavior)
{
    QString path;
    switch (type) {
    case FriendsFollowersType::Following:
        path = QStringLiteral("/1/friends/ids.json");
        break;
    case FriendsFollowersType::Followers:
        path = QStringLiteral("/1/followers/ids.json");
        break;
    default:
        return failRequest(queryId, "no such id list");
    }
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    const bool firstPage = isFirstCursorPage(args);
    const QString key = firstPage
        ? (type == FriendsFollowersType::Following ? QStringLiteral("friends_ids_")
                                                   : QStringLiteral("followers_ids_"))
            + whoOf(args)
        : QString();
    // Callers show these at once as the first rows of the list, so they are user records.
    const auto cached = [this, key] {
        QVariantList users;
        if (key.isEmpty())
            return users;
        const QVariantList ids = d->cache()->value(key).toList();
        for (const QVariant &id : ids) {
            const QVariantMap user = d->cachedUser({}, id.toString());
            if (!user.isEmpty())
                users.append(user);
            if (users.size() >= 20)
                break;
        }
        return users;
    };
    if (behavior == CacheOnly) {
        if (list)
            list->append(cached());
        return answerFromCache(queryId);
    }
    RequestPlan plan;
    plan.path = path;
    plan.params = args;
    plan.onJson = [this, key, args](int id, const QVariant &answer) {
        const QVariant ids = answer.toMap().value(QStringLiteral("ids"));
        if (ids.typeId() != QMetaType::QVariantList)
            return QStringLiteral("Unexpected answer: no \"ids\" list");
        if (!key.isEmpty())
            d->cache()->setValue(key, ids);
        Q_EMIT friedsAndFollowersUpdated(args, QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list, cached);
}

int Zirrup::createFriendship(const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/friendships/create.json");
    plan.params = args;
    plan.onJson = [this](int id, const QVariant &answer) {
        d->storeUsers(QVariantList {answer});
        Q_EMIT friendshipCreated(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::destroyFriendship(const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/friendships/destroy.json");
    plan.params = args;
    plan.onJson = [this](int id, const QVariant &answer) {
        d->storeUsers(QVariantList {answer});
        Q_EMIT friendshipDestroyed(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::friendshipExists(QVariantList *list, const ArgMap &args, int *queryId)
{
    const QString entry = args.value(QStringLiteral("user_a")).toLower() + QLatin1Char('|')
        + args.value(QStringLiteral("user_b")).toLower();
    RequestPlan plan;
    plan.path = QStringLiteral("/1/friendships/exists.json");
    plan.params = args;
    plan.onJson = [this, entry](int id, const QVariant &answer) {
        const QVariant friends = answer.toMap().value(QStringLiteral("friends"));
        if (friends.typeId() != QMetaType::Bool)
            return QStringLiteral("Unexpected answer: no \"friends\" flag");
        d->storeAnswer(QStringLiteral("friendships"), entry, friends, 200);
        Q_EMIT friendshipFetched(QVariantList {friends.toBool()}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list, [this, entry] {
        const QVariant held = d->cachedAnswer(QStringLiteral("friendships"), entry);
        return held.isValid() ? QVariantList {held.toBool()} : QVariantList();
    });
}

static void updateBlockedIds(ZirrupPrivate *d, const QVariant &user, bool blocked)
{
    const QVariant held = d->cache()->value(blockedIdsKey);
    if (!held.isValid())
        return;
    const QString id = JsonDecoder::idText(user.toMap().value(QStringLiteral("id")));
    if (id.isEmpty())
        return;
    QVariantList ids = held.toList();
    ids.removeAll(id);
    if (blocked)
        ids.prepend(id);
    d->cache()->setValue(blockedIdsKey, ids);
}

int Zirrup::createBlock(const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/blocks/create.json");
    plan.params = args;
    plan.onJson = [this](int id, const QVariant &answer) {
        d->storeUsers(QVariantList {answer});
        updateBlockedIds(d.get(), answer, true);
        Q_EMIT blockCreated(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::destroyBlock(const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/blocks/destroy.json");
    plan.params = args;
    plan.onJson = [this](int id, const QVariant &answer) {
        d->storeUsers(QVariantList {answer});
        updateBlockedIds(d.get(), answer, false);
        Q_EMIT blockDestroyed(QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::retrieveBlockedIdsList(QVariantList *list, int *queryId, RetrieveBehavior behavior)
{
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    const auto cached = [this] { return d->cache()->value(blockedIdsKey).toList(); };
    if (behavior == CacheOnly) {
        if (list)
            list->append(cached());
        return answerFromCache(queryId);
    }
    RequestPlan plan;
    plan.path = QStringLiteral("/1/blocks/blocking/ids.json");
    plan.expect = Expect::Array;
    plan.onJson = [this](int id, const QVariant &answer) {
        QVariantList ids;
        for (const QVariant &element : answer.toList()) {
            const QString text = JsonDecoder::idText(element);
            if (element.typeId() == QMetaType::QVariantMap
                || element.typeId() == QMetaType::QVariantList || text.isEmpty())
                return QStringLiteral("Unexpected answer: not a list of ids");
            ids.append(text);
        }
        d->cache()->setValue(blockedIdsKey, ids);
        Q_EMIT blockedIdsList(ids, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list, cached);
}

int Zirrup::retrieveAccountResources(int *queryId, const AccountType::AccountType &type,
                                     const ArgMap &args, const QByteArray &image)
{
    RequestPlan plan;
    plan.params = args;
    switch (type) {
    case AccountType::UpdateProfile:
        plan.method = "POST";
        plan.path = QStringLiteral("/1/account/update_profile.json");
        break;
    case AccountType::UpdateProfileImage:
        if (image.isEmpty())
            return failRequest(queryId, "no picture to upload");
        plan.method = "POST";
        plan.path = QStringLiteral("/1/account/update_profile_image.json");
        plan.multipart = true;
        plan.filePartName = "image";
        plan.fileName = args.value(QStringLiteral("image")).section(QLatin1Char('/'), -1);
        if (plan.fileName.isEmpty())
            plan.fileName = QStringLiteral("image");
        plan.fileData = image;
        plan.params.remove(QStringLiteral("image"));
        break;
    case AccountType::VerifyCredentials:
        plan.path = QStringLiteral("/1/account/verify_credentials.json");
        break;
    default:
        return failRequest(queryId, "no such account request");
    }
    plan.onJson = [this, type](int id, const QVariant &answer) {
        d->storeUsers(QVariantList {answer});
        Q_EMIT accountUpdated(type, QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

// ---- discovery

int Zirrup::retrieveTrends(QVariantList *list, int *queryId, const TrendType::TrendType &type,
                           const ArgMap &args, RetrieveBehavior behavior)
{
    if (type != TrendType::Place)
        return failRequest(queryId, "only place trends are served");
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    ArgMap params = args;
    if (params.contains(QStringLiteral("woeid"))) {
        const QString woeid = params.take(QStringLiteral("woeid"));
        if (!params.contains(QStringLiteral("id")))
            params.insert(QStringLiteral("id"), woeid);
    }
    const QString entry = params.value(QStringLiteral("id"));
    const auto cached = [this, entry] {
        return d->cachedAnswer(QStringLiteral("trends"), entry).toList();
    };
    if (behavior == CacheOnly) {
        if (list)
            list->append(cached());
        return answerFromCache(queryId);
    }
    RequestPlan plan;
    plan.path = QStringLiteral("/1/trends/place.json");
    plan.params = params;
    plan.publicEndpoint = true;
    plan.expect = Expect::ArrayOfObjects;
    plan.onJson = [this, type, entry](int id, const QVariant &answer) {
        d->storeAnswer(QStringLiteral("trends"), entry, answer, 20);
        Q_EMIT trendsUpdated(type, answer.toList(), id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list, cached);
}

int Zirrup::retrieveSavedSearch(const SSType::SSType &type, const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.params = args;
    const QString searchId = args.value(QStringLiteral("id"));
    switch (type) {
    case SSType::List:
        plan.path = QStringLiteral("/1/saved_searches.json");
        plan.expect = Expect::ArrayOfObjects;
        break;
    case SSType::Show:
    case SSType::Destroy:
        if (!isDecimalId(searchId))
            return failRequest(queryId, "saved search needs an id");
        plan.method = type == SSType::Show ? "GET" : "POST";
        plan.path = (type == SSType::Show ? QStringLiteral("/1/saved_searches/show/%1.json")
                                          : QStringLiteral("/1/saved_searches/destroy/%1.json"))
                        .arg(searchId);
        plan.params.remove(QStringLiteral("id"));
        break;
    case SSType::Create:
        plan.method = "POST";
        plan.path = QStringLiteral("/1/saved_searches/create.json");
        break;
    default:
        return failRequest(queryId, "no such saved-search request");
    }
    plan.onJson = [this, type](int id, const QVariant &answer) {
        const QVariantList records = type == SSType::List ? answer.toList() : QVariantList {answer};
        Q_EMIT savedSearchCompleted(type, records, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::retrieveGeo(QVariantList *list, const GeoType::GeoType &type, const ArgMap &args,
                        int *queryId, RetrieveBehavior behavior)
{
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    RequestPlan plan;
    plan.params = args;
    plan.publicEndpoint = true;
    switch (type) {
    case GeoType::Id: {
        const QString placeId = args.value(QStringLiteral("place_id"));
        if (!isPlaceId(placeId))
            return failRequest(queryId, "place lookup needs a place id");
        plan.path = QStringLiteral("/1/geo/id/%1.json").arg(placeId);
        plan.params.remove(QStringLiteral("place_id"));
        break;
    }
    case GeoType::Search:
        plan.path = QStringLiteral("/1/geo/search.json");
        break;
    case GeoType::ReverseGeocode:
        plan.path = QStringLiteral("/1/geo/reverse_geocode.json");
        break;
    default:
        return failRequest(queryId, "no such place request");
    }
    const QString entry = QString::number(type) + QLatin1Char('?') + argsEntry(args);
    const auto cached = [this, entry] {
        const QVariant held = d->cachedAnswer(QStringLiteral("places"), entry);
        return held.isValid() ? QVariantList {held} : QVariantList();
    };
    if (behavior == CacheOnly) {
        if (list)
            list->append(cached());
        return answerFromCache(queryId);
    }
    plan.onJson = [this, type, entry](int id, const QVariant &answer) {
        d->storeAnswer(QStringLiteral("places"), entry, answer, 100);
        Q_EMIT geoCompleted(type, QVariantList {answer}, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, list, cached);
}

int Zirrup::retrieveList(const ListType::ListType &type, const ArgMap &args, int *queryId)
{
    RequestPlan plan;
    plan.params = args;
    switch (type) {
    case ListType::OwnLists:
        plan.path = QStringLiteral("/1/lists.json");
        break;
    case ListType::Memberships:
        plan.path = QStringLiteral("/1/lists/memberships.json");
        break;
    case ListType::Subscriptions:
        plan.path = QStringLiteral("/1/lists/subscriptions.json");
        break;
    case ListType::Show:
        plan.path = QStringLiteral("/1/lists/show.json");
        break;
    case ListType::Statuses:
        plan.path = QStringLiteral("/1/lists/statuses.json");
        plan.expect = Expect::ArrayOfObjects;
        break;
    case ListType::Members:
        plan.path = QStringLiteral("/1/lists/members.json");
        break;
    case ListType::Subscribe:
        plan.method = "POST";
        plan.path = QStringLiteral("/1/lists/subscribers/create.json");
        break;
    case ListType::Unsubscribe:
        plan.method = "POST";
        plan.path = QStringLiteral("/1/lists/subscribers/destroy.json");
        break;
    default:
        return failRequest(queryId, "no such list request");
    }
    plan.onJson = [this, type](int id, const QVariant &answer) {
        const QVariantList data =
            type == ListType::Statuses ? answer.toList() : QVariantList {answer};
        Q_EMIT listCompleted(type, data, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::searchResources(const ArgMap &args, int *queryId, const SearchType::SearchType &type)
{
    RequestPlan plan;
    plan.params = args;
    switch (type) {
    case SearchType::People:
        plan.path = QStringLiteral("/1/users/search.json");
        plan.expect = Expect::ArrayOfObjects;
        plan.onJson = [this, type](int id, const QVariant &answer) {
            const QVariantList users = answer.toList();
            d->storeUsers(users);
            Q_EMIT searchCompleted(type, users, id);
            return QString();
        };
        return d->startRequest(std::move(plan), queryId, nullptr);
    case SearchType::Tweets: {
        plan.path = QStringLiteral("/1/search.json");
        plan.publicEndpoint = true;
        plan.onJson = [this, type](int id, const QVariant &answer) {
            if (answer.toMap().value(QStringLiteral("results")).typeId() != QMetaType::QVariantList)
                return QStringLiteral("Unexpected answer: no \"results\" list");
            Q_EMIT searchCompleted(type, QVariantList {answer}, id);
            return QString();
        };
        const QString query = args.value(QStringLiteral("q"));
        const int result = d->startRequest(std::move(plan), queryId, nullptr);
        if (result == RequestSent && !d->searchHistory()->add(query))
            d->onCacheWriteFailed();
        return result;
    }
    default:
        return failRequest(queryId, "no such search");
    }
}

int Zirrup::retrieveHelp(const HelpType::HelpType &type, QVariantMap *result, const ArgMap &args,
                         int *queryId, RetrieveBehavior behavior)
{
    if (type != HelpType::Configuration)
        return failRequest(queryId, "no such help request");
    if (!isKnownBehavior(behavior))
        return failRequest(queryId, "unknown retrieve behaviour");
    if (result) {
        const QVariantMap held = d->cache()->value(configurationKey).toMap();
        for (auto it = held.constBegin(); it != held.constEnd(); ++it)
            result->insert(it.key(), it.value());
    }
    if (behavior == CacheOnly)
        return answerFromCache(queryId);
    RequestPlan plan;
    plan.path = QStringLiteral("/1/help/configuration.json");
    plan.params = args;
    plan.publicEndpoint = true;
    plan.onJson = [this, type, args](int id, const QVariant &answer) {
        d->cache()->setValue(configurationKey, answer);
        Q_EMIT helpRetrieved(type, QVariantList {answer}, args, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

int Zirrup::UrlToSnip(const QString &url, int *queryId)
{
    if (url.isEmpty())
        return failRequest(queryId, "no link to wrap");
    RequestPlan plan;
    plan.method = "POST";
    plan.path = QStringLiteral("/1/links/shorten.json");
    plan.params.insert(QStringLiteral("url"), url);
    plan.onJson = [this, url](int id, const QVariant &answer) {
        const QString wrapped = answer.toMap().value(QStringLiteral("url")).toString();
        if (wrapped.isEmpty())
            return QStringLiteral("Unexpected answer: no wrapped \"url\"");
        Q_EMIT urlToSnipConverted(url, wrapped, id);
        return QString();
    };
    return d->startRequest(std::move(plan), queryId, nullptr);
}

SearchHistory *ZirrupPrivate::searchHistory()
{
    if (!history)
        history = std::make_unique<SearchHistory>(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/zirrup/") + account() + QStringLiteral("/search_history.json"));
    return history.get();
}

} // namespace Zr
