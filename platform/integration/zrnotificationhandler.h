#ifndef ZR_NOTIFICATIONHANDLER_H
#define ZR_NOTIFICATIONHANDLER_H

#include <QObject>
#include <QString>

namespace ZrPlatform {

// Desktop notifications of the program and the last-seen tweet id.
class ZrNotificationHandler : public QObject
{
    Q_OBJECT
public:
    explicit ZrNotificationHandler(QObject *parent = nullptr)
        : QObject(parent)
    { }
    virtual void clearMessageNotifications() = 0;
    virtual void clearMentionNotifications() = 0;
    virtual void saveLastId(const QString &lastId) = 0;

    // Shows (or updates) the one notification of that kind; count is the number of new items,
    // text the newest one, and tweetId or sender what a click on it opens (the newest mention's
    // tweet, the newest message's conversation). Implementations without a notification system
    // do nothing.
    virtual void notifyMentions(int count, const QString &text, const QString &tweetId)
    {
        Q_UNUSED(count)
        Q_UNUSED(text)
        Q_UNUSED(tweetId)
    }
    virtual void notifyMessages(int count, const QString &text, const QString &sender)
    {
        Q_UNUSED(count)
        Q_UNUSED(text)
        Q_UNUSED(sender)
    }
};

} // namespace ZrPlatform

#endif // ZR_NOTIFICATIONHANDLER_H
