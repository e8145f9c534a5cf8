#include "backendprobe.h"

#include <QtTest>

QVariant dig(const QVariant &root, const QString &path)
{
    QVariant value = root;
    const QStringList steps = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        if (value.metaType() == QMetaType::fromType<Zr::ArgMap>())
            value = value.value<Zr::ArgMap>().value(step);
        else if (value.metaType() == QMetaType::fromType<QVariantMap>())
            value = value.toMap().value(step);
        else if (value.metaType() == QMetaType::fromType<QVariantList>()
                 || value.metaType() == QMetaType::fromType<QStringList>())
            value = value.toList().value(step.toInt());
        else
            return {};
    }
    return value;
}

BackendProbe::BackendProbe(const SandboxAccount &account, QObject *parent)
    : QObject(parent)
    , m_backend(std::make_unique<Zr::Zirrup>(
          QString::fromLatin1(account.token), QString::fromLatin1(account.tokenSecret),
          account.userId, account.screenName,
          account.isValid() ? QStringLiteral(ZIRRUP_CONSUMER_KEY) : QString(),
          account.isValid() ? QStringLiteral(ZIRRUP_CONSUMER_SECRET) : QString()))
{
    m_backend->init();
    m_errors = std::make_unique<QSignalSpy>(m_backend.get(), &Zr::Zirrup::networkRequestError);
}

BackendProbe::~BackendProbe() = default;

QVariantMap BackendProbe::error(int queryId) const
{
    for (const QList<QVariant> &emission : std::as_const(*m_errors)) {
        if (emission.at(0).toInt() == queryId)
            return emission.at(1).toMap();
    }
    return {};
}

QList<QVariant> BackendProbe::await(QSignalSpy &spy, int queryId, int timeoutMs)
{
    QList<QVariant> found;
    const auto done = [&] {
        for (const QList<QVariant> &emission : std::as_const(spy)) {
            if (emission.last().toInt() == queryId) {
                found = emission;
                return true;
            }
        }
        return !error(queryId).isEmpty();
    };
    if (!QTest::qWaitFor(done, timeoutMs))
        qWarning("no answer for query %d", queryId);
    else if (found.isEmpty())
        qWarning("query %d failed: %s", queryId,
                 qPrintable(error(queryId).value(QStringLiteral("error")).toString()));
    return found;
}

QVariantMap BackendProbe::awaitError(int queryId, int timeoutMs)
{
    if (!QTest::qWaitFor([&] { return !error(queryId).isEmpty(); }, timeoutMs))
        qWarning("no error for query %d", queryId);
    return error(queryId);
}
