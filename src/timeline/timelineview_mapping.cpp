// Turning one status record of the service into the flat record a tweet row shows.

#include "timelineview.h"

#include "datahandler.h"

#include <QStandardItem>

namespace {
// A key counts as present only with a value: the service sends absent values as null.
bool has(const QVariantMap &record, const QString &key)
{
    const auto it = record.constFind(key);
    return it != record.constEnd() && it->isValid() && !it->isNull();
}

QString retweetIdOf(const QVariantMap &record)
{
    const QVariantMap retweet = record.value(QStringLiteral("current_user_retweet")).toMap();
    const QString text = retweet.value(QStringLiteral("id_str")).toString();
    return text.isEmpty() ? TimelineView::statusId(retweet) : text;
}

// The plain text of a status: white space collapsed, the service's character entities
// decoded. "&amp;" goes before "&lt;" and "&gt;", so "&amp;lt;" ends as "<" as well.
QString plainText(const QString &text)
{
    QString plain = text.simplified();
    plain.replace(QLatin1String("&quot;"), QLatin1String("\""));
    plain.replace(QLatin1String("&apos;"), QLatin1String("'"));
    plain.replace(QLatin1String("&amp;"), QLatin1String("&"));
    plain.replace(QLatin1String("&lt;"), QLatin1String("<"));
    plain.replace(QLatin1String("&gt;"), QLatin1String(">"));
    return plain;
}
} // namespace

QString TimelineView::statusId(const QVariantMap &record)
{
    const QVariant id = record.value(QStringLiteral("id"));
    if (id.typeId() == QMetaType::QString)
        return id.toString();
    // Undecoded records carry the exact id only in its text form.
    const QString text = record.value(QStringLiteral("id_str")).toString();
    return text.isEmpty() ? id.toString() : text;
}

void TimelineView::mapStatus(QVariantMap record, TweetRecord &out, bool includeMediaEntities)
{
    const QVariant inner = record.value(QStringLiteral("retweeted_status"));
    const bool isRetweet = inner.typeId() == QMetaType::QVariantMap && !inner.toMap().isEmpty();
    // The tweet shown: the original of a retweet, otherwise the record itself.
    const QVariantMap orig = isRetweet ? inner.toMap() : record;
    const QVariantMap user = orig.value(QStringLiteral("user")).toMap();
    const bool searchForm = has(orig, QStringLiteral("from_user"));

    const QString text = orig.value(QStringLiteral("text")).toString();
    QString desc = text;
    // Also without entities: the text still goes into rich text and is made harmless there.
    m_dataHandler->parseEntities(orig.value(QStringLiteral("entities")).toMap(), desc,
                                 includeMediaEntities);
    out.desc = desc.simplified();
    out.statusText = plainText(text);

    if (searchForm)
        out.name = orig.value(QStringLiteral("from_user")).toString();
    else if (has(orig, QStringLiteral("sender_screen_name")))
        out.name = orig.value(QStringLiteral("sender_screen_name")).toString();
    else
        out.name = user.value(QStringLiteral("screen_name")).toString();
    out.fullName = user.value(QStringLiteral("name")).toString();
    if (out.fullName.isEmpty() && searchForm)
        out.fullName = orig.value(QStringLiteral("from_user_name")).toString();
    out.originalImageUrl = has(orig, QStringLiteral("profile_image_url"))
        ? orig.value(QStringLiteral("profile_image_url")).toString()
        : user.value(QStringLiteral("profile_image_url")).toString();
    out.imageUrl = m_dataHandler->getProfileImage(out.name, out.originalImageUrl, false,
                                                  ProfileView::ImageSizeBigger);
    out.protectedProfile = user.value(QStringLiteral("protected")).toBool();

    out.place =
        orig.value(QStringLiteral("place")).toMap().value(QStringLiteral("full_name")).toString();
    out.source = m_dataHandler->parseSourceName(orig.value(QStringLiteral("source")).toString());
    out.favorited = orig.value(QStringLiteral("favorited")).toBool();

    // A retweet is dated, addressed and deleted as itself.
    out.timestamp = m_dataHandler->convertServiceDateTime(
        record.value(QStringLiteral("created_at")).toString(), !isRetweet && searchForm);
    out.replyStatusId = record.value(QStringLiteral("in_reply_to_status_id")).toString();
    out.replyName = record.value(QStringLiteral("in_reply_to_screen_name")).toString();
    out.tweetId = statusId(record);
    out.originalTweetId = statusId(orig);

    out.retweetedName.clear();
    if (!isRetweet) {
        out.retweetedByMeId = retweetIdOf(record);
        return;
    }
    const QString retweeter = record.value(QStringLiteral("user"))
                                  .toMap()
                                  .value(QStringLiteral("screen_name"))
                                  .toString();
    const QString me = m_dataHandler->authenticatedUser();
    if (!me.isEmpty() && retweeter.toLower() == me) {
        out.retweetedByMeId = out.tweetId;
    } else {
        out.retweetedName = retweeter;
        out.retweetedByMeId = retweetIdOf(orig);
    }
}

QStandardItem *TimelineView::createTweetItem(const TweetRecord &tweet, const QString &section) const
{
    auto *item = new QStandardItem;
    item->setData(tweet.desc, DescRole);
    item->setData(tweet.name, NameRole);
    item->setData(tweet.place, PlaceRole);
    item->setData(tweet.timestamp, TimestampRole);
    item->setData(section, SectionTimestampRole);
    item->setData(tweet.originalImageUrl, OriginalImageUrlRole);
    item->setData(tweet.imageUrl, ImageUrlRole);
    item->setData(tweet.retweetedName, RetweetedNameRole);
    item->setData(tweet.replyStatusId, ReplyStatusIdRole);
    item->setData(tweet.replyName, ReplyNameRole);
    item->setData(tweet.source, SourceRole);
    item->setData(tweet.tweetId, TweetIdRole);
    item->setData(tweet.originalTweetId, OriginalTweetIdRole);
    item->setData(tweet.fullName, FullNameRole);
    item->setData(tweet.favorited, FavoritedRole);
    item->setData(tweet.statusText, StatusTextRole);
    item->setData(tweet.retweetedByMeId, RetweetedByMeIdRole);
    item->setData(tweet.protectedProfile, ProtectedProfileRole);
    return item;
}
