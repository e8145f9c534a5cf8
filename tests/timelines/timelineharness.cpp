#include "timelineharness.h"

#include "datahandler.h"
#include "fixturefile.h"
#include "zirrupmodel.h"

#include <QStandardItem>
#include <QtTest>

TimelineHarness::TimelineHarness()
{
    m_controller.startSignedIn();
}

TimelineView *TimelineHarness::view() const
{
    return handler()->timelineView();
}

bool TimelineHarness::flag(const char *name) const
{
    return m_controller.contextProperty(QLatin1String(name)).toBool();
}

QString TimelineHarness::text(const char *name) const
{
    return m_controller.contextProperty(QLatin1String(name)).toString();
}

ScriptedCall TimelineHarness::lastTimelineCall(int type) const
{
    return backend()->lastCall(QStringLiteral("retrieveTimelineResources"), type);
}

QStringList TimelineHarness::column(const ZirrupModel *model, int role)
{
    QStringList values;
    for (int row = 0; row < model->rowCount(); ++row)
        values.append(model->item(row)->data(role).toString());
    return values;
}

QString query(const ScriptedCall &call)
{
    QStringList parts;
    for (auto it = call.args.cbegin(); it != call.args.cend(); ++it)
        parts.append(it.key() + QLatin1Char('=') + it.value());
    return parts.join(QLatin1Char('&'));
}

QString fields(const ZirrupModel *model, int row, const QStringList &roles)
{
    const QVariantMap values = model->get(row);
    QStringList parts;
    for (const QString &role : roles)
        parts.append(values.value(role).toString());
    return parts.join(QLatin1Char('|'));
}

QString fields(const QObject *object, const QStringList &properties)
{
    QStringList parts;
    for (const QString &name : properties)
        parts.append(object->property(name.toLatin1()).toString());
    return parts.join(QLatin1Char('|'));
}

QVariant TimelineHarness::fixture(const QString &fileName)
{
    return fixtureFile(fileName);
}

QVariantList TimelineHarness::page(const QString &fileName)
{
    return fixture(fileName).toList();
}

QVariantMap TimelineHarness::streamObject(const QString &name)
{
    return fixture(QStringLiteral("stream_objects.json")).toMap().value(name).toMap();
}

QVariantList TimelineHarness::statuses(qint64 newestId, int count)
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
