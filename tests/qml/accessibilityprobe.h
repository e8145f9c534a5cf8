#ifndef ACCESSIBILITYPROBE_H
#define ACCESSIBILITYPROBE_H

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QObject>
#include <QVariantMap>

// What a screen reader learns about an item, read through Qt's accessibility interface (the
// same one the platform's accessibility bridge uses). Published to the QML tests as
// "accessibility".
class AccessibilityProbe : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // {"name", "role" (QAccessible::Role as an int), "checked"}; an empty map when the item has no
    // accessible interface.
    Q_INVOKABLE QVariantMap describe(QObject *item) const
    {
        QAccessibleInterface *interface =
            item ? QAccessible::queryAccessibleInterface(item) : nullptr;
        if (!interface || !interface->isValid())
            return {};
        return {{QStringLiteral("name"), interface->text(QAccessible::Name)},
                {QStringLiteral("role"), int(interface->role())},
                {QStringLiteral("checked"), bool(interface->state().checked)}};
    }

    // Runs the accessible press action, as a screen reader's "activate" does.
    Q_INVOKABLE bool press(QObject *item) const
    {
        QAccessibleInterface *interface =
            item ? QAccessible::queryAccessibleInterface(item) : nullptr;
        QAccessibleActionInterface *action = interface ? interface->actionInterface() : nullptr;
        if (!action || !action->actionNames().contains(QAccessibleActionInterface::pressAction()))
            return false;
        action->doAction(QAccessibleActionInterface::pressAction());
        return true;
    }
};

#endif // ACCESSIBILITYPROBE_H
