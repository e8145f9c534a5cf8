// The errors of zirrup-sandbox as the client library reports them.
#include "apiclient.h"
#include "backendprobe.h"
#include "sandboxprocess.h"

#include <QtTest>

using namespace Qt::StringLiterals;

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
    SandboxProcess m_sandbox {{u"--user"_s, u"alice:alice-pw"_s, u"--user"_s, u"bob:bob-pw"_s}};
};

void TestIntegrationErrors::initTestCase()
{
    QVERIFY2(m_sandbox.start(), qPrintable(m_sandbox.errorString()));
    Zr::setServiceUrl(m_sandbox.baseUrl());
}

void TestIntegrationErrors::clockSkew()
{
    // A service whose clock is an hour ahead of this machine's.
    SandboxProcess ahead({u"--clock-offset"_s, u"3600"_s, u"--user"_s, u"carol:carol-pw"_s});
    QVERIFY2(ahead.start(), qPrintable(ahead.errorString()));
    ApiClient client(ahead.baseUrl());
    client.setClockOffset(3600); // the sign-in has to get through
    const SandboxAccount carol = client.signIn(u"carol"_s, u"carol-pw"_s);
    QVERIFY(carol.isValid());

    Zr::setServiceUrl(ahead.baseUrl());
    BackendProbe probe(carol);
    int id = -1;
    probe->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    const QVariantMap error = probe.awaitError(id);
    Zr::setServiceUrl(m_sandbox.baseUrl());
    QVERIFY2(error.value(u"error"_s).toString().startsWith(u"Client time out of sync"_s),
             qPrintable(error.value(u"error"_s).toString()));
    QCOMPARE(error.value(u"http_status"_s).toInt(), 401);
    QCOMPARE(error.value(u"request"_s).toString(), u"/1/account/verify_credentials.json"_s);
}

void TestIntegrationErrors::badAndRevokedTokens()
{
    ApiClient client(m_sandbox.baseUrl());
    SandboxAccount alice = client.signIn(u"alice"_s, u"alice-pw"_s);
    QVERIFY(alice.isValid());

    SandboxAccount forged = alice;
    forged.tokenSecret = "not-the-secret";
    BackendProbe bad(forged);
    int id = -1;
    bad->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QVariantMap error = bad.awaitError(id);
    QCOMPARE(error.value(u"error"_s).toString(), u"Could not authenticate with OAuth."_s);
    QCOMPARE(error.value(u"http_status"_s).toInt(), 401);
    // The stream says so too.
    bad->startStreaming({}, &id);
    error = bad.awaitError(id);
    QCOMPARE(error.value(u"error"_s).toString(), u"Could not authenticate with OAuth."_s);

    BackendProbe good(alice);
    QSignalSpy account(good.backend(), &Zirrup::accountUpdated);
    good->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QVERIFY(!good.await(account, id).isEmpty());
    QCOMPARE(client.post(u"/oauth/invalidate_token"_s).status, 200);
    good->retrieveAccountResources(&id, AccountType::VerifyCredentials, {}, QByteArray());
    QCOMPARE(good.awaitError(id).value(u"error"_s).toString(),
             u"Could not authenticate with OAuth."_s);
}

void TestIntegrationErrors::refusedRequests()
{
    ApiClient aliceClient(m_sandbox.baseUrl());
    ApiClient bobClient(m_sandbox.baseUrl());
    BackendProbe alice(aliceClient.signIn(u"alice"_s, u"alice-pw"_s));
    BackendProbe bob(bobClient.signIn(u"bob"_s, u"bob-pw"_s));
    int id = -1;
    const auto failure = [](BackendProbe &probe, int queryId) {
        const QVariantMap error = probe.awaitError(queryId);
        return u"%1 %2"_s.arg(error.value(u"http_status"_s).toInt())
            .arg(error.value(u"error"_s).toString());
    };

    alice->writeStatus({{u"status"_s, QString(141, QLatin1Char('x'))}}, &id);
    QCOMPARE(failure(alice, id), u"403 Status is over 140 characters."_s);
    QSignalSpy written(alice.backend(), &Zirrup::statusWritten);
    alice->writeStatus({{u"status"_s, u"once"_s}}, &id);
    QVERIFY(!alice.await(written, id).isEmpty());
    alice->writeStatus({{u"status"_s, u"once"_s}}, &id);
    QCOMPARE(failure(alice, id), u"403 Status is a duplicate."_s);

    const QString statusId =
        aliceClient.get(u"/1/statuses/user_timeline.json"_s).at(u"0/id_str"_s).toString();
    bob->deleteStatus({{u"id"_s, statusId}}, &id);
    QCOMPARE(failure(bob, id), u"403 You may not delete another user's status."_s);
    bob->retrieveStatus(nullptr, {{u"id"_s, u"1000000000000099999"_s}}, &id);
    QCOMPARE(failure(bob, id), u"404 Not found"_s);
    bob->writeDirectMessage({{u"screen_name"_s, u"alice"_s}, {u"text"_s, u"hi"_s}}, &id);
    QCOMPARE(failure(bob, id),
             u"403 You cannot send messages to users who are not following you."_s);
    bob->retrieveUserResources(nullptr, &id, UserType::Show, {{u"screen_name"_s, u"nobody"_s}},
                               Zr::CacheThenNetwork);
    QCOMPARE(failure(bob, id), u"404 Not found"_s);
}

QTEST_MAIN(TestIntegrationErrors)
#include "tst_integration_errors.moc"
