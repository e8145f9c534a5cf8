#ifndef SCRIPTEDLAUNCHREQUESTS_H
#define SCRIPTEDLAUNCHREQUESTS_H

#include "zrlaunchrequests.h"

// A launch-request object whose signals the test emits.
class ScriptedLaunchRequests : public ZrPlatform::ZrLaunchRequests
{
    Q_OBJECT

public:
    explicit ScriptedLaunchRequests(QObject *parent = nullptr);
};

#endif // SCRIPTEDLAUNCHREQUESTS_H
