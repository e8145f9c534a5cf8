#include "awaitlogin.h"
#include "datahandler.h"
#include "jsonrows.h"

#include "scriptedcontroller.h"
#include "scriptedlaunchrequests.h"

#include <QtTest>

namespace {
const QString Data = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/launch.json");

// Each entry: the root function, then its arguments.
QList<QStringList> rootCalls(const ScriptedView &view)
{
    QList<QStringList> result;
    for (const ScriptedView::RootCall &call : view.calls()) {
        QStringList entry {call.name};
        for (const QVariant &argument : call.args)
            entry.append(argument.toString());
        result.append(entry);
    }
    return result;
}

QList<QStringList> expectedCalls(const QVariantMap &row)
{
    QList<QStringList> result;
    for (const QVariant &call : row.value("calls").toList())
        result.append(call.toStringList());
    return result;
}

bool send(QObject *requests, const QVariantMap &row)
{
    const QByteArray name = row.value("request").toString().toLatin1();
    const QStringList a = row.value("args").toStringList();
    if (a.isEmpty())
        return QMetaObject::invokeMethod(requests, name);
    if (a.size() == 1)
        return QMetaObject::invokeMethod(requests, name, Q_ARG(QString, a[0]));
    return QMetaObject::invokeMethod(requests, name, Q_ARG(QString, a[0]), Q_ARG(QString, a[1]));
}
} // namespace

// Launch modes and the requests that arrive while the program runs.
class TestLaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void requests_data() { addJsonRows(Data, "requests"); }
    void requests();
    void launchTargetOpensAfterSignIn_data() { addJsonRows(Data, "afterSignIn"); }
    void launchTargetOpensAfterSignIn();
};

void TestLaunch::requests()
{
    QFETCH(QVariantMap, row);
    const QString state = row["state"].toString();
    ScriptedController c;
    c.start(state != "none");
    if (state == "signedIn") {
        awaitLogin(c);
        c.signIn(QStringLiteral("Alice"));
        c.view().clearCalls();
    }
    // Requests do not touch the launch mode.
    c.handler()->setLaunchMode(6);

    QVERIFY(send(c.factory().requests(), row));
    QCOMPARE(rootCalls(c.view()), expectedCalls(row));
    QCOMPARE(c.handler()->currentUser(), row["user"].toString());
    QCOMPARE(c.handler()->currentTweetId(), row["tweet"].toString());
    QCOMPARE(c.contextProperty("composeview_in_reply_to").toString(), row["replyTo"].toString());
    QCOMPARE(c.handler()->launchMode(), 6);
}

void TestLaunch::launchTargetOpensAfterSignIn()
{
    QFETCH(QVariantMap, row);
    ScriptedController c;
    c.handler()->setLaunchMode(row["mode"].toInt());
    c.start(true);
    QCOMPARE(c.handler()->startView(), row["view"].toString());
    QCOMPARE(c.handler()->startTab(), row["tab"].toString());
    // An account that exists but is switched off counts as none; the tab stays.
    c.login()->setAccountEnabled(false);
    QCOMPARE(c.handler()->startView(), QStringLiteral("SignInView.qml"));
    QCOMPARE(c.handler()->startTab(), row["tab"].toString());
    c.login()->setAccountEnabled(true);
    // The subject comes with a request before sign-in.
    Q_EMIT c.factory().requests()->showProfile(QStringLiteral("@Bob"));
    awaitLogin(c);
    c.signIn(QStringLiteral("Alice"));

    QCOMPARE(rootCalls(c.view()), expectedCalls(row));
    QCOMPARE(c.handler()->currentUser(), row["user"].toString());
    QCOMPARE(c.handler()->authenticatedUser(), QStringLiteral("alice"));
    QCOMPARE(c.handler()->launchMode(), 1);
    QCOMPARE(c.contextProperty("composeview_in_reply_to").toString(), row["replyTo"].toString());
    QCOMPARE(c.contextProperty("messagesview_refresh_after_sending").toBool(),
             row["refreshAfterSending"].toBool());

    // A later sign-in (after an account change) opens the main page.
    c.view().clearCalls();
    c.signIn(QStringLiteral("Alice"));
    QCOMPARE(rootCalls(c.view()), (QList<QStringList> {{"startPage", "MainView.qml"}}));
}

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
