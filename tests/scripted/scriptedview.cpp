#include "scriptedview.h"

#include <QJSValue>
#include <QQuickItem>

bool ScriptedView::loadRoot()
{
    setSource(QUrl(QStringLiteral("qrc:/scripted/ScriptedRoot.qml")));
    return status() == QQuickView::Ready && rootObject();
}

QList<ScriptedView::RootCall> ScriptedView::calls() const
{
    QList<RootCall> result;
    if (!rootObject())
        return result;
    QVariant value = rootObject()->property("calls");
    if (value.userType() == qMetaTypeId<QJSValue>())
        value = value.value<QJSValue>().toVariant();
    const QVariantList entries = value.toList();
    for (const QVariant &entry : entries) {
        const QVariantMap map = entry.toMap();
        QVariant args = map.value(QStringLiteral("args"));
        if (args.userType() == qMetaTypeId<QJSValue>())
            args = args.value<QJSValue>().toVariant();
        result.append({map.value(QStringLiteral("name")).toString(), args.toList()});
    }
    return result;
}

QStringList ScriptedView::callNames() const
{
    QStringList names;
    const QList<RootCall> all = calls();
    for (const RootCall &call : all)
        names.append(call.name);
    return names;
}

QVariantList ScriptedView::lastArguments(const QString &name) const
{
    const QList<RootCall> all = calls();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (it->name == name)
            return it->args;
    }
    return QVariantList();
}

void ScriptedView::clearCalls()
{
    if (rootObject())
        QMetaObject::invokeMethod(rootObject(), "clearCalls");
}

QQuickItem *ScriptedView::addItem(const QString &objectName)
{
    if (!rootObject())
        return nullptr;
    QVariant item;
    QMetaObject::invokeMethod(rootObject(), "addItem", Q_RETURN_ARG(QVariant, item),
                              Q_ARG(QVariant, objectName));
    return qobject_cast<QQuickItem *>(item.value<QObject *>());
}
