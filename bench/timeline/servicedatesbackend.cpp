#include "servicedatesbackend.h"

QDateTime ServiceDatesBackend::convertDateTime(const QString &serviceDate, bool searchForm) const
{
    return Zr::Zirrup::convertDateTime(serviceDate, searchForm);
}
