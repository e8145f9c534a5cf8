#include "positioninghandler.h"

namespace ZrMeego {

PositioningHandler::PositioningHandler(QObject *parent)
    : QObject(parent)
{ }

PositioningHandler::~PositioningHandler() = default;

} // namespace ZrMeego
