#include "desktoptimelinenotifier.h"

namespace ZrMeego {

DesktopTimelineNotifier::DesktopTimelineNotifier(QObject *parent)
    : ZrPlatform::ZrTimelineNotifier(parent)
{ }

DesktopTimelineNotifier::~DesktopTimelineNotifier() = default;

void DesktopTimelineNotifier::homeTimelineChanged()
{
    m_lastChange = QDateTime::currentDateTimeUtc();
    Q_EMIT changed(m_lastChange);
}

} // namespace ZrMeego
