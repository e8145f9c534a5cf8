#ifndef ZR_TIMELINENOTIFIER_H
#define ZR_TIMELINENOTIFIER_H

#include <QObject>

namespace ZrPlatform {

// Told whenever the home timeline changed (pages and stream objects).
class ZrTimelineNotifier : public QObject
{
    Q_OBJECT
public:
    explicit ZrTimelineNotifier(QObject *parent = nullptr)
        : QObject(parent)
    { }
    virtual void homeTimelineChanged() = 0;
};

} // namespace ZrPlatform

#endif // ZR_TIMELINENOTIFIER_H
