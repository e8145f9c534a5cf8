#ifndef ZR_ACCOUNTWINDOWCONTROLLER_H
#define ZR_ACCOUNTWINDOWCONTROLLER_H

#include <QObject>
#include <QString>

namespace ZrMeego {

class DesktopLoginHandler;
class SignInExchange;
struct Account;

// What the account window shows and does: the sign-in form while no account is stored, the
// signed-in account with Sign out otherwise. The window (AccountWindow.qml) only binds to this.
class AccountWindowController : public QObject
{
    Q_OBJECT
    // The address the form offers: ZIRRUP_SERVICE_URL, else the last one used.
    Q_PROPERTY(QString serviceUrl READ serviceUrl CONSTANT)
    Q_PROPERTY(bool signedIn READ signedIn NOTIFY accountChanged)
    Q_PROPERTY(QString screenName READ screenName NOTIFY accountChanged)
    Q_PROPERTY(QString accountServiceUrl READ accountServiceUrl NOTIFY accountChanged)
    Q_PROPERTY(
        bool accountEnabled READ accountEnabled WRITE setAccountEnabled NOTIFY accountChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(QString errorText READ errorText NOTIFY errorTextChanged)
public:
    explicit AccountWindowController(DesktopLoginHandler *login, QObject *parent = nullptr);
    ~AccountWindowController() override;

    QString serviceUrl() const { return m_serviceUrl; }
    bool signedIn() const;
    QString screenName() const;
    QString accountServiceUrl() const;
    bool accountEnabled() const;
    void setAccountEnabled(bool enabled);
    bool busy() const;
    QString errorText() const { return m_errorText; }

    SignInExchange *exchange() const { return m_exchange; }

    Q_INVOKABLE void signIn(const QString &serviceUrl, const QString &userName,
                            const QString &password);
    Q_INVOKABLE void signOut();
    // Stops a running sign-in and asks the window to close.
    Q_INVOKABLE void cancel();

Q_SIGNALS:
    void accountChanged();
    void busyChanged();
    void errorTextChanged();
    void closeRequested();

private:
    void setErrorText(const QString &text);
    void onSucceeded(const ZrMeego::Account &account);

    DesktopLoginHandler *m_login;
    SignInExchange *m_exchange;
    QString m_serviceUrl;
    QString m_errorText;
};

} // namespace ZrMeego

#endif // ZR_ACCOUNTWINDOWCONTROLLER_H
