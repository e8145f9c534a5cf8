#ifndef ZR_DESKTOPLAUNCHREQUESTS_H
#define ZR_DESKTOPLAUNCHREQUESTS_H

#include "zrlaunchrequests.h"

#include <QDBusContext>

namespace ZrMeego {

// Launch requests arrive over the session bus: the running program owns the name
// "net.zirrup.Client" and exports, at "/net/zirrup/Client", the interface "net.zirrup.Client"
// with the methods raise(), showProfile(s), showFeedItem(s), showCompose(s),
// showDirectMessages(), showMessage(s, s), showMentions() and showMention(s). Each call is
// checked and re-emitted as the signal of the same name; a malformed argument is answered with
// the D-Bus error "org.freedesktop.DBus.Error.InvalidArgs" and emits nothing. Owning the name
// also makes the program single-instance (see ZrFactoryMeego::handOffToRunningInstance).
class DesktopLaunchRequests : public ZrPlatform::ZrLaunchRequests, protected QDBusContext
{
    Q_OBJECT
    friend class LaunchRequestAdaptor;

public:
    enum Registration { NotTried, NoBus, NameTaken, Registered };
    Q_ENUM(Registration)

    static QString serviceName();
    static QString objectPath();
    static QString interfaceName();

    explicit DesktopLaunchRequests(QObject *parent = nullptr);
    ~DesktopLaunchRequests() override;

    // Claims the name and exports the object, once; later calls return the first outcome.
    Registration registerOnBus();
    Registration registration() const { return m_registration; }

    // The checks and the signals behind the bus methods. False when the argument is refused.
    bool requestRaise();
    bool requestProfile(const QString &screenName);
    bool requestFeedItem(const QString &tweetId);
    bool requestCompose(const QString &screenName);
    bool requestDirectMessages();
    bool requestMessage(const QString &screenName, const QString &id);
    bool requestMentions();
    bool requestMention(const QString &id);

    // The request a launch option with a subject stands for (2 profile, 3 tweet, 4 compose,
    // 5 message, 7 mention); false for other modes and for a subject the request refuses.
    bool requestSubject(int launchMode, const QString &subject);
    // The bus method and its arguments for that request; an empty name for other modes.
    static QString subjectMethod(int launchMode);
    static QVariantList subjectArguments(int launchMode, const QString &subject);

    // A screen name, optionally with a leading "@": letters, digits and "_", 1 to 15 of them.
    static bool isScreenName(const QString &name);
    // A positive decimal id of up to 19 digits.
    static bool isId(const QString &id);

    // Shows, raises and activates this process's top-level windows.
    static void raiseWindows();

private:
    Registration m_registration = NotTried;
};

} // namespace ZrMeego

#endif // ZR_DESKTOPLAUNCHREQUESTS_H
