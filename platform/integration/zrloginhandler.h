#ifndef ZR_LOGINHANDLER_H
#define ZR_LOGINHANDLER_H

#include "zrplatformtypes.h"

#include <QObject>
#include <QString>

namespace ZrPlatform {

// The account and sign-in side of the platform. After login(), exactly one of loginResponse or
// loginError follows, on the thread of this object.
class ZrLoginHandler : public QObject
{
    Q_OBJECT
public:
    explicit ZrLoginHandler(QObject *parent = nullptr)
        : QObject(parent)
    { }

    virtual bool accountExists() = 0;
    virtual bool accountEnabled(int serviceType) = 0;
    virtual void login(bool reauthenticate, bool flag) = 0;
    virtual void invalidateAccount() = 0;
    // The stored account's user id, known before any login; empty when there is none. Only
    // used to show what was cached for the account while its login is under way.
    virtual QString accountUserId() { return QString(); }

Q_SIGNALS:
    void loginResponse(QString token, QString tokenSecret, QString userId, QString username,
                       QString consumerKey, QString consumerSecret);
    void loginError(ZrLoginError::ZrLoginError type, QString error);
    void accountAdded();
    void accountRemoved();
    void accountStateChanged(ZrServiceType::Servicetype type, bool enabled);
};

} // namespace ZrPlatform

#endif // ZR_LOGINHANDLER_H
