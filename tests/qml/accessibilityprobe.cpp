#include "accessibilityprobe.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

QVariantMap AccessibilityProbe::describe(QObject *item) const
{
    QAccessibleInterface *interface = item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    if (!interface || !interface->isValid())
        return {};
    QVariantMap result;
    result.insert(QStringLiteral("name"), interface->text(QAccessible::Name));
    result.insert(QStringLiteral("role"), int(interface->role()));
    result.insert(QStringLiteral("checked"), bool(interface->state().checked));
    return result;
}

bool AccessibilityProbe::press(QObject *item) const
{
    QAccessibleInterface *interface = item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    QAccessibleActionInterface *action = interface ? interface->actionInterface() : nullptr;
    if (!action || !action->actionNames().contains(QAccessibleActionInterface::pressAction()))
        return false;
    action->doAction(QAccessibleActionInterface::pressAction());
    return true;
}
