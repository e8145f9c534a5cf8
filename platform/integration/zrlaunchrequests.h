#ifndef ZR_LAUNCHREQUESTS_H
#define ZR_LAUNCHREQUESTS_H

#include <QObject>
#include <QString>

namespace ZrPlatform {

// Requests from outside the program to show one thing (a second start, the desktop).
class ZrLaunchRequests : public QObject
{
    Q_OBJECT
public:
    explicit ZrLaunchRequests(QObject *parent = nullptr)
        : QObject(parent)
    { }

Q_SIGNALS:
    void showProfile(QString screenName);
    void showFeedItem(QString tweetId);
    void showCompose(QString screenName);
    void showDirectMessages();
    void showMessage(QString screenName, QString id);
    void showMentions();
    void showMention(QString id);
    // Bring the program to the front without changing what it shows.
    void raiseRequested();
};

} // namespace ZrPlatform

#endif // ZR_LAUNCHREQUESTS_H
