#ifndef ZR_DESKTOPNOTIFICATIONHANDLER_H
#define ZR_DESKTOPNOTIFICATIONHANDLER_H

#include "zrnotificationhandler.h"

#include <QSet>

namespace ZrMeego {

class AccountStore;

// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus) and the last-seen id, kept with the
// account. There is at most one notification of each kind on screen: a new one replaces the
// previous, and clearing withdraws every one of that kind this process was given an id for.
// Without a session bus or a notification service all of it is a quiet no-op.
class DesktopNotificationHandler : public ZrPlatform::ZrNotificationHandler
{
    Q_OBJECT
public:
    enum Kind { Mentions, Messages };
    Q_ENUM(Kind)

    explicit DesktopNotificationHandler(AccountStore *store, QObject *parent = nullptr);
    ~DesktopNotificationHandler() override;

    void clearMessageNotifications() override;
    void clearMentionNotifications() override;
    // Kept only when an account is stored and the id is a decimal tweet id.
    void saveLastId(const QString &lastId) override;
    // text is plain text (it is escaped for the notification service's markup). A click opens
    // the subject while the notification stands for one tweet or for one sender's messages, and
    // the list of its kind once it stands for more.
    void notifyMentions(int count, const QString &text, const QString &tweetId) override;
    void notifyMessages(int count, const QString &text, const QString &sender) override;

    QString lastId() const;
    // The notification ids the service gave us that are still on screen.
    QList<uint> shownNotifications(Kind kind) const;

Q_SIGNALS:
    // The service answered a Notify call with this id.
    void notificationShown(ZrMeego::DesktopNotificationHandler::Kind kind, uint id);
    // The user clicked a notification of ours; subject is the tweet id or sender it opens, or
    // empty for the list of its kind.
    void activated(ZrMeego::DesktopNotificationHandler::Kind kind, const QString &subject);

private Q_SLOTS:
    void onNotificationClosed(uint id, uint reason);
    void onActionInvoked(uint id, const QString &action);

private:
    bool ensureBus();
    void notify(Kind kind, int count, const QString &text, const QString &subject);
    void clear(Kind kind);

    AccountStore *m_store;
    bool m_busChecked = false;
    bool m_busUsable = false;
    struct Shown
    {
        QSet<uint> ids;
        uint latest = 0; // replaced by the next notification of the kind
        // Bumped by every clear, so that an answer to an earlier Notify is withdrawn on arrival.
        quint64 generation = 0;
        QString subject; // empty once the notification stands for more than one
    };
    Shown m_kinds[2];
};

} // namespace ZrMeego

#endif // ZR_DESKTOPNOTIFICATIONHANDLER_H
