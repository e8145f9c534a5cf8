#include "oauth.h"
#include "testsupport.h"

#include <QMessageAuthenticationCode>
#include <QtTest>

using Zr::OAuth;

class TestOAuth : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signatureFollowsBaseString_data() { addJsonRows("oauth"); }
    // Each row names the base string RFC 5849 gives for a request; the signature must be the
    // HMAC-SHA1 of exactly that text.
    void signatureFollowsBaseString()
    {
        QFETCH(const QJsonObject, row);
        const Zr::OAuthParams protocol {{"oauth_consumer_key", "9djdj82h48djs9d2"},
                                        {"oauth_token", "kkk9d7dh3k39sjv7"},
                                        {"oauth_signature_method", "HMAC-SHA1"},
                                        {"oauth_timestamp", "137131201"},
                                        {"oauth_nonce", "7d8f3e4a"},
                                        {"oauth_signature", "ignored"}};
        const QByteArray expected =
            QMessageAuthenticationCode::hash(row["baseString"].toString().toLatin1(), "c%26s&t%20s",
                                             QCryptographicHash::Sha1)
                .toBase64();
        if (row.contains("expectFail"))
            QEXPECT_FAIL("", qPrintable(row["expectFail"].toString()), Continue);
        QCOMPARE(OAuth::signature(row["method"].toString().toLatin1(), QUrl(row["url"].toString()),
                                  OAuth::formParameters(row["body"].toString().toLatin1())
                                      + (row["protocol"].toBool() ? protocol : Zr::OAuthParams()),
                                  "c&s", "t s"),
                 expected);
    }

    // RFC 5849, 1.2: the signed photo request of the worked example, through the header the
    // client sends and the parameters the service reads back from it.
    void headerRoundTrip()
    {
        const Zr::OAuthCredentials credentials {"dpf43f3p2l4k3l03", "kd94hf93k423kf44",
                                                "nnch734d00sl2jdk", "pfkkdhi9sl3r4s00"};
        const QUrl url(
            QStringLiteral("http://photos.example.net/photos?file=vacation.jpg&size=original"));
        const QByteArray header =
            OAuth::authorizationHeader(credentials, "GET", url, {}, "chapoH", 137131202);
        QVERIFY(header.startsWith("OAuth "));
        QMap<QByteArray, QByteArray> parsed =
            OAuth::parseAuthorizationHeader(header + ", realm=\"Photos\"");
        // The example predates oauth_version, which the client sends.
        QCOMPARE(parsed.take("oauth_version"), QByteArray("1.0"));
        QCOMPARE(parsed.keys(),
                 QByteArrayList({"oauth_consumer_key", "oauth_nonce", "oauth_signature",
                                 "oauth_signature_method", "oauth_timestamp", "oauth_token"}));
        Zr::OAuthParams serverSide;
        for (auto it = parsed.cbegin(); it != parsed.cend(); ++it)
            serverSide.append({it.key(), it.value()});
        QCOMPARE(OAuth::signature("GET", url, serverSide, credentials.consumerSecret,
                                  credentials.tokenSecret),
                 QByteArray("MdpQcU8iPSUjWoN/UDMsK2sui9I="));

        QVERIFY(OAuth::parseAuthorizationHeader("Basic abc").isEmpty());
        QVERIFY(OAuth::parseAuthorizationHeader("OAuth oauth_token=\"unterminated").isEmpty());
    }

    // The client writes what a form reading and a plain percent-decoding agree on.
    void formEncoding()
    {
        const Zr::OAuthParams pairs {{"q", QStringLiteral("c++ & a b=é*~").toUtf8()}, {"e", ""}};
        const QByteArray encoded = OAuth::formEncode(pairs);
        QCOMPARE(encoded, QByteArray("q=c%2B%2B%20%26%20a%20b%3D%C3%A9%2A~&e="));
        QCOMPARE(OAuth::formParameters(encoded), pairs);
        QCOMPARE(OAuth::queryParameters(QUrl("http://h/?" + encoded)), pairs);
        QCOMPARE(OAuth::queryParameters(QUrl(QStringLiteral("http://h/?q=a+b%2bc&&k"))),
                 (Zr::OAuthParams {{"q", "a b+c"}, {"k", ""}}));
        QVERIFY(OAuth::newNonce() != OAuth::newNonce());
    }
};

QTEST_GUILESS_MAIN(TestOAuth)
#include "tst_oauth.moc"
