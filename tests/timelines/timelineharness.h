#ifndef TIMELINEHARNESS_H
#define TIMELINEHARNESS_H

#include "scriptedcontroller.h"
#include "timelineview.h"

#include <QStringList>
#include <QVariantList>

class DataHandler;
class ZirrupModel;

// A controller signed in as "Alice" on the scripted backend, with the timeline fixtures (status
// records, a search answer and stream objects in the service's JSON, decoded as the backend
// decodes them).
class TimelineHarness
{
public:
    TimelineHarness();

    ScriptedController &controller() { return m_controller; }
    DataHandler *handler() const { return m_controller.handler(); }
    TimelineView *view() const;
    ScriptedBackend *backend() const { return m_controller.backend(); }
    bool flag(const char *name) const;
    QString text(const char *name) const;

    // The newest timeline request of that type.
    ScriptedCall lastTimelineCall(int type) const;
    // The values of one role in row order.
    static QStringList column(const ZirrupModel *model, int role = TimelineView::TweetIdRole);

    static QVariant fixture(const QString &fileName);
    static QVariantList page(const QString &fileName);
    static QVariantMap streamObject(const QString &name);
    // count plain statuses of bob's with consecutive ids from newestId down.
    static QVariantList statuses(qint64 newestId, int count);

private:
    ScriptedController m_controller;
};

#endif // TIMELINEHARNESS_H
