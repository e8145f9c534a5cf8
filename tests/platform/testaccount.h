#ifndef TESTACCOUNT_H
#define TESTACCOUNT_H

#include "accountstore.h"

#include <QtTest>

#include <optional>

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

#endif // TESTACCOUNT_H
