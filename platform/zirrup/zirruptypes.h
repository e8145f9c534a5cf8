#ifndef ZR_ZIRRUPTYPES_H
#define ZR_ZIRRUPTYPES_H

#include <QMap>
#include <QObject>
#include <QString>

// Request and completion kinds of the Zirrup service library. The numeric values are part
// of the interface: callers pass and compare them as numbers.

namespace TimelineType {
Q_NAMESPACE
enum TimelineType {
    Home = 1, // statuses/home_timeline
    Public = 2, // statuses/public_timeline
    User = 3, // statuses/user_timeline
    Mentions = 4, // statuses/mentions
    RetweetedByMe = 5, // statuses/retweeted_by_me
    RetweetsOfMe = 6, // statuses/retweets_of_me
    RetweetedToMe = 7, // statuses/retweeted_to_me
    Search = 8 // search results handed on as a timeline by the client
};
Q_ENUM_NS(TimelineType)
} // namespace TimelineType

namespace DirectMessageType {
Q_NAMESPACE
enum DirectMessageType { Received = 0, Sent = 1 };
Q_ENUM_NS(DirectMessageType)
} // namespace DirectMessageType

namespace UserType {
Q_NAMESPACE
enum UserType {
    Show = 0, // users/show: one user record
    Lookup = 1, // users/lookup: records for "user_id" or "screen_name" lists
    ProfileImageCached = 5, // completion: avatar answered from the local store
    ProfileImage = 6 // avatar download ("size", "url", "low_priority")
};
Q_ENUM_NS(UserType)
} // namespace UserType

namespace FriendsFollowersType {
Q_NAMESPACE
enum FriendsFollowersType { Following = 0, Followers = 1 };
Q_ENUM_NS(FriendsFollowersType)
} // namespace FriendsFollowersType

namespace AccountType {
Q_NAMESPACE
enum AccountType { UpdateProfile = 0, UpdateProfileImage = 1, VerifyCredentials = 2 };
Q_ENUM_NS(AccountType)
} // namespace AccountType

namespace TrendType {
Q_NAMESPACE
enum TrendType { Current = 0, Daily = 1, Weekly = 2, Available = 3, Place = 4 };
Q_ENUM_NS(TrendType)
} // namespace TrendType

namespace SSType {
Q_NAMESPACE
enum SSType { List = 0, Show = 1, Create = 2, Destroy = 3 };
Q_ENUM_NS(SSType)
} // namespace SSType

namespace GeoType {
Q_NAMESPACE
enum GeoType { Id = 0, Search = 1, ReverseGeocode = 2 };
Q_ENUM_NS(GeoType)
} // namespace GeoType

namespace ListType {
Q_NAMESPACE
enum ListType {
    OwnLists = 0, // lists: the user's own lists
    Memberships = 1, // lists/memberships: lists the user was added to (cursor)
    Subscriptions = 2, // lists/subscriptions: lists the user follows (cursor)
    Show = 3, // lists/show: one list record
    Statuses = 4, // lists/statuses: the list's tweets
    Members = 5, // lists/members: user records (cursor)
    Subscribe = 15, // lists/subscribers/create
    Unsubscribe = 16 // lists/subscribers/destroy
};
Q_ENUM_NS(ListType)
} // namespace ListType

namespace SearchType {
Q_NAMESPACE
enum SearchType { People = 0, Tweets = 1 };
Q_ENUM_NS(SearchType)
} // namespace SearchType

namespace HelpType {
Q_NAMESPACE
enum HelpType { Configuration = 0 };
Q_ENUM_NS(HelpType)
} // namespace HelpType

namespace StreamObjectType {
Q_NAMESPACE
enum StreamObjectType {
    Friends = 0, // {"friends": [...]}, first object of a stream
    DirectMessage = 1, // the message record (sent or received)
    Favorite = 2, // event object; "target_object" is the tweet
    StatusDeletion = 3, // {"delete": {"status": {...}}}
    DirectMessageDeletion = 4, // {"delete": {"direct_message": {...}}}
    Event = 5, // any other event object (follow, block, list, profile)
    Mention = 6, // a status that mentions the user
    HomeStatus = 7, // a status for the home timeline
    Unfavorite = 8 // event object; "target_object" is the tweet
};
Q_ENUM_NS(StreamObjectType)
} // namespace StreamObjectType

namespace Zr {
Q_NAMESPACE

// How a request with an out-list uses the on-disk cache.
enum RetrieveBehavior {
    CacheOnly = 0, // answer from the cache only; no network request
    CacheThenNetwork = 1 // fill the out-list from the cache at once, then ask the network
};
Q_ENUM_NS(RetrieveBehavior)

// Value returned by every request call.
enum RequestResult {
    RequestFailed = 0, // nothing was started (bad arguments, no credentials for it)
    RequestAnswered = 1, // answered at once from local data; no signal follows
    RequestSent = 3 // went to the network: a completion or an error follows
};
Q_ENUM_NS(RequestResult)

enum ZrLogLevel {
    LogNone = 0,
    LogCritical = 1,
    LogError = 2,
    LogWarning = 3,
    LogInfo = 4,
    LogDebug = 5
};
Q_ENUM_NS(ZrLogLevel)

using ArgMap = QMap<QString, QString>;

} // namespace Zr

#endif // ZR_ZIRRUPTYPES_H
