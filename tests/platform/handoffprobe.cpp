// A second start of the program, as far as the single-instance check goes: exits 0 when it
// handed its launch mode (and the subject, when one follows it) to a running instance, 3 when it
// would have become the instance.
#include "desktoplaunchrequests.h"
#include "zrfactorymeego.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int launchMode = argc > 1 ? QByteArray(argv[1]).toInt() : 1;
    const QString subject = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    ZrMeego::ZrFactoryMeego factory;
    return ZrMeego::ZrFactoryMeego::handOffToRunningInstance(launchMode, subject) ? 0 : 3;
}
