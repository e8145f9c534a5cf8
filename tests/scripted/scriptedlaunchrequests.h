#ifndef SCRIPTEDLAUNCHREQUESTS_H
#define SCRIPTEDLAUNCHREQUESTS_H

#include "zrlaunchrequests.h"

// Launch requests need nothing scripted: the test emits their signals itself.
using ScriptedLaunchRequests = ZrPlatform::ZrLaunchRequests;

#endif // SCRIPTEDLAUNCHREQUESTS_H
