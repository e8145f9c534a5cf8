#include "scriptedlaunchrequests.h"

ScriptedLaunchRequests::ScriptedLaunchRequests(QObject *parent)
    : ZrPlatform::ZrLaunchRequests(parent)
{ }
