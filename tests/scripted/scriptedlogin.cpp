#include "scriptedlogin.h"

ScriptedLogin::ScriptedLogin(QObject *parent)
    : ZrPlatform::ZrLoginHandler(parent)
{ }

void ScriptedLogin::clearCalls()
{
    m_loginCalls.clear();
    m_invalidateCount = 0;
}

bool ScriptedLogin::accountEnabled(int serviceType)
{
    return serviceType == 0 && m_accountEnabled;
}

void ScriptedLogin::login(bool reauthenticate, bool flag)
{
    m_loginCalls.append({reauthenticate, flag});
    Q_EMIT loginRequested(reauthenticate, flag);
}

void ScriptedLogin::invalidateAccount()
{
    ++m_invalidateCount;
}
