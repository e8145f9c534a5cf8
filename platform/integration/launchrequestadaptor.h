#ifndef ZR_LAUNCHREQUESTADAPTOR_H
#define ZR_LAUNCHREQUESTADAPTOR_H

#include <QDBusAbstractAdaptor>

namespace ZrMeego {

class DesktopLaunchRequests;

// The bus face of DesktopLaunchRequests.
class LaunchRequestAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "net.zirrup.Client")
public:
    explicit LaunchRequestAdaptor(DesktopLaunchRequests *requests);
    ~LaunchRequestAdaptor() override;

public Q_SLOTS:
    void raise();
    void showProfile(const QString &screenName);
    void showFeedItem(const QString &tweetId);
    void showCompose(const QString &screenName);
    void showDirectMessages();
    void showMessage(const QString &screenName, const QString &id);
    void showMentions();
    void showMention(const QString &id);

private:
    void refuseUnless(bool accepted);

    DesktopLaunchRequests *m_requests;
};

} // namespace ZrMeego

#endif // ZR_LAUNCHREQUESTADAPTOR_H
