#ifndef ZR_TEST_BACKENDCALL_H
#define ZR_TEST_BACKENDCALL_H

#include "zirrup.h"

#include <QJsonObject>
#include <QMetaMethod>

// Table-driven calls of the client library, so that the tests' cases can be kept as data.

// Calls the backend as the row says ("call", "type", "args", "behavior"); list, if given,
// receives what the call answers at once.
int callBackend(Zr::Zirrup *backend, const QJsonObject &row, int *queryId,
                QVariantList *list = nullptr);

// The signal of the backend the row names as "signal".
QMetaMethod completionOf(const QJsonObject &row);

// A canned answer: the row's JSON with "$status", "$user", "$status:ID" and
// "$statuses:NEWEST-OLDEST" standing for whole records.
QByteArray cannedAnswer(const QJsonValue &value);

// The value at a path of list indexes and map keys, such as "1/0/id".
QVariant valueAt(const QVariant &root, const QString &path);

// Compares each {path: expected} of expect with what root holds there.
void expectValues(const QVariant &root, const QJsonObject &expect);

#endif // ZR_TEST_BACKENDCALL_H
