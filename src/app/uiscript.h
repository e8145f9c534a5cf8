#ifndef UISCRIPT_H
#define UISCRIPT_H

#include <QObject>
#include <QPointer>
#include <QString>

class QQuickView;

// A QML file run beside the pages, named by ZIRRUP_UI_SCRIPT: it sees the root context (the
// controller and the models) and gets the root window item as its "root" property, so automated
// checks and screenshots can drive the real program. A script that declares a "driver" property
// gets this object there, to type keys into the window as a user would. Nothing happens when the
// variable is unset.
class UiScript : public QObject
{
    Q_OBJECT
public:
    // A key press and release delivered to the window, as the keyboard would deliver them.
    Q_INVOKABLE void keyClick(int key, int modifiers = 0, const QString &text = QString());

    explicit UiScript(QObject *parent = nullptr);
    ~UiScript() override;

    // Loads the script into the view's root context; false (with a warning) when it fails.
    bool load(QQuickView *view, const QString &path);
    QObject *object() const { return m_object; }

    static QString pathFromEnvironment();

private:
    QPointer<QObject> m_object;
    QPointer<QQuickView> m_view;
};

#endif // UISCRIPT_H
