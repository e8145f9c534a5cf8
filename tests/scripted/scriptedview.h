#ifndef SCRIPTEDVIEW_H
#define SCRIPTEDVIEW_H

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

    // Loads the scripted root page; true when it loaded.
    bool loadRoot();

    QList<RootCall> calls() const;
    QStringList callNames() const;
    int callCount(const QString &name) const { return callNames().count(name); }
    // Arguments of the newest call of that name (empty when none).
    QVariantList lastArguments(const QString &name) const;
    void clearCalls();
    // Adds an empty item with that object name under the root.
    QQuickItem *addItem(const QString &objectName);
};

#endif // SCRIPTEDVIEW_H
