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
    if (!applySaved(m_user))
        apply(QRect(QPoint(), fallback.expandedTo(minimumSize())), false);
}

void WindowGeometry::setUser(const QString &user)
{
    const QString lower = user.toLower();
    if (lower == m_user)
        return;
    m_saveTimer->stop();
    m_user = lower;
    QSettings(m_filePath, QSettings::IniFormat).setValue(lastUserKey, m_user);
    applySaved(m_user);
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

bool WindowGeometry::applySaved(const QString &user)
{
    const QRect saved = savedGeometry(user);
    if (!saved.isValid())
        return false;
    const QRect geometry(saved.topLeft(), saved.size().expandedTo(minimumSize()));
    // Somewhere a screen still shows a title bar's worth of it; else the screen it was on is
    // gone and the window manager finds it a new place.
    bool shown = false;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        const QRect visible = screen->availableGeometry().intersected(geometry);
        shown = shown || (visible.width() >= 100 && visible.height() >= 40);
    }
    apply(geometry, shown);
    return true;
}

void WindowGeometry::apply(const QRect &geometry, bool withPlace)
{
    m_applying = true;
    if (withPlace)
        m_window->setGeometry(geometry);
    else
        m_window->resize(geometry.size());
    m_applying = false;
}
