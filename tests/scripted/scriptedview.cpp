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
    QVariant value = rootObject() ? rootObject()->property("calls") : QVariant();
    if (value.userType() == qMetaTypeId<QJSValue>())
        value = value.value<QJSValue>().toVariant(); // converts the arguments too
    for (const QVariant &entry : value.toList()) {
        const QVariantMap map = entry.toMap();
        result.append({map.value(QStringLiteral("name")).toString(),
                       map.value(QStringLiteral("args")).toList()});
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
