#include "uiscript.h"

#include <QCoreApplication>
#include <QKeyEvent>
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
    if (object->metaObject()->indexOfProperty("driver") >= 0)
        object->setProperty("driver", QVariant::fromValue<QObject *>(this));
    m_view = view;
    component.completeCreate();
    m_object = object;
    return true;
}

void UiScript::keyClick(int key, int modifiers, const QString &text)
{
    if (!m_view)
        return;
    if (!m_view->isActive())
        m_view->requestActivate();
    const auto keyModifiers = Qt::KeyboardModifiers(modifiers);
    QKeyEvent press(QEvent::KeyPress, key, keyModifiers, text);
    QCoreApplication::sendEvent(m_view, &press);
    QKeyEvent release(QEvent::KeyRelease, key, keyModifiers, text);
    QCoreApplication::sendEvent(m_view, &release);
}
