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

// Compact views for comparisons: a request's arguments as "key=value&...", the values of named
// roles of a row, or of named properties of an object, joined by "|".
QString query(const ScriptedCall &call);
QString fields(const ZirrupModel *model, int row, const QStringList &roles);
QString fields(const QObject *object, const QStringList &properties);

#endif // TIMELINEHARNESS_H
