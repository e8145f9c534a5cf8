// The page the program opens first, and requests from outside to show one thing.

#include "datahandler.h"

#include <QtDebug>

namespace {
const QString mainPage = QStringLiteral("MainView.qml");

QString withoutAt(const QString &screenName)
{
    return screenName.startsWith(QLatin1Char('@')) ? screenName.mid(1) : screenName;
}

QString quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}
} // namespace

QString DataHandler::startView()
{
    QString view = QStringLiteral("SignInView.qml");
    if (accountReady()) {
        switch (m_launchMode) {
        case LaunchProfile:
            view = QStringLiteral("ProfileView.qml");
            break;
        case LaunchTweet:
        case LaunchMention:
            view = QStringLiteral("TweetView.qml");
            break;
        case LaunchCompose:
            view = QStringLiteral("ComposeView.qml");
            break;
        case LaunchMessage:
            view = QStringLiteral("MessagingConversationView.qml");
            break;
        default:
            view = mainPage;
            break;
        }
    }
    qDebug() << "QString DataHandler::startView()" << view;
    return view;
}

QString DataHandler::startTab()
{
    switch (m_launchMode) {
    case LaunchMessages:
        return QStringLiteral("Messages");
    case LaunchMention:
    case LaunchMentions:
        return QStringLiteral("Mentions");
    default:
        return QStringLiteral("Timeline");
    }
}

void DataHandler::prepareReplyTo(QString screenName)
{
    setContextProperty(QStringLiteral("composeview_in_reply_to"), screenName);
}

bool DataHandler::deferUntilSignedIn()
{
    return accountReady() && m_authenticatedUserName.isEmpty();
}

bool DataHandler::takeLaunchRequest(const std::function<void()> &rememberForSignIn)
{
    // While signing in, the subject waits for the signed-in start to open it.
    if (deferUntilSignedIn()) {
        if (rememberForSignIn)
            rememberForSignIn();
        return false;
    }
    onBringToTop();
    return !m_authenticatedUserName.isEmpty();
}

void DataHandler::onZirrupOpenProfile(QString screenName)
{
    qDebug() << "void DataHandler::onZirrupOpenProfile(QString)";
    const QString name = withoutAt(screenName);
    if (!takeLaunchRequest([&] { setCurrentUser(name); }))
        return;
    setCurrentUser(name);
    callRoot("startEventPage", {mainPage, QStringLiteral("ProfileView.qml")});
}

void DataHandler::onZirrupOpenTweet(QString tweetId)
{
    qDebug() << "void DataHandler::onZirrupOpenTweet(QString)";
    if (!takeLaunchRequest([&] { setCurrentTweetId(tweetId); }))
        return;
    setCurrentTweetId(tweetId);
    callRoot("startEventPage", {mainPage, QStringLiteral("TweetView.qml")});
}

void DataHandler::onZirrupComposeReply(QString screenName)
{
    qDebug() << "void DataHandler::onZirrupComposeReply(QString)";
    const QString name = withoutAt(screenName);
    if (!takeLaunchRequest([&] { setCurrentUser(name); }))
        return;
    prepareReplyTo(name);
    callRoot("startEventPage", {mainPage, QStringLiteral("ComposeView.qml")});
}

void DataHandler::onZirrupShowMessage(QString screenName, QString id)
{
    qDebug().noquote() << "void DataHandler::onZirrupShowMessage(QString, QString)"
                       << quoted(screenName) << quoted(id);
    const QString name = withoutAt(screenName);
    if (!takeLaunchRequest([&] { setCurrentUser(name); }))
        return;
    setCurrentUser(name);
    callRoot("startEventPage", {mainPage, QStringLiteral("MessagingConversationView.qml")});
    callRoot("clearNewMessages");
}

void DataHandler::onZirrupShowMention(QString id)
{
    qDebug().noquote() << "void DataHandler::onZirrupShowMention(QString)" << quoted(id);
    if (!takeLaunchRequest([&] { setCurrentTweetId(id); }))
        return;
    setCurrentTweetId(id);
    callRoot("startEventPage", {mainPage, QStringLiteral("TweetView.qml")});
    callRoot("mentionsTab");
    callRoot("clearNewMentions");
}

void DataHandler::onZirrupShowMentions()
{
    qDebug() << "void DataHandler::onZirrupShowMentions()";
    if (!takeLaunchRequest())
        return;
    callRoot("mentionsTab");
}

void DataHandler::onZirrupShowMessages()
{
    qDebug().noquote() << "void DataHandler::onZirrupShowMessages()";
    if (!takeLaunchRequest())
        return;
    callRoot("messagesTab");
}

void DataHandler::openLaunchTarget()
{
    switch (m_launchMode) {
    case LaunchProfile:
        callRoot("startEventPage", {mainPage, QStringLiteral("ProfileView.qml")});
        updateProfileView(currentUser(), false);
        break;
    case LaunchTweet:
        callRoot("startEventPage", {mainPage, QStringLiteral("TweetView.qml")});
        break;
    case LaunchCompose:
        prepareReplyTo(currentUser());
        callRoot("startEventPage", {mainPage, QStringLiteral("ComposeView.qml")});
        break;
    case LaunchMessage:
        setContextProperty(QStringLiteral("messagesview_refresh_after_sending"), true);
        callRoot("clearNewMessages");
        callRoot("startEventPage", {mainPage, QStringLiteral("MessagingConversationView.qml")});
        break;
    case LaunchMessages:
        callRoot("clearNewMessages");
        callRoot("backToMain");
        break;
    case LaunchMention:
        callRoot("clearNewMentions");
        callRoot("startEventPage", {mainPage, QStringLiteral("TweetView.qml")});
        break;
    case LaunchMentions:
        callRoot("clearNewMentions");
        callRoot("backToMain");
        break;
    default:
        callRoot("startPage", {mainPage});
        break;
    }
}
