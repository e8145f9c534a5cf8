#ifndef SCRIPTEDLOGIN_H
#define SCRIPTEDLOGIN_H

#include "zrloginhandler.h"

#include <QList>

// A login object for tests: reports the account state it is given and records what the program
// asks of it; the test emits the answers (loginResponse, loginError, ...) itself.
class ScriptedLogin : public ZrPlatform::ZrLoginHandler
{
    Q_OBJECT

public:
    struct LoginCall
    {
        bool reauthenticate = false;
        bool flag = false;
    };

    explicit ScriptedLogin(QObject *parent = nullptr)
        : ZrPlatform::ZrLoginHandler(parent)
    { }

    void setAccountExists(bool exists) { m_accountExists = exists; }
    void setAccountEnabled(bool enabled) { m_accountEnabled = enabled; }
    void setAccountUserId(const QString &userId) { m_accountUserId = userId; }

    QList<LoginCall> loginCalls() const { return m_loginCalls; }
    int loginCount() const { return m_loginCalls.size(); }
    int invalidateCount() const { return m_invalidateCount; }

    bool accountExists() override { return m_accountExists; }
    QString accountUserId() override { return m_accountUserId; }
    bool accountEnabled(int serviceType) override { return serviceType == 0 && m_accountEnabled; }
    void login(bool reauthenticate, bool flag) override
    {
        m_loginCalls.append({reauthenticate, flag});
        Q_EMIT loginRequested(reauthenticate, flag);
    }
    void invalidateAccount() override { ++m_invalidateCount; }

Q_SIGNALS:
    void loginRequested(bool reauthenticate, bool flag);

private:
    bool m_accountExists = false;
    bool m_accountEnabled = false;
    QString m_accountUserId;
    QList<LoginCall> m_loginCalls;
    int m_invalidateCount = 0;
};

#endif // SCRIPTEDLOGIN_H
