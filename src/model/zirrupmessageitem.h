#ifndef ZIRRUPMESSAGEITEM_H
#define ZIRRUPMESSAGEITEM_H

#include <QStandardItem>

// A direct-message row. Rows sort by the numeric message id held under Qt::UserRole + 8; ids
// exceed 32 bits, so they are compared as decimal strings: the shorter one is the smaller.
class ZirrupMessageItem : public QStandardItem
{
public:
    static constexpr int IdRole = Qt::UserRole + 8;

    ZirrupMessageItem();

    bool operator<(const QStandardItem &other) const override;
};

#endif // ZIRRUPMESSAGEITEM_H
