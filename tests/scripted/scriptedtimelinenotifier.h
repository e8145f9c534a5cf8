#ifndef SCRIPTEDTIMELINENOTIFIER_H
#define SCRIPTEDTIMELINENOTIFIER_H

#include "zrtimelinenotifier.h"

// Counts how often the program reports a changed home timeline.
class ScriptedTimelineNotifier : public ZrPlatform::ZrTimelineNotifier
{
    Q_OBJECT

public:
    explicit ScriptedTimelineNotifier(QObject *parent = nullptr)
        : ZrPlatform::ZrTimelineNotifier(parent)
    { }

    int changeCount() const { return m_changes; }
    void homeTimelineChanged() override { ++m_changes; }

private:
    int m_changes = 0;
};

#endif // SCRIPTEDTIMELINENOTIFIER_H
