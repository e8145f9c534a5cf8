// OAuth 1.0a between zirrup-sandbox, the client library's signing and a second, independent
// implementation (Python's oauthlib, run from tests/sandbox/oauthlib_client.py); the cases are
// in interop.json.
#include "apiclient.h"
#include "jsonrows.h"
#include "oauth.h"
#include "sandboxserver.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

static const QString cases = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/interop.json");

static const QString script = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/oauthlib_client.py");

static Zr::OAuthParams pairs(const QVariant &list)
{
    Zr::OAuthParams out;
    for (const QVariant &pair : list.toList())
        out.append(
            {pair.toList().at(0).toString().toUtf8(), pair.toList().at(1).toString().toUtf8()});
    return out;
}

class TestSandboxInterop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        for (const QString &python :
             {qEnvironmentVariable("ZIRRUP_PYTHON"), u"python3"_s, u"/usr/bin/python3"_s}) {
            m_python = python;
            if (!python.isEmpty() && runScript({u"check"_s}) == 0)
                return;
        }
        QSKIP("No Python 3 with oauthlib (Debian: python3-oauthlib, or set ZIRRUP_PYTHON): "
              "interoperability not checked");
    }
    // Requests as an ordinary client writes them, signed by oauthlib and sent byte for byte.
    void serviceAcceptsOauthlib_data() { addJsonRows(cases, u"serviceAccepts"_s); }
    void serviceAcceptsOauthlib()
    {
        QFETCH(QVariantMap, row);
        SandboxServer server;
        SandboxOptions options;
        options.memory = true;
        options.port = 0;
        options.users = {{u"erin"_s, u"erin-pw"_s}};
        QString error;
        QVERIFY2(server.start(options, &error), qPrintable(error));
        ApiClient erin(QUrl(server.baseUrl()));
        const SandboxAccount account = erin.signIn(u"erin"_s, u"erin-pw"_s);
        QCOMPARE(
            erin.post(u"/1/statuses/update.json"_s, {{u"status"_s, u"Löyly in the Qt sauna"_s}})
                .status,
            200);

        const bool withToken = row[u"withToken"_s].toBool();
        QByteArray output;
        QCOMPARE(
            runScript({u"send"_s, row[u"method"_s].toString(),
                       server.baseUrl() + row[u"target"_s].toString(), row[u"body"_s].toString(),
                       QStringLiteral(ZIRRUP_CONSUMER_KEY), QStringLiteral(ZIRRUP_CONSUMER_SECRET),
                       withToken ? QString::fromLatin1(account.token) : QString(),
                       withToken ? QString::fromLatin1(account.tokenSecret) : QString()},
                      &output),
            0);
        ApiResponse answer;
        answer.status = output.left(output.indexOf('\n')).toInt();
        answer.body = output.mid(output.indexOf('\n') + 1);
        QVERIFY2(answer.status == row[u"status"_s].toInt(), answer.body.constData());
        QCOMPARE(answer.at(row[u"path"_s].toString()).toString(), row[u"value"_s].toString());
    }
    // What the client library signs, checked by oauthlib.
    void oauthlibAcceptsClient_data() { addJsonRows(cases, u"oauthlibAccepts"_s); }
    void oauthlibAcceptsClient()
    {
        QFETCH(QVariantMap, row);
        const QByteArray method = row[u"method"_s].toString().toLatin1();
        const QByteArray token = row[u"token"_s].toString().toLatin1();
        // Secrets with characters that need encoding in the key.
        const Zr::OAuthCredentials credentials {"key", "c&s ecr\xc3\xa9t", token,
                                                token.isEmpty() ? QByteArray() : "t+s/e=c"};
        QUrl url(u"http://127.0.0.1:8123/1/statuses/update.json"_s);
        if (row.contains(u"query"_s))
            url.setQuery(QString::fromLatin1(Zr::OAuth::formEncode(pairs(row[u"query"_s]))));
        const QByteArray header =
            Zr::OAuth::authorizationHeader(credentials, method, url, pairs(row[u"signedBody"_s]));

        QByteArray output;
        QCOMPARE(
            runScript({u"verify"_s, QString::fromLatin1(method),
                       QString::fromLatin1(url.toEncoded()),
                       QString::fromLatin1(Zr::OAuth::formEncode(pairs(row[u"sentBody"_s]))),
                       QString::fromLatin1(header), QString::fromUtf8(credentials.consumerSecret),
                       QString::fromUtf8(credentials.tokenSecret)},
                      &output),
            0);
        QCOMPARE(output.trimmed(), row[u"verdict"_s].toString().toLatin1());
    }

private:
    // The script's exit code and standard output; -1 when it did not run.
    int runScript(const QStringList &arguments, QByteArray *output = nullptr)
    {
        // Asynchronous, so the in-process service answers the script meanwhile.
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(m_python, QStringList {script} + arguments);
        if (!process.waitForStarted(10000) || !finished.wait(30000))
            return -1;
        if (output)
            *output = process.readAllStandardOutput();
        const QByteArray errors = process.readAllStandardError();
        if (!errors.isEmpty())
            qWarning("%s", errors.constData());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString m_python;
};

QTEST_GUILESS_MAIN(TestSandboxInterop)
#include "tst_sandbox_interop.moc"
