#ifndef ZR_POSITIONINGHANDLER_H
#define ZR_POSITIONINGHANDLER_H

#include <QObject>

namespace ZrMeego {

// On the handset the user had to accept the positioning terms before the first location query,
// and termsRejected() told the program that they had declined. A desktop has no such terms:
// whether a position may be used is settled by the desktop's own location service (geoclue),
// which answers the position source directly. So the terms count as accepted and termsRejected()
// is never emitted; the object exists so the program's wiring stays the same everywhere.
class PositioningHandler : public QObject
{
    Q_OBJECT
public:
    explicit PositioningHandler(QObject *parent = nullptr);
    ~PositioningHandler() override;

    bool termsAccepted() const { return true; }

Q_SIGNALS:
    void termsRejected();
};

} // namespace ZrMeego

#endif // ZR_POSITIONINGHANDLER_H
