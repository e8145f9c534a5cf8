#include "datahandler.h"

#include "scriptedcontroller.h"
#include "scriptedlaunchrequests.h"

#include <QtTest>

namespace {
using Calls = QList<QStringList>; // each: the root function, then its arguments

const QString Main = QStringLiteral("MainView.qml");

void sendRequest(ScriptedLaunchRequests *requests, const QString &request,
                 const QStringList &arguments)
{
    if (request == QLatin1String("showProfile"))
        Q_EMIT requests->showProfile(arguments.value(0));
    else if (request == QLatin1String("showFeedItem"))
        Q_EMIT requests->showFeedItem(arguments.value(0));
    else if (request == QLatin1String("showCompose"))
        Q_EMIT requests->showCompose(arguments.value(0));
    else if (request == QLatin1String("showMessage"))
        Q_EMIT requests->showMessage(arguments.value(0), arguments.value(1));
    else if (request == QLatin1String("showMention"))
        Q_EMIT requests->showMention(arguments.value(0));
    else if (request == QLatin1String("showMentions"))
        Q_EMIT requests->showMentions();
    else if (request == QLatin1String("showDirectMessages"))
        Q_EMIT requests->showDirectMessages();
    else
        QTest::qFail("unknown request", __FILE__, __LINE__);
}

Calls rootCalls(const ScriptedView &view)
{
    Calls result;
    const QList<ScriptedView::RootCall> calls = view.calls();
    for (const ScriptedView::RootCall &call : calls) {
        QStringList entry {call.name};
        for (const QVariant &argument : call.args)
            entry.append(argument.toString());
        result.append(entry);
    }
    return result;
}
} // namespace

class TestLaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startViewAndTab_data();
    void startViewAndTab();
    void requestsWithoutAccountChangeNoPage_data();
    void requestsWithoutAccountChangeNoPage();
    void requestsBeforeSignInOnlyKeepTheirSubject_data();
    void requestsBeforeSignInOnlyKeepTheirSubject();
    void requestsWhileSignedIn_data();
    void requestsWhileSignedIn();
    void launchTargetOpensAfterSignIn_data();
    void launchTargetOpensAfterSignIn();
    void profileRequestBeforeSignInOpensAfterIt();
};

void TestLaunch::startViewAndTab_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("account");
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("tab");

    QTest::newRow("default") << 1 << true << "MainView.qml"
                             << "Timeline";
    QTest::newRow("profile") << 2 << true << "ProfileView.qml"
                             << "Timeline";
    QTest::newRow("tweet") << 3 << true << "TweetView.qml"
                           << "Timeline";
    QTest::newRow("compose") << 4 << true << "ComposeView.qml"
                             << "Timeline";
    QTest::newRow("message") << 5 << true << "MessagingConversationView.qml"
                             << "Timeline";
    QTest::newRow("messages") << 6 << true << "MainView.qml"
                              << "Messages";
    QTest::newRow("mention") << 7 << true << "TweetView.qml"
                             << "Mentions";
    QTest::newRow("mentions") << 8 << true << "MainView.qml"
                              << "Mentions";
    QTest::newRow("out of range") << 42 << true << "MainView.qml"
                                  << "Timeline";
    QTest::newRow("no account") << 2 << false << "SignInView.qml"
                                << "Timeline";
    QTest::newRow("no account, mentions") << 8 << false << "SignInView.qml"
                                          << "Mentions";
}

void TestLaunch::startViewAndTab()
{
    QFETCH(int, mode);
    QFETCH(bool, account);
    QFETCH(QString, view);
    QFETCH(QString, tab);

    ScriptedController c;
    c.handler()->setLaunchMode(mode);
    c.start(account);
    QCOMPARE(c.handler()->startView(), view);
    QCOMPARE(c.handler()->startTab(), tab);

    // An account that exists but is switched off counts as none.
    c.login()->setAccountEnabled(false);
    QCOMPARE(c.handler()->startView(), QStringLiteral("SignInView.qml"));
}

void TestLaunch::requestsWithoutAccountChangeNoPage_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("profile") << "showProfile" << QStringList {"@Bob"};
    QTest::newRow("tweet") << "showFeedItem" << QStringList {"77"};
    QTest::newRow("compose") << "showCompose" << QStringList {"Bob"};
    QTest::newRow("message") << "showMessage" << QStringList {"Bob", "5"};
    QTest::newRow("mention") << "showMention" << QStringList {"88"};
    QTest::newRow("mentions") << "showMentions" << QStringList();
    QTest::newRow("messages") << "showDirectMessages" << QStringList();
}

void TestLaunch::requestsWithoutAccountChangeNoPage()
{
    QFETCH(QString, request);
    QFETCH(QStringList, arguments);

    ScriptedController c;
    c.start(false);
    sendRequest(c.factory().requests(), request, arguments);
    QCOMPARE(rootCalls(c.view()), Calls());
    QCOMPARE(c.handler()->currentUser(), QString());
    QCOMPARE(c.handler()->currentTweetId(), QString());
    QCOMPARE(c.contextProperty("composeview_in_reply_to").toString(), QString());
}

void TestLaunch::requestsBeforeSignInOnlyKeepTheirSubject_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("tweet");

    QTest::newRow("profile") << "showProfile" << QStringList {"@Bob"} << "bob"
                             << "";
    QTest::newRow("tweet") << "showFeedItem" << QStringList {"77"} << ""
                           << "77";
    QTest::newRow("compose") << "showCompose" << QStringList {"@Carol"} << "carol"
                             << "";
    QTest::newRow("message") << "showMessage" << QStringList {"Dave", "5"} << "dave"
                             << "";
    QTest::newRow("mention") << "showMention" << QStringList {"88"} << ""
                             << "88";
    QTest::newRow("mentions") << "showMentions" << QStringList() << ""
                              << "";
    QTest::newRow("messages") << "showDirectMessages" << QStringList() << ""
                              << "";
}

void TestLaunch::requestsBeforeSignInOnlyKeepTheirSubject()
{
    QFETCH(QString, request);
    QFETCH(QStringList, arguments);
    QFETCH(QString, user);
    QFETCH(QString, tweet);

    ScriptedController c;
    c.start(true);
    sendRequest(c.factory().requests(), request, arguments);
    QCOMPARE(rootCalls(c.view()), Calls());
    QCOMPARE(c.handler()->currentUser(), user);
    QCOMPARE(c.handler()->currentTweetId(), tweet);
    QCOMPARE(c.handler()->launchMode(), 1);
}

void TestLaunch::requestsWhileSignedIn_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Calls>("calls");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("tweet");
    QTest::addColumn<QString>("replyTo");

    QTest::newRow("profile") << "showProfile" << QStringList {"@Bob"}
                             << Calls {{"startEventPage", Main, "ProfileView.qml"}} << "bob"
                             << ""
                             << "";
    QTest::newRow("tweet") << "showFeedItem" << QStringList {"77"}
                           << Calls {{"startEventPage", Main, "TweetView.qml"}} << "alice"
                           << "77"
                           << "";
    // The reply name reaches the compose page only as the reply property.
    QTest::newRow("compose") << "showCompose" << QStringList {"@Carol"}
                             << Calls {{"startEventPage", Main, "ComposeView.qml"}} << "alice"
                             << ""
                             << "Carol";
    QTest::newRow("message") << "showMessage" << QStringList {"@Dave", "5"}
                             << Calls {{"startEventPage", Main, "MessagingConversationView.qml"},
                                       {"clearNewMessages"}}
                             << "dave"
                             << ""
                             << "";
    QTest::newRow("mention") << "showMention" << QStringList {"88"}
                             << Calls {{"startEventPage", Main, "TweetView.qml"},
                                       {"mentionsTab"},
                                       {"clearNewMentions"}}
                             << "alice"
                             << "88"
                             << "";
    QTest::newRow("mentions") << "showMentions" << QStringList() << Calls {{"mentionsTab"}}
                              << "alice"
                              << ""
                              << "";
    QTest::newRow("messages") << "showDirectMessages" << QStringList() << Calls {{"messagesTab"}}
                              << "alice"
                              << ""
                              << "";
}

void TestLaunch::requestsWhileSignedIn()
{
    QFETCH(QString, request);
    QFETCH(QStringList, arguments);
    QFETCH(Calls, calls);
    QFETCH(QString, user);
    QFETCH(QString, tweet);
    QFETCH(QString, replyTo);

    ScriptedController c;
    c.start(true);
    QTRY_COMPARE(c.login()->loginCount(), 1);
    c.signIn(QStringLiteral("Alice"));
    c.view().clearCalls();
    // Requests do not touch the launch mode.
    c.handler()->setLaunchMode(6);

    sendRequest(c.factory().requests(), request, arguments);
    QCOMPARE(rootCalls(c.view()), calls);
    QCOMPARE(c.handler()->currentUser(), user);
    QCOMPARE(c.handler()->currentTweetId(), tweet);
    QCOMPARE(c.contextProperty("composeview_in_reply_to").toString(), replyTo);
    QCOMPARE(c.handler()->launchMode(), 6);
}

void TestLaunch::launchTargetOpensAfterSignIn_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<Calls>("calls");
    QTest::addColumn<QString>("user");

    // The subject of modes 2, 4, 5 and 7 was set by a request before sign-in ("bob" here).
    QTest::newRow("default") << 1 << Calls {{"startPage", Main}} << "alice";
    QTest::newRow("profile") << 2 << Calls {{"startEventPage", Main, "ProfileView.qml"}} << "bob";
    QTest::newRow("tweet") << 3 << Calls {{"startEventPage", Main, "TweetView.qml"}} << "alice";
    QTest::newRow("compose") << 4 << Calls {{"startEventPage", Main, "ComposeView.qml"}} << "bob";
    QTest::newRow("message") << 5
                             << Calls {{"clearNewMessages"},
                                       {"startEventPage", Main, "MessagingConversationView.qml"}}
                             << "bob";
    QTest::newRow("messages") << 6 << Calls {{"clearNewMessages"}, {"backToMain"}} << "alice";
    QTest::newRow("mention") << 7
                             << Calls {{"clearNewMentions"},
                                       {"startEventPage", Main, "TweetView.qml"}}
                             << "bob";
    QTest::newRow("mentions") << 8 << Calls {{"clearNewMentions"}, {"backToMain"}} << "alice";
}

void TestLaunch::launchTargetOpensAfterSignIn()
{
    QFETCH(int, mode);
    QFETCH(Calls, calls);
    QFETCH(QString, user);

    ScriptedController c;
    c.handler()->setLaunchMode(mode);
    c.start(true);
    c.handler()->setCurrentUser(QStringLiteral("Bob"));
    c.signIn(QStringLiteral("Alice"));

    QCOMPARE(rootCalls(c.view()), calls);
    QCOMPARE(c.handler()->currentUser(), user);
    QCOMPARE(c.handler()->launchMode(), 1);
    QCOMPARE(c.contextProperty("composeview_in_reply_to").toString(),
             mode == 4 ? QStringLiteral("bob") : QString());
    QCOMPARE(c.contextProperty("messagesview_refresh_after_sending").toBool(), mode == 5);

    // A later sign-in (after an account change) opens the main page.
    c.view().clearCalls();
    c.signIn(QStringLiteral("Alice"));
    QCOMPARE(rootCalls(c.view()), (Calls {{"startPage", Main}}));
}

void TestLaunch::profileRequestBeforeSignInOpensAfterIt()
{
    ScriptedController c;
    c.handler()->setLaunchMode(2);
    c.start(true);
    Q_EMIT c.factory().requests()->showProfile(QStringLiteral("@Bob"));
    QCOMPARE(c.handler()->currentUser(), QStringLiteral("bob"));

    QTRY_COMPARE(c.login()->loginCount(), 1);
    c.signIn(QStringLiteral("Alice"));
    QCOMPARE(rootCalls(c.view()), (Calls {{"startEventPage", Main, "ProfileView.qml"}}));
    QCOMPARE(c.handler()->currentUser(), QStringLiteral("bob"));
    QCOMPARE(c.handler()->authenticatedUser(), QStringLiteral("alice"));
}

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
