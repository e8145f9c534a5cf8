#ifndef AWAITLOGIN_H
#define AWAITLOGIN_H

#include "datahandler.h"
#include "scriptedcontroller.h"

#include <QTimer>
#include <QtTest>

// The first login after a start with an account, without waiting out the start-up delay (the
// session test measures that once).
inline void awaitLogin(ScriptedController &c)
{
    if (QTimer *delay = c.handler()->delayedLoginTimer(); delay && delay->isActive())
        delay->start(0);
    QTRY_COMPARE(c.login()->loginCount(), 1);
}

#endif // AWAITLOGIN_H
