// Keeping the data fresh without the user asking: the stream while in front, the background
// cleanup, delayed refreshes, the new-item signals and the last-seen id.

#include "datahandler.h"

#include "displayinfo.h"
#include "synctimer.h"
#include "zirrup.h"
#include "zrloginhandler.h"
#include "zrnotificationhandler.h"
#include "zrplatformfactory.h"

#include <QTimer>
#include <QtDebug>

namespace {
const char *boolText(bool value)
{
    return value ? "true" : "false";
}

// The service's texts are HTML-escaped; the desktop's notification wants them plain.
QString plainText(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}
} // namespace

DisplayInfo *DataHandler::displayInfo()
{
    if (!m_displayInfo)
        m_displayInfo = new DisplayInfo(this);
    return m_displayInfo;
}

void DataHandler::setDisplayInfo(DisplayInfo *displayInfo)
{
    if (displayInfo == m_displayInfo)
        return;
    delete m_displayInfo;
    m_displayInfo = displayInfo;
    if (m_displayInfo)
        m_displayInfo->setParent(this);
}

void DataHandler::startSyncTimer()
{
    if (m_backend && !m_authenticating && m_refreshOnResume && !m_timelineView.isCatchingUp()) {
        m_timelineView.loadHomeTimelineData();
        // What came while away or offline: mentions and messages catch up with the home list.
        updateMentionsViewSilent();
        updateMessagesViewSilent();
    }
    m_syncTimer->stop();
    if (m_backend && !m_authenticatedUserName.isEmpty() && m_online)
        startStream();
}

void DataHandler::stopSyncTimer()
{
    m_refreshOnResume = false;
    m_syncTimer->start();
}

void DataHandler::doCleanup()
{
    if (m_refreshOnResume)
        return;

    qDebug() << "doing cleanup, saving id";
    callRoot("prepareCleanup");
    cleanFrontend(false);
    callRoot("doCleanup");

    if (!m_authenticatedUserName.isEmpty()) {
        callRoot("startPage", {QStringLiteral("MainView.qml")});
        updateTimelineView(false);
        updateMentionsView(true);
        updateMessagesView(true);
    } else {
        callRoot("startPage", {QStringLiteral("SignInView.qml")});
    }

    if (m_backend)
        m_backend->stopStreaming();
    m_syncTimer->stop();
    m_refreshOnResume = true;
}

void DataHandler::onThrottlingTimerTriggered()
{
    // What the broken stream did not deliver is fetched once it runs again.
    if (!startStream())
        return;
    updateTimelineView(true);
    updateMentionsViewSilent();
    updateMessagesViewSilent();
}

void DataHandler::handleStreamObject(StreamObjectType::StreamObjectType type, QVariantList data)
{
    if (type != StreamObjectType::DirectMessage && type != StreamObjectType::Mention)
        return;
    postLastIdUpdate(data);
    notifyInBackground(type, data);
}

void DataHandler::notifyInBackground(StreamObjectType::StreamObjectType type,
                                     const QVariantList &data)
{
    ZrPlatform::ZrNotificationHandler *notifications =
        m_factory ? m_factory->notificationHandler() : nullptr;
    if (m_onFullscreen || !notifications || data.isEmpty())
        return;

    const QVariantMap record = data.first().toMap();
    if (type == StreamObjectType::Mention) {
        const QString author = record.value(QStringLiteral("user"))
                                   .toMap()
                                   .value(QStringLiteral("screen_name"))
                                   .toString();
        const QString text = plainText(record.value(QStringLiteral("text")).toString());
        notifications->notifyMentions(
            ++m_unseenMentions,
            author.isEmpty() ? text : QStringLiteral("@%1: %2").arg(author, text),
            // Ids beyond a double's precision are exact only as text.
            record.contains(QStringLiteral("id_str"))
                ? record.value(QStringLiteral("id_str")).toString()
                : record.value(QStringLiteral("id")).toString());
        return;
    }

    // The stream also brings back the messages the user sent.
    const QString sender = record.value(QStringLiteral("sender_screen_name")).toString();
    if (sender.compare(m_authenticatedUserName, Qt::CaseInsensitive) == 0)
        return;
    const QString text = plainText(record.value(QStringLiteral("text")).toString());
    notifications->notifyMessages(
        ++m_unseenMessages, sender.isEmpty() ? text : QStringLiteral("%1: %2").arg(sender, text),
        sender);
}

void DataHandler::postLastIdUpdate(QVariantList data)
{
    qDebug() << "void DataHandler::postLastIdUpdate(QVariantList)";
    if (!accountReady() || m_authenticatedUserName.isEmpty() || data.isEmpty())
        return;

    QVariantMap record = data.first().toMap();
    if (record.contains(QStringLiteral("direct_message")))
        record = record.value(QStringLiteral("direct_message")).toMap();
    const QString id = record.value(QStringLiteral("id")).toString();
    // Only what the user had in front of them counts as seen.
    if (id.isEmpty() || !m_onFullscreen)
        return;
    m_lastId = id;
    m_lastIdTimer->start(1500);
}

void DataHandler::updateLastId()
{
    if (ZrPlatform::ZrNotificationHandler *notifications =
            m_factory ? m_factory->notificationHandler() : nullptr)
        notifications->saveLastId(m_lastId);
}

void DataHandler::clearMessageNotifications()
{
    m_unseenMessages = 0;
    if (ZrPlatform::ZrNotificationHandler *notifications =
            m_factory ? m_factory->notificationHandler() : nullptr)
        notifications->clearMessageNotifications();
}

void DataHandler::clearMentionNotifications()
{
    m_unseenMentions = 0;
    if (ZrPlatform::ZrNotificationHandler *notifications =
            m_factory ? m_factory->notificationHandler() : nullptr)
        notifications->clearMentionNotifications();
}

void DataHandler::setVisible(bool visible)
{
    qDebug() << "void DataHandler::setVisible(bool)" << boolText(visible);
    // Made now, so that its state is known by the time the window goes.
    DisplayInfo *display = displayInfo();
    if (visible == m_visible)
        return;
    m_visible = visible;
    if (!m_backend)
        return;

    if (visible) {
        if (!startStream())
            return;
        qDebug() << "startStreaming";
        if (m_refreshOnResume && !m_currentVisibleTweetId.isEmpty())
            m_timelineView.setCatchingUp(true);
        updateTimelineView(true);
        updateMentionsView(true);
        updateMessagesView(true);
        return;
    }

    // A lit screen may still be read: the stream keeps the lists current.
    if (display->backlightStatus(0) == DisplayInfo::BacklightOff) {
        m_backend->stopStreaming();
        qDebug() << "stopStreaming";
    }
}

void DataHandler::setIsOnFullscreen(bool onscreen)
{
    qDebug() << "void DataHandler::setIsOnFullscreen(bool)" << boolText(onscreen);
    m_onFullscreen = onscreen;
}

void DataHandler::delayedUpdateTimelineView(int timeout)
{
    QTimer::singleShot(timeout, this, [this] { updateTimelineView(false); });
}

void DataHandler::delayedUpdateMentionsView(int timeout)
{
    QTimer::singleShot(timeout, this, [this] { updateMentionsView(false); });
}

void DataHandler::delayedUpdateMentionsViewSilent(int timeout)
{
    QTimer::singleShot(timeout, this, [this] { updateMentionsViewSilent(); });
}

void DataHandler::delayedUpdateMessagesView(int timeout)
{
    QTimer::singleShot(timeout, this, [this] { updateMessagesView(false); });
}

void DataHandler::delayedUpdateMessagesViewSilent(int timeout)
{
    QTimer::singleShot(timeout, this, [this] { updateMessagesViewSilent(); });
}

void DataHandler::emitNewTweets()
{
    Q_EMIT newTweets();
}

void DataHandler::emitNewMentions()
{
    Q_EMIT newMentions();
}

void DataHandler::emitNewMessages()
{
    Q_EMIT newMessages();
}

void DataHandler::emitUpdateTimestamp()
{
    m_timelineView.updateSectionData();
    Q_EMIT updateTimestamp();
}

void DataHandler::restoreListPosition(int index)
{
    qDebug() << "restoring the position to index" << index;
    callRoot("restorePosition", {index});
}
