#ifndef PLATFORMTEST_H
#define PLATFORMTEST_H

#include "accountstore.h"
#include "zrlaunchrequests.h"

#include <QtTest>

#include <memory>
#include <optional>
#include <vector>

// A complete account; the token secret has characters that signing must escape.
inline ZrMeego::Account testAccount(const QUrl &url = QUrl(QStringLiteral("http://127.0.0.1:8123")),
                                    const QString &userId = QStringLiteral("1843"),
                                    const QString &token = QStringLiteral("1843-token"))
{
    ZrMeego::Account account;
    account.serviceUrl = url;
    account.userId = userId;
    account.screenName = QStringLiteral("demo");
    account.token = token;
    account.tokenSecret = QStringLiteral("token secret/with+odd&chars");
    account.consumerKey = QStringLiteral("consumer-key");
    account.consumerSecret = QStringLiteral("consumer-secret");
    return account;
}

// What an account says, in one list to compare at once.
inline QStringList fields(const ZrMeego::Account &account)
{
    return {account.serviceUrl.toString(),
            account.userId,
            account.screenName,
            account.token,
            account.tokenSecret,
            account.consumerKey,
            account.consumerSecret,
            account.enabled ? "enabled" : "disabled"};
}

// The account with its token pair, as the store answers later (never during the call).
inline std::optional<ZrMeego::Account> readWithTokens(ZrMeego::AccountStore &store)
{
    std::optional<std::optional<ZrMeego::Account>> result;
    store.readAccountWithTokens(&store,
                                [&](std::optional<ZrMeego::Account> account) { result = account; });
    if (result)
        qFatal("answered during the call");
    return QTest::qWaitFor([&] { return result.has_value(); }, 10000) ? *result : std::nullopt;
}

inline QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every launch request an object emits, as "signal argument ...", in the order of the signals'
// declaration (one request rarely emits more than one).
class LaunchRecorder
{
public:
    explicit LaunchRecorder(QObject *requests)
    {
        const QMetaObject &meta = ZrPlatform::ZrLaunchRequests::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                m_spies.emplace_back(std::make_unique<QSignalSpy>(requests, meta.method(i)));
        }
    }

    QStringList take()
    {
        QStringList taken;
        for (const auto &spy : m_spies) {
            for (const QList<QVariant> &arguments : std::as_const(*spy)) {
                QStringList entry {QString::fromLatin1(spy->signal()).section('(', 0, 0)};
                for (const QVariant &argument : arguments)
                    entry.append(argument.toString());
                taken.append(entry.join(QLatin1Char(' ')).trimmed());
            }
            spy->clear();
        }
        return taken;
    }

private:
    std::vector<std::unique_ptr<QSignalSpy>> m_spies;
};

#endif // PLATFORMTEST_H
