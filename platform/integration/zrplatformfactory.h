#ifndef ZR_PLATFORMFACTORY_H
#define ZR_PLATFORMFACTORY_H

#include <QObject>

namespace ZrPlatform {

class ZrLoginHandler;
class ZrTimelineNotifier;
class ZrNotificationHandler;
class ZrLaunchRequests;

// Hands out the platform objects; each lives as long as the factory.
class ZrPlatformFactory : public QObject
{
    Q_OBJECT
public:
    explicit ZrPlatformFactory(QObject *parent = nullptr)
        : QObject(parent)
    { }
    virtual ZrLoginHandler *loginHandler() = 0;
    virtual ZrTimelineNotifier *timelineNotifier() = 0;
    virtual ZrNotificationHandler *notificationHandler() = 0;
    virtual ZrLaunchRequests *launchRequests() = 0;
};

} // namespace ZrPlatform

#endif // ZR_PLATFORMFACTORY_H
