#ifndef ZIRRUP_TESTS_BACKENDPROBE_H
#define ZIRRUP_TESTS_BACKENDPROBE_H

#include "apiclient.h"
#include "zirrup.h"

#include <QObject>
#include <QSignalSpy>

#include <memory>

// The value at a path of list indices and map keys in what a signal carried, e.g. "1/0/id"
// for the id of the first record of the second argument; invalid when the path leads nowhere.
QVariant dig(const QVariant &root, const QString &path);

// A Zr::Zirrup signed in as one sandbox account, and waiting for the end of its requests.
class BackendProbe : public QObject
{
    Q_OBJECT
public:
    // An account without token makes a signed-out backend.
    explicit BackendProbe(const SandboxAccount &account, QObject *parent = nullptr);
    ~BackendProbe() override;

    Zr::Zirrup *backend() const { return m_backend.get(); }
    Zr::Zirrup *operator->() const { return m_backend.get(); }

    // The emission of spy whose last argument is queryId (empty when an error for that id
    // came instead, or nothing came in time; error() then tells).
    QList<QVariant> await(QSignalSpy &spy, int queryId, int timeoutMs = 10000);
    // What that emission carried at path (see dig).
    QVariant await(QSignalSpy &spy, int queryId, const QString &path)
    {
        return dig(await(spy, queryId), path);
    }
    // The networkRequestError for queryId (empty when the request completed or timed out).
    QVariantMap awaitError(int queryId, int timeoutMs = 10000);
    QVariantMap error(int queryId) const;

private:
    std::unique_ptr<Zr::Zirrup> m_backend;
    std::unique_ptr<QSignalSpy> m_errors;
};

#endif // ZIRRUP_TESTS_BACKENDPROBE_H
