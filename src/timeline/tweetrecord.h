#ifndef TWEETRECORD_H
#define TWEETRECORD_H

#include <QString>

// One status record flattened for display: what a tweet row and the detail page show.
struct TweetRecord
{
    QString desc; // rich text with anchors
    QString name; // author screen name
    QString place;
    QString timestamp; // canonical local time text
    QString originalImageUrl; // the author's avatar address as delivered
    QString imageUrl; // the avatar source for lists
    QString retweetedName; // who retweeted it, empty for an original or the user's own retweet
    QString replyStatusId;
    QString replyName;
    QString source; // client name
    QString tweetId; // id of the record itself (the retweet's own id for a retweet)
    QString originalTweetId; // id of the tweet shown
    QString fullName;
    bool favorited = false;
    QString statusText; // plain text
    QString retweetedByMeId; // the signed-in user's retweet of this tweet, or empty
    bool protectedProfile = false;
};

#endif // TWEETRECORD_H
