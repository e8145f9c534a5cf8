#include "oauth.h"

#include <QtTest>

using Zr::OAuth;

class TestOAuth : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void baseStringOfRfcExample();
    void signatureOfRfcExample();
    void headerRoundTrip();
    void baseStringUriNormalisation_data();
    void baseStringUriNormalisation();
    void percentEncoding();
};

// RFC 5849, 3.4.1.1: query, form body and protocol parameters in one base string.
void TestOAuth::baseStringOfRfcExample()
{
    const QUrl url(QStringLiteral("http://example.com/request?b5=%3D%253D&a3=a&c%40=&a2=r%20b"));
    Zr::OAuthParams params = OAuth::formParameters("c2&a3=2+q");
    params += Zr::OAuthParams {{"oauth_consumer_key", "9djdj82h48djs9d2"},
                               {"oauth_token", "kkk9d7dh3k39sjv7"},
                               {"oauth_signature_method", "HMAC-SHA1"},
                               {"oauth_timestamp", "137131201"},
                               {"oauth_nonce", "7d8f3e4a"},
                               {"oauth_signature", "ignored"},
                               {"realm", "Example"}};
    QCOMPARE(
        OAuth::signatureBaseString("POST", url, params),
        QByteArray("POST&http%3A%2F%2Fexample.com%2Frequest&a2%3Dr%2520b%26a3%3D2%2520q"
                   "%26a3%3Da%26b5%3D%253D%25253D%26c%2540%3D%26c2%3D%26oauth_consumer_key"
                   "%3D9djdj82h48djs9d2%26oauth_nonce%3D7d8f3e4a%26oauth_signature_method"
                   "%3DHMAC-SHA1%26oauth_timestamp%3D137131201%26oauth_token%3Dkkk9d7dh3k39sjv7"));
}

// RFC 5849, 1.2: the signed photo request of the worked example.
void TestOAuth::signatureOfRfcExample()
{
    const Zr::OAuthCredentials credentials {"dpf43f3p2l4k3l03", "kd94hf93k423kf44",
                                            "nnch734d00sl2jdk", "pfkkdhi9sl3r4s00"};
    const QUrl url(
        QStringLiteral("http://photos.example.net/photos?file=vacation.jpg&size=original"));
    Zr::OAuthParams protocol {{"oauth_consumer_key", "dpf43f3p2l4k3l03"},
                              {"oauth_token", "nnch734d00sl2jdk"},
                              {"oauth_signature_method", "HMAC-SHA1"},
                              {"oauth_timestamp", "137131202"},
                              {"oauth_nonce", "chapoH"}};
    const QByteArray base = OAuth::signatureBaseString("GET", url, protocol);
    QCOMPARE(OAuth::hmacSha1(base, credentials.consumerSecret, credentials.tokenSecret),
             QByteArray("MdpQcU8iPSUjWoN/UDMsK2sui9I="));
}

// What the client writes, the server parses back and verifies to the same signature.
void TestOAuth::headerRoundTrip()
{
    const Zr::OAuthCredentials credentials {"key", "sec ret&", "tok", "tok/secret"};
    const QUrl url(QStringLiteral("http://127.0.0.1:8123/1/statuses/update.json?x=1"));
    const Zr::OAuthParams body {{"status", QStringLiteral("Grüße & <b> 100%").toUtf8()}};
    const QByteArray header =
        OAuth::authorizationHeader(credentials, "POST", url, body, "n0nce", 1700000000);
    QVERIFY(header.startsWith("OAuth "));

    const QMap<QByteArray, QByteArray> parsed = OAuth::parseAuthorizationHeader(header);
    QCOMPARE(parsed.value("oauth_consumer_key"), QByteArray("key"));
    QCOMPARE(parsed.value("oauth_token"), QByteArray("tok"));
    QCOMPARE(parsed.value("oauth_nonce"), QByteArray("n0nce"));
    QCOMPARE(parsed.value("oauth_timestamp"), QByteArray("1700000000"));

    Zr::OAuthParams serverSide = body;
    for (auto it = parsed.cbegin(); it != parsed.cend(); ++it)
        serverSide.append(Zr::OAuthParam(it.key(), it.value()));
    const QByteArray expected =
        OAuth::hmacSha1(OAuth::signatureBaseString("POST", url, serverSide),
                        credentials.consumerSecret, credentials.tokenSecret);
    QCOMPARE(parsed.value("oauth_signature"), expected);

    // A changed body no longer matches.
    serverSide[0].second = "tampered";
    QVERIFY(OAuth::hmacSha1(OAuth::signatureBaseString("POST", url, serverSide),
                            credentials.consumerSecret, credentials.tokenSecret)
            != expected);

    QVERIFY(OAuth::parseAuthorizationHeader("Basic abc").isEmpty());
    QVERIFY(OAuth::parseAuthorizationHeader("OAuth oauth_token=\"unterminated").isEmpty());
}

void TestOAuth::baseStringUriNormalisation_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("default http port")
        << "HTTP://Example.COM:80/r%20v/X?id=123" << QByteArray("http://example.com/r%20v/X");
    QTest::newRow("default https port")
        << "https://www.example.net:443/?q=1" << QByteArray("https://www.example.net/");
    QTest::newRow("other port") << "http://127.0.0.1:8123/1/help/configuration.json"
                                << QByteArray("http://127.0.0.1:8123/1/help/configuration.json");
    QTest::newRow("no path") << "http://example.com" << QByteArray("http://example.com/");
}

void TestOAuth::baseStringUriNormalisation()
{
    QFETCH(QString, url);
    QFETCH(QByteArray, expected);
    QCOMPARE(OAuth::baseStringUri(QUrl(url)), expected);
}

void TestOAuth::percentEncoding()
{
    QCOMPARE(OAuth::percentEncode("abcXYZ019-._~"), QByteArray("abcXYZ019-._~"));
    QCOMPARE(OAuth::percentEncode("a b+c/d=e&f*"), QByteArray("a%20b%2Bc%2Fd%3De%26f%2A"));
    QCOMPARE(OAuth::percentEncode(QStringLiteral("é").toUtf8()), QByteArray("%C3%A9"));
    QVERIFY(OAuth::newNonce() != OAuth::newNonce());
    QCOMPARE(OAuth::newNonce().size(), 32);
}

QTEST_GUILESS_MAIN(TestOAuth)
#include "tst_oauth.moc"
