#include "qmltestsetup.h"

#include <QtQuickTest>

QUICK_TEST_MAIN_WITH_SETUP(zirrup_qml, QmlTestSetup)
