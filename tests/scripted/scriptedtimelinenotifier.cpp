#include "scriptedtimelinenotifier.h"

ScriptedTimelineNotifier::ScriptedTimelineNotifier(QObject *parent)
    : ZrPlatform::ZrTimelineNotifier(parent)
{ }

void ScriptedTimelineNotifier::homeTimelineChanged()
{
    ++m_changes;
    Q_EMIT changed();
}
