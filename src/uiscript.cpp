#include "uiscript.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QUrl>
#include <QtDebug>

UiScript::UiScript(QObject *parent)
    : QObject(parent)
{ }

UiScript::~UiScript()
{
    delete m_object;
}

QString UiScript::pathFromEnvironment()
{
    return qEnvironmentVariable("ZIRRUP_UI_SCRIPT");
}

bool UiScript::load(QQuickView *view, const QString &path)
{
    if (!view || !view->rootObject() || path.isEmpty())
        return false;
    QQmlComponent component(view->engine(), QUrl::fromLocalFile(path));
    if (component.isError()) {
        qWarning().noquote() << "UI script" << path << "failed:" << component.errorString();
        return false;
    }
    QObject *object = component.beginCreate(view->rootContext());
    if (!object) {
        qWarning().noquote() << "UI script" << path << "failed:" << component.errorString();
        return false;
    }
    object->setProperty("root", QVariant::fromValue<QObject *>(view->rootObject()));
    component.completeCreate();
    m_object = object;
    return true;
}
