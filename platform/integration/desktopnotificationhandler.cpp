#include "desktopnotificationhandler.h"

#include "accountstore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QRegularExpression>
#include <QVariantMap>

#include <utility>

namespace ZrMeego {

namespace {

const QString notificationsService = QStringLiteral("org.freedesktop.Notifications");
const QString notificationsPath = QStringLiteral("/org/freedesktop/Notifications");
const QString notificationsInterface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");

bool isTweetId(const QString &id)
{
    static const QRegularExpression pattern(QStringLiteral("^[1-9][0-9]{0,18}$"));
    return pattern.match(id).hasMatch();
}

} // namespace

DesktopNotificationHandler::DesktopNotificationHandler(AccountStore *store, QObject *parent)
    : ZrPlatform::ZrNotificationHandler(parent)
    , m_store(store)
{
    Q_ASSERT(m_store);
}

DesktopNotificationHandler::~DesktopNotificationHandler() = default;

bool DesktopNotificationHandler::ensureBus()
{
    // Looked at on first use, never in the constructor: the application object may not exist yet.
    if (m_busChecked)
        return m_busUsable;
    m_busChecked = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    m_busUsable = bus.isConnected();
    if (!m_busUsable)
        return false;
    bus.connect(notificationsService, notificationsPath, notificationsInterface,
                QStringLiteral("NotificationClosed"), this, SLOT(onNotificationClosed(uint, uint)));
    bus.connect(notificationsService, notificationsPath, notificationsInterface,
                QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
    return true;
}

void DesktopNotificationHandler::saveLastId(const QString &lastId)
{
    if (!isTweetId(lastId)) {
        qWarning() << "DesktopNotificationHandler: ignoring last id" << lastId.left(40);
        return;
    }
    if (!m_store->hasAccount())
        return;
    m_store->setLastId(lastId);
}

QString DesktopNotificationHandler::lastId() const
{
    return m_store->account().lastId;
}

QList<uint> DesktopNotificationHandler::shownNotifications(Kind kind) const
{
    return m_kinds[kind].ids.values();
}

void DesktopNotificationHandler::notifyMentions(int count, const QString &text)
{
    notify(Mentions, count, text);
}

void DesktopNotificationHandler::notifyMessages(int count, const QString &text)
{
    notify(Messages, count, text);
}

void DesktopNotificationHandler::clearMessageNotifications()
{
    clear(Messages);
}

void DesktopNotificationHandler::clearMentionNotifications()
{
    clear(Mentions);
}

void DesktopNotificationHandler::notify(Kind kind, int count, const QString &text)
{
    if (count <= 0 || !ensureBus())
        return;

    QString summary;
    if (kind == Mentions)
        summary = count == 1 ? qtTrId("qtn_comm_notify_new_mention")
                             : qtTrId("qtn_comm_notify_new_mentions", count);
    else
        summary = count == 1 ? qtTrId("qtn_comm_notify_new_message")
                             : qtTrId("qtn_comm_notify_new_messages", count);

    QVariantMap hints;
    hints.insert(QStringLiteral("category"), QStringLiteral("im.received"));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("zirrup-qml"));

    QDBusMessage call = QDBusMessage::createMethodCall(
        notificationsService, notificationsPath, notificationsInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Zirrup") << m_kinds[kind].latest << QString()
         << summary
         // Servers may read the body as markup; the text is the user's, not ours.
         << text.toHtmlEscaped() << QStringList {defaultAction, qtTrId("qtn_comm_notify_show")}
         << hints << int(-1);

    const quint64 generation = m_kinds[kind].generation;
    auto *watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, kind, generation](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                QDBusPendingReply<uint> reply = *finished;
                if (reply.isError()) {
                    // No notification service in this session: nothing to show, nothing to say.
                    return;
                }
                const uint id = reply.value();
                Shown &shown = m_kinds[kind];
                if (generation != shown.generation) {
                    // Cleared while the call was on its way.
                    QDBusConnection::sessionBus().asyncCall(
                        QDBusMessage::createMethodCall(notificationsService, notificationsPath,
                                                       notificationsInterface,
                                                       QStringLiteral("CloseNotification"))
                        << id);
                    return;
                }
                shown.ids.insert(id);
                shown.latest = id;
                Q_EMIT notificationShown(kind, id);
            });
}

void DesktopNotificationHandler::clear(Kind kind)
{
    Shown &shown = m_kinds[kind];
    shown.generation++;
    shown.latest = 0;
    const QSet<uint> ids = std::exchange(shown.ids, {});
    if (ids.isEmpty() || !ensureBus())
        return;
    for (uint id : ids) {
        QDBusConnection::sessionBus().asyncCall(
            QDBusMessage::createMethodCall(notificationsService, notificationsPath,
                                           notificationsInterface,
                                           QStringLiteral("CloseNotification"))
            << id);
    }
}

void DesktopNotificationHandler::onNotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason)
    for (Shown &shown : m_kinds) {
        if (shown.ids.remove(id) && shown.latest == id)
            shown.latest = 0;
    }
}

void DesktopNotificationHandler::onActionInvoked(uint id, const QString &action)
{
    if (action != defaultAction)
        return;
    for (Kind kind : {Mentions, Messages}) {
        if (m_kinds[kind].ids.contains(id)) {
            Q_EMIT activated(kind);
            return;
        }
    }
}

} // namespace ZrMeego
