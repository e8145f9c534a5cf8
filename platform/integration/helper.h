#ifndef HELPER_H
#define HELPER_H

#include <QObject>
#include <QPointer>

class QIODevice;
class QQmlEngine;
class QQuickWindow;
class QWindow;

namespace ZrMeego {
class AccountWindowController;
class DesktopLoginHandler;
} // namespace ZrMeego

// The account window and the program's debug output.
class Helper : public QObject
{
    Q_OBJECT
public:
    enum SERVICE { NONE = 0, ZIRRUP = 1 };
    Q_ENUM(SERVICE)

    explicit Helper(QObject *parent = nullptr);
    ~Helper() override;

    // Opens the account window over parent: the sign-in form when no account is stored, the
    // signed-in account with a Sign out button otherwise. A second call while it is open brings
    // it to the front. Only ZIRRUP opens anything.
    void createAccount(const Helper::SERVICE &service, QWindow *parent);

    // The open account window, or null.
    QQuickWindow *accountWindow() const;

    // Installs a message handler that prefixes every line with appName and drops debug and info
    // lines unless enabled; warnings and errors always pass.
    static void setDebugCallback(const char *appName, bool enabled);
    // Where that handler writes (null: standard error). The device must outlive its use.
    static void setDebugOutput(QIODevice *device);

Q_SIGNALS:
    void accountWindowClosed();

private:
    ZrMeego::DesktopLoginHandler *loginHandler();

    QQmlEngine *m_engine = nullptr;
    ZrMeego::DesktopLoginHandler *m_ownLogin = nullptr;
    QPointer<ZrMeego::AccountWindowController> m_controller;
    QPointer<QQuickWindow> m_window;
};

#endif // HELPER_H
