#include "zirrupmessageitem.h"

ZirrupMessageItem::ZirrupMessageItem() = default;

bool ZirrupMessageItem::operator<(const QStandardItem &other) const
{
    const QString mine = data(IdRole).toString();
    const QString theirs = other.data(IdRole).toString();
    if (mine.size() != theirs.size())
        return mine.size() < theirs.size();
    return mine < theirs;
}
