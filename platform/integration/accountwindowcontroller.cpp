#include "accountwindowcontroller.h"

#include "accountstore.h"
#include "desktoploginhandler.h"
#include "signinexchange.h"

namespace ZrMeego {

AccountWindowController::AccountWindowController(DesktopLoginHandler *login, QObject *parent)
    : QObject(parent)
    , m_login(login)
    , m_exchange(new SignInExchange(this))
{
    AccountStore *store = m_login->accountStore();
    m_serviceUrl = qEnvironmentVariable("ZIRRUP_SERVICE_URL");
    if (m_serviceUrl.isEmpty())
        m_serviceUrl = store->lastServiceUrl().toString();

    connect(store, &AccountStore::accountAdded, this, &AccountWindowController::accountChanged);
    connect(store, &AccountStore::accountRemoved, this, &AccountWindowController::accountChanged);
    connect(store, &AccountStore::enabledChanged, this, &AccountWindowController::accountChanged);
    connect(m_exchange, &SignInExchange::succeeded, this, &AccountWindowController::onSucceeded);
    connect(m_exchange, &SignInExchange::failed, this,
            [this](SignInExchange::Failure, const QString &message) {
                setErrorText(message);
                Q_EMIT busyChanged();
            });
}

AccountWindowController::~AccountWindowController() = default;

bool AccountWindowController::signedIn() const
{
    return m_login->accountStore()->hasAccount();
}

QString AccountWindowController::screenName() const
{
    return m_login->accountStore()->account().screenName;
}

QString AccountWindowController::accountServiceUrl() const
{
    return m_login->accountStore()->account().serviceUrl.toDisplayString();
}

bool AccountWindowController::accountEnabled() const
{
    return m_login->accountEnabled(0);
}

void AccountWindowController::setAccountEnabled(bool enabled)
{
    if (!m_login->setAccountEnabled(enabled))
        setErrorText(qtTrId("qtn_comm_account_error_change"));
}

bool AccountWindowController::busy() const
{
    return m_exchange->isRunning();
}

void AccountWindowController::setErrorText(const QString &text)
{
    if (m_errorText == text)
        return;
    m_errorText = text;
    Q_EMIT errorTextChanged();
}

void AccountWindowController::signIn(const QString &serviceUrl, const QString &userName,
                                     const QString &password)
{
    if (busy())
        return;
    setErrorText(QString());
    // start() reads the address the way serviceUrlFromText() does, and refuses a bad one.
    m_exchange->start(QUrl(serviceUrl.trimmed()), userName, password);
    Q_EMIT busyChanged();
}

void AccountWindowController::onSucceeded(const Account &account)
{
    QString error;
    if (!m_login->accountStore()->storeAccount(account, &error)) {
        setErrorText(qtTrId("qtn_comm_account_error_save").arg(error));
        Q_EMIT busyChanged();
        return;
    }
    Q_EMIT busyChanged();
    Q_EMIT closeRequested();
}

void AccountWindowController::signOut()
{
    setErrorText(QString());
    m_login->invalidateAccount();
}

void AccountWindowController::cancel()
{
    const bool wasBusy = busy();
    m_exchange->abort();
    if (wasBusy)
        Q_EMIT busyChanged();
    Q_EMIT closeRequested();
}

} // namespace ZrMeego
