#ifndef ZR_DESKTOPTIMELINENOTIFIER_H
#define ZR_DESKTOPTIMELINENOTIFIER_H

#include "zrtimelinenotifier.h"

#include <QDateTime>

namespace ZrMeego {

// The handset fed an event feed from this; a desktop has none, so the time of the last change
// is only recorded (and announced, for anything in the process that wants it).
class DesktopTimelineNotifier : public ZrPlatform::ZrTimelineNotifier
{
    Q_OBJECT
public:
    explicit DesktopTimelineNotifier(QObject *parent = nullptr);
    ~DesktopTimelineNotifier() override;

    void homeTimelineChanged() override;

    // Invalid until the first change.
    QDateTime lastChange() const { return m_lastChange; }

Q_SIGNALS:
    void changed(const QDateTime &when);

private:
    QDateTime m_lastChange;
};

} // namespace ZrMeego

#endif // ZR_DESKTOPTIMELINENOTIFIER_H
