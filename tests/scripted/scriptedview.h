#ifndef SCRIPTEDVIEW_H
#define SCRIPTEDVIEW_H

#include <QJSValue>
#include <QQuickItem>
#include <QQuickView>
#include <QVariantList>

// A view showing the scripted root page, which records every root function the controller
// calls. The controller is given this view (and its root context) in place of the program's.
class ScriptedView : public QQuickView
{
    Q_OBJECT

public:
    struct RootCall
    {
        QString name;
        QVariantList args;
    };

    explicit ScriptedView(QWindow *parent = nullptr)
        : QQuickView(parent)
    {
        setResizeMode(QQuickView::SizeRootObjectToView);
    }

    void loadRoot() { setSource(QUrl(QStringLiteral("qrc:/scripted/ScriptedRoot.qml"))); }

    QList<RootCall> calls() const
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
    QStringList callNames() const
    {
        QStringList names;
        for (const RootCall &call : calls())
            names.append(call.name);
        return names;
    }
    int callCount(const QString &name) const { return callNames().count(name); }
    // Arguments of the newest call of that name (empty when none).
    QVariantList lastArguments(const QString &name) const
    {
        const QList<RootCall> all = calls();
        for (auto it = all.crbegin(); it != all.crend(); ++it) {
            if (it->name == name)
                return it->args;
        }
        return QVariantList();
    }
    void clearCalls()
    {
        if (rootObject())
            QMetaObject::invokeMethod(rootObject(), "clearCalls");
    }
};

#endif // SCRIPTEDVIEW_H
