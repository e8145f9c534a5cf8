#include "windowgeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

namespace {
const QString lastUserKey = QStringLiteral("last_user");
const QString geometryKey = QStringLiteral("geometry");
// Moving or resizing sends a burst of changes; one write when they settle.
const int saveDelayMs = 500;

QString groupFor(const QString &user)
{
    // Screen names are letters, digits and "_"; anything else never reaches the file.
    QString group;
    for (const QChar c : user.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('_'))
            group.append(c);
    }
    return group.isEmpty() ? QString() : QStringLiteral("user_") + group;
}
} // namespace

WindowGeometry::WindowGeometry(QWindow *window, QObject *parent)
    : WindowGeometry(window, defaultFilePath(), parent)
{ }

WindowGeometry::WindowGeometry(QWindow *window, const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_filePath(filePath)
    , m_saveTimer(new QTimer(this))
{
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(saveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &WindowGeometry::save);
    for (auto signal :
         {&QWindow::xChanged, &QWindow::yChanged, &QWindow::widthChanged, &QWindow::heightChanged})
        connect(m_window, signal, this, &WindowGeometry::scheduleSave);
    m_user = QSettings(m_filePath, QSettings::IniFormat).value(lastUserKey).toString();
}

WindowGeometry::~WindowGeometry()
{
    if (m_saveTimer->isActive())
        save();
}

QString WindowGeometry::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/zirrup/window.ini");
}

QSize WindowGeometry::minimumSize()
{
    return QSize(360, 480);
}

QRect WindowGeometry::savedGeometry(const QString &user) const
{
    const QString group = groupFor(user);
    if (group.isEmpty())
        return QRect();
    QSettings settings(m_filePath, QSettings::IniFormat);
    return settings.value(group + QLatin1Char('/') + geometryKey).toRect();
}

void WindowGeometry::restore(const QSize &fallback)
{
    m_window->setMinimumSize(minimumSize());
    const QRect saved = usable(savedGeometry(m_user));
    if (saved.isValid()) {
        apply(saved);
        return;
    }
    QRect geometry(QPoint(), fallback.expandedTo(minimumSize()));
    if (const QScreen *screen = m_window->screen())
        geometry.moveCenter(screen->availableGeometry().center());
    apply(geometry);
}

void WindowGeometry::setUser(const QString &user)
{
    const QString lower = user.toLower();
    if (lower == m_user)
        return;
    m_saveTimer->stop();
    m_user = lower;
    QSettings(m_filePath, QSettings::IniFormat).setValue(lastUserKey, m_user);
    const QRect saved = usable(savedGeometry(m_user));
    if (saved.isValid())
        apply(saved);
}

void WindowGeometry::save()
{
    m_saveTimer->stop();
    const QString group = groupFor(m_user);
    // Full screen is the handset's way, not a size to come back to.
    if (group.isEmpty() || m_window->visibility() == QWindow::FullScreen
        || m_window->visibility() == QWindow::Maximized
        || m_window->visibility() == QWindow::Minimized)
        return;
    QSettings settings(m_filePath, QSettings::IniFormat);
    settings.setValue(group + QLatin1Char('/') + geometryKey, m_window->geometry());
    settings.setValue(lastUserKey, m_user);
}

void WindowGeometry::scheduleSave()
{
    if (!m_applying)
        m_saveTimer->start();
}

void WindowGeometry::apply(const QRect &geometry)
{
    m_applying = true;
    m_window->setGeometry(geometry);
    m_applying = false;
}

QRect WindowGeometry::usable(const QRect &geometry) const
{
    if (!geometry.isValid())
        return QRect();
    QRect result(geometry.topLeft(), geometry.size().expandedTo(minimumSize()));
    // Somewhere a screen still shows: a title bar's worth of the window at least.
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        const QRect visible = screen->availableGeometry().intersected(result);
        if (visible.width() >= 100 && visible.height() >= 40)
            return result;
    }
    // The place is gone (a screen was unplugged); the size still holds.
    if (const QScreen *screen = m_window->screen())
        result.moveCenter(screen->availableGeometry().center());
    return result;
}
