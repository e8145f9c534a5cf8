#ifndef DISPLAYINFO_H
#define DISPLAYINFO_H

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Whether the user can see the screen. A desktop has no backlight to ask, so the light counts as
// off while the session's screen saver runs (org.freedesktop.ScreenSaver on the session bus) or
// the login session is locked (LockedHint of the logind session on the system bus), and as on
// otherwise, including when neither bus answers.
//
// Both states are followed by their change signals and read once, asynchronously, at
// construction, so asking never blocks.
class DisplayInfo : public QObject
{
    Q_OBJECT

public:
    enum BacklightState {
        BacklightUnknown = -1,
        BacklightOff = 0,
        BacklightDim = 1,
        BacklightOn = 2
    };
    Q_ENUM(BacklightState)

    // Watches the process's own session and system buses.
    explicit DisplayInfo(QObject *parent = nullptr);
    // Watches the given buses (a bus that is not connected is left alone).
    DisplayInfo(const QDBusConnection &sessionBus, const QDBusConnection &systemBus,
                QObject *parent = nullptr);

    // The same for every screen; unknown for a negative screen number.
    BacklightState backlightStatus(int screen) const;

    bool screenSaverActive() const { return m_screenSaverActive; }
    bool sessionLocked() const { return m_sessionLocked; }

Q_SIGNALS:
    void backlightStatusChanged(DisplayInfo::BacklightState state);

private Q_SLOTS:
    void onScreenSaverActiveChanged(bool active);
    void onSessionPropertiesChanged(const QString &interfaceName, const QVariantMap &changed,
                                    const QStringList &invalidated);

private:
    void watchScreenSaver();
    void watchLoginSession();
    void readLockedHint();
    void setState(bool screenSaverActive, bool sessionLocked);

    QDBusConnection m_sessionBus;
    QDBusConnection m_systemBus;
    QString m_sessionPath;
    bool m_screenSaverActive = false;
    bool m_sessionLocked = false;
};

#endif // DISPLAYINFO_H
