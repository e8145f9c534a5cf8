// The errors of zirrup-sandbox as the client library reports them.
#include "apiclient.h"
#include "backendprobe.h"
#include "sandboxprocess.h"

#include <QtTest>

using Zr::Zirrup;

class TestIntegrationErrors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void clockSkew();
    void badAndRevokedTokens();
    void refusedRequests();

private:
    SandboxProcess m_sandbox {{QStringLiteral("--user"), QStringLiteral("alice:alice-pw"),
                               QStringLiteral("--user"), QStringLiteral("bob:bob-pw")}};
};

void TestIntegrationErrors::initTestCase()
{
    QVERIFY2(m_sandbox.start(), qPrintable(m_sandbox.errorString()));
    Zr::setServiceUrl(m_sandbox.baseUrl());
}

void TestIntegrationErrors::clockSkew()
{
    // A service whose clock is an hour ahead of this machine's.
    SandboxProcess ahead({QStringLiteral("--clock-offset"), QStringLiteral("3600"),
                          QStringLiteral("--user"), QStringLiteral("carol:carol-pw")});
    QVERIFY2(ahead.start(), qPrintable(ahead.errorString()));
    ApiClient client(ahead.baseUrl());
    client.setClockOffset(3600); // the sign-in has to get through
    const SandboxAccount carol = client.signIn(QStringLiteral("carol"), QStringLiteral("carol-pw"));
    QVERIFY(carol.isValid());

    Zr::setServiceUrl(ahead.baseUrl());
    BackendProbe probe(carol);
    int id = -1;
    probe->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    const QVariantMap error = probe.awaitError(id);
    Zr::setServiceUrl(m_sandbox.baseUrl());
    QVERIFY2(error.value(QStringLiteral("error"))
                 .toString()
                 .startsWith(QStringLiteral("Client time out of sync")),
             qPrintable(error.value(QStringLiteral("error")).toString()));
    QCOMPARE(error.value(QStringLiteral("http_status")).toInt(), 401);
    QCOMPARE(error.value(QStringLiteral("request")).toString(),
             QStringLiteral("/1/account/verify_credentials.json"));
}

void TestIntegrationErrors::badAndRevokedTokens()
{
    ApiClient client(m_sandbox.baseUrl());
    SandboxAccount alice = client.signIn(QStringLiteral("alice"), QStringLiteral("alice-pw"));
    QVERIFY(alice.isValid());

    SandboxAccount forged = alice;
    forged.tokenSecret = "not-the-secret";
    BackendProbe bad(forged);
    int id = -1;
    bad->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QVariantMap error = bad.awaitError(id);
    QCOMPARE(error.value(QStringLiteral("error")).toString(),
             QStringLiteral("Could not authenticate with OAuth."));
    QCOMPARE(error.value(QStringLiteral("http_status")).toInt(), 401);
    // The stream says so too.
    bad->startStreaming({}, &id);
    error = bad.awaitError(id);
    QCOMPARE(error.value(QStringLiteral("error")).toString(),
             QStringLiteral("Could not authenticate with OAuth."));

    BackendProbe good(alice);
    QSignalSpy account(good.backend(), &Zirrup::accountUpdated);
    good->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QVERIFY(!good.await(account, id).isEmpty());
    QCOMPARE(client.post(QStringLiteral("/oauth/invalidate_token")).status, 200);
    good->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QCOMPARE(good.awaitError(id).value(QStringLiteral("error")).toString(),
             QStringLiteral("Could not authenticate with OAuth."));
}

void TestIntegrationErrors::refusedRequests()
{
    ApiClient aliceClient(m_sandbox.baseUrl());
    ApiClient bobClient(m_sandbox.baseUrl());
    BackendProbe alice(aliceClient.signIn(QStringLiteral("alice"), QStringLiteral("alice-pw")));
    BackendProbe bob(bobClient.signIn(QStringLiteral("bob"), QStringLiteral("bob-pw")));
    int id = -1;
    const auto failure = [](BackendProbe &probe, int queryId) {
        const QVariantMap error = probe.awaitError(queryId);
        return QStringLiteral("%1 %2")
            .arg(error.value(QStringLiteral("http_status")).toInt())
            .arg(error.value(QStringLiteral("error")).toString());
    };

    alice->writeStatus({{QStringLiteral("status"), QString(141, QLatin1Char('x'))}}, &id);
    QCOMPARE(failure(alice, id), QStringLiteral("403 Status is over 140 characters."));
    QSignalSpy written(alice.backend(), &Zirrup::statusWritten);
    alice->writeStatus({{QStringLiteral("status"), QStringLiteral("once")}}, &id);
    QVERIFY(!alice.await(written, id).isEmpty());
    alice->writeStatus({{QStringLiteral("status"), QStringLiteral("once")}}, &id);
    QCOMPARE(failure(alice, id), QStringLiteral("403 Status is a duplicate."));

    const QString statusId = aliceClient.get(QStringLiteral("/1/statuses/user_timeline.json"))
                                 .array()
                                 .first()
                                 .toObject()
                                 .value(QStringLiteral("id_str"))
                                 .toString();
    bob->deleteStatus({{QStringLiteral("id"), statusId}}, &id);
    QCOMPARE(failure(bob, id), QStringLiteral("403 You may not delete another user's status."));
    bob->retrieveStatus(nullptr, {{QStringLiteral("id"), QStringLiteral("1000000000000099999")}},
                        &id);
    QCOMPARE(failure(bob, id), QStringLiteral("404 Not found"));
    bob->writeDirectMessage({{QStringLiteral("screen_name"), QStringLiteral("alice")},
                             {QStringLiteral("text"), QStringLiteral("hi")}},
                            &id);
    QCOMPARE(failure(bob, id),
             QStringLiteral("403 You cannot send messages to users who are not following you."));
    bob->retrieveUserResources(nullptr, &id, UserType::Show,
                               {{QStringLiteral("screen_name"), QStringLiteral("nobody")}},
                               Zr::CacheThenNetwork);
    QCOMPARE(failure(bob, id), QStringLiteral("404 Not found"));
}

QTEST_MAIN(TestIntegrationErrors)
#include "tst_integration_errors.moc"
