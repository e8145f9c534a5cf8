#ifndef SERVICEDATESBACKEND_H
#define SERVICEDATESBACKEND_H

#include "scriptedbackend.h"

// The scripted backend, reading service dates with the client library's own parser: the
// scripted one goes through QLocale, which costs several times more and would be measured as
// the adapter's time.
class ServiceDatesBackend : public ScriptedBackend
{
    Q_OBJECT

public:
    using ScriptedBackend::ScriptedBackend;

    QDateTime convertDateTime(const QString &serviceDate, bool searchForm) const override;
};

#endif // SERVICEDATESBACKEND_H
