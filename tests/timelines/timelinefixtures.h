#ifndef TIMELINEFIXTURES_H
#define TIMELINEFIXTURES_H

#include "scriptedsession.h"
#include "timelineview.h"

// Tests on a signed-in controller with the timeline fixtures: status records, a search answer and
// stream objects in the service's JSON, decoded as the backend decodes them.
class TimelineSession : public ScriptedSession
{
protected:
    TimelineView *view() const { return h->timelineView(); }
    // The newest timeline request of that type.
    ScriptedCall lastTimelineCall(int type) const
    {
        return b->lastCall(QStringLiteral("retrieveTimelineResources"), type);
    }
    void stream(StreamObjectType::StreamObjectType type, const QString &name)
    {
        Q_EMIT b->streamObject(type, {streamObject(name)});
    }

    static QVariantList page(const QString &fileName) { return fixtureFile(fileName).toList(); }
    static QVariantMap streamObject(const QString &name)
    {
        return fixtureFile(QStringLiteral("stream_objects.json")).toMap().value(name).toMap();
    }
    // count plain statuses of bob's with consecutive ids from newestId down.
    static QVariantList statuses(qint64 newestId, int count)
    {
        const QVariantMap model = page(QStringLiteral("home_single.json")).constFirst().toMap();
        QVariantList records;
        for (int i = 0; i < count; ++i) {
            QVariantMap record = model;
            const QString id = QString::number(newestId - i);
            record.insert(QStringLiteral("id"), id);
            record.insert(QStringLiteral("id_str"), id);
            records.append(record);
        }
        return records;
    }
};

#endif // TIMELINEFIXTURES_H
