#ifndef WINDOWGEOMETRY_H
#define WINDOWGEOMETRY_H

#include <QObject>
#include <QRect>
#include <QString>

class QTimer;
class QWindow;

// The size and place of the program's window on a desktop, kept per signed-in user in
// <GenericConfigLocation>/zirrup/window.ini, so that each user finds the window as they left it.
// Until somebody signs in the window takes the geometry of whoever used it last; the very first
// time only its size is set and the window manager places it. A saved place that no screen shows
// any more is dropped the same way, and no window is narrower than minimumSize().
class WindowGeometry : public QObject
{
    Q_OBJECT
public:
    explicit WindowGeometry(QWindow *window, QObject *parent = nullptr);
    WindowGeometry(QWindow *window, const QString &filePath, QObject *parent);
    ~WindowGeometry() override;

    static QString defaultFilePath();
    // The narrowest and lowest the pages still work at.
    static QSize minimumSize();

    // Sets the minimum size and the geometry of the last user, else the size `fallback`. Call
    // before the window is shown.
    void restore(const QSize &fallback);
    // The window now belongs to `user` (any case): their saved geometry, if any, is applied.
    void setUser(const QString &user);
    QString user() const { return m_user; }

    // The geometry stored for user, or a null rect.
    QRect savedGeometry(const QString &user) const;

public Q_SLOTS:
    // Writes the window's current geometry for the current user at once.
    void save();

private:
    // The saved geometry of the user, made usable; false when there is none.
    bool applySaved(const QString &user);
    void apply(const QRect &geometry, bool withPlace);
    void scheduleSave();

    QWindow *m_window;
    QString m_filePath;
    QString m_user;
    QTimer *m_saveTimer;
    // Geometry changes made here are not the user's and are not saved back.
    bool m_applying = false;
};

#endif // WINDOWGEOMETRY_H
