// The controller with the real client library against zirrup-sandbox: the home stream, messages,
// blocks, the own profile and list pages.
#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include "apiclient.h"
#include "sandboxprocess.h"
#include "scriptedsession.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
const int network = 10000;

std::unique_ptr<ApiClient> client(const QUrl &service, const QString &name,
                                  const QString &password = QString())
{
    auto api = std::make_unique<ApiClient>(service);
    // In the demo world every password but demo's is the account's name.
    api->signIn(name, password.isEmpty() ? name : password);
    return api;
}

// Signs `name` in on the controller with a backend that talks to the sandbox.
void signIn(ScriptedController &c, const QUrl &service, const QString &name,
            const QString &password)
{
    Zr::setServiceUrl(service);
    c.handler()->setBackendFactory([](const QStringList &s, QObject *parent) {
        return new Zr::Zirrup(s.value(0), s.value(1), s.value(2), s.value(3), s.value(4),
                              s.value(5), parent);
    });
    c.start(false);
    const SandboxAccount account = client(service, name, password)->account();
    QVERIFY(account.isValid());
    c.login()->setAccountExists(true);
    c.login()->setAccountEnabled(true);
    Q_EMIT c.login()->loginResponse(QString::fromLatin1(account.token),
                                    QString::fromLatin1(account.tokenSecret), account.userId,
                                    account.screenName, QStringLiteral(ZIRRUP_CONSUMER_KEY),
                                    QStringLiteral(ZIRRUP_CONSUMER_SECRET));
    QVERIFY(c.handler()->backend()->isAuthenticated());
}
} // namespace

class TestControllerSandbox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(m_sandbox.start(), qPrintable(m_sandbox.errorString())); }
    void streamedTweetAndFavourite()
    {
        auto leo = client(m_sandbox.baseUrl(), "leo");
        // Following already is fine too.
        client(m_sandbox.baseUrl(), "ines")
            ->post("/1/friendships/create.json", {{"screen_name", "leo"}});
        ScriptedController c;
        signIn(c, m_sandbox.baseUrl(), "ines", "ines");
        Zr::Zirrup *backend = c.handler()->backend();
        QSignalSpy streamed(backend, &Zr::Zirrup::streamObject);

        // Sign-in loads the home list and opens the stream.
        ZirrupModel *home = c.handler()->timelineView()->timelineModel();
        QVERIFY(c.contextProperty("timelineview_is_refreshing").toBool());
        QTRY_VERIFY(!c.contextProperty("timelineview_is_refreshing").toBool());
        const int rows = home->rowCount();
        QTRY_VERIFY(!streamed.isEmpty()); // the stream's first object: whom the user follows

        const ApiResponse posted =
            leo->post("/1/statuses/update.json", {{"status", "Tea & biscuits at four? #break"}});
        QCOMPARE(posted.status, 200);
        const QString id = posted.object().value("id_str").toString();
        QTRY_COMPARE(home->get(0).value("tweetid").toString(), id);
        QCOMPARE(home->rowCount(), rows + 1);
        QCOMPARE(fields(home, 0, {"name", "status_text", "favorited"}),
                 "leo|Tea & biscuits at four? #break|false");

        c.handler()->favoriteTweet(id, true);
        QTRY_COMPARE(home->get(0).value("favorited").toBool(), true);
        c.handler()->favoriteTweet(id, false);
        QTRY_COMPARE(home->get(0).value("favorited").toBool(), false);
    }
    void directMessageThereAndBack()
    {
        auto bob = client(m_sandbox.baseUrl(), "bob");
        ScriptedController c;
        signIn(c, m_sandbox.baseUrl(), "alice", "alice");
        DataHandler *h = c.handler();
        ZirrupModel *list = h->messagesView()->messageModel();
        // Messages need a follower on the other end.
        QCOMPARE(bob->post("/1/friendships/create.json", {{"screen_name", "alice"}}).status, 200);
        h->followProfile("bob", true);
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("messagesview_loading").toBool(), false,
                                  network);

        // Sent: it comes back on the stream and heads bob's conversation.
        h->postDirectMessage("Bob", "Lunch at noon?");
        QVERIFY(h->pendingQueryIds().directMessage >= 0);
        QCOMPARE(c.contextProperty("messagesview_refresh_after_sending").toBool(), true);
        const auto bobsRow = [list] {
            return column(list, "screen_name").indexOf(QRegularExpression("(?i)bob"));
        };
        QTRY_VERIFY_WITH_TIMEOUT(
            bobsRow() >= 0 && list->get(bobsRow()).value("msg_text") == "Lunch at noon?", network);
        // The stream may bring the message before the answer to the post does.
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("messagesview_refresh_after_sending").toBool(),
                                  false, network);
        QCOMPARE(list->get(bobsRow()).value("received").toBool(), false);
        const QString sentId = list->get(bobsRow()).value("msg_id").toString();

        // Received.
        QCOMPARE(
            bob->post("/1/direct_messages/new.json", {{"screen_name", "alice"}, {"text", "Yes!"}})
                .status,
            200);
        QTRY_VERIFY_WITH_TIMEOUT(list->get(bobsRow()).value("msg_text") == "Yes!", network);
        QCOMPARE(list->get(bobsRow()).value("received").toBool(), true);

        // Deleting the newest brings the one before back.
        h->deleteMessage(list->get(bobsRow()).value("msg_id").toString());
        QTRY_COMPARE_WITH_TIMEOUT(list->get(bobsRow()).value("msg_id").toString(), sentId, network);
    }
    void blockAndUnblock()
    {
        ScriptedController c;
        signIn(c, m_sandbox.baseUrl(), "grace", "grace");
        DataHandler *h = c.handler();
        h->setCurrentUser("bob");
        h->updateProfileView("bob");
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("profileview_screen_name").toString(),
                                  QString("bob"), network);
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("profileview_loading").toBool(), false,
                                  network);
        // Following back and forth is left to the profile smoke session.
        h->blockProfile("bob", true);
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("profileview_blocked").toBool(), true, network);
        auto grace = client(m_sandbox.baseUrl(), "grace");
        const QJsonArray blocked = grace->get("/1/blocks/blocking/ids.json").array();
        QVERIFY(blocked.contains(QJsonValue(h->profileView()->blockedIds().value(0))));
        h->blockProfile("bob", false);
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("profileview_blocked").toBool(), false,
                                  network);
        QVERIFY(grace->get("/1/blocks/blocking/ids.json").array().isEmpty());
    }
    void ownProfileAndPhoto()
    {
        ScriptedController c;
        signIn(c, m_sandbox.baseUrl(), "kaisa", "kaisa");
        DataHandler *h = c.handler();
        h->updateAccountData("Kaisa K.", "http://example.org/kaisa", "Turku", "Edited from a test");
        QTRY_COMPARE_WITH_TIMEOUT(c.view().callCount("prevPage"), 1, network);
        QCOMPARE(c.contextProperty("profileview_firstname").toString(), QString("Kaisa K."));
        auto kaisa = client(m_sandbox.baseUrl(), "kaisa");
        const ApiResponse shown = kaisa->get("/1/users/show.json", {{"screen_name", "kaisa"}});
        QCOMPARE(shown.at("location").toString(), QString("Turku"));
        const QString oldPicture = shown.at("profile_image_url").toString();
        const QString oldSource = c.contextProperty("profileview_profile_image_url").toString();

        QTemporaryDir dir;
        QImage photo(900, 600, QImage::Format_RGB32);
        photo.fill(Qt::darkMagenta);
        QVERIFY(photo.save(dir.filePath("me.jpg")));
        h->updateAccountImage(QUrl::fromLocalFile(dir.filePath("me.jpg")).toString());
        QVERIFY(c.contextProperty("updatingProfileImage").toBool());
        QTimer *later = h->profileView()->ownImageRefreshTimer();
        QTRY_VERIFY_WITH_TIMEOUT(later->isActive(), network);
        later->start(0);

        // The new picture is fetched and shown in place of the old one.
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("updatingProfileImage").toBool(), false,
                                  network);
        const QString picture = kaisa->get("/1/users/show.json", {{"screen_name", "kaisa"}})
                                    .at("profile_image_url")
                                    .toString();
        QVERIFY(picture != oldPicture);
        const auto source = [&c] {
            return c.contextProperty("profileview_profile_image_url").toString();
        };
        QTRY_VERIFY_WITH_TIMEOUT(
            source() != oldSource && source().startsWith("image://avatar/file:"), network);
        const QUrl stored(source().mid(int(strlen("image://avatar/"))));
        QCOMPARE(QImage(stored.toLocalFile()).isNull(), false);
    }
    void pageThroughAMembersLists()
    {
        ScriptedController c;
        signIn(c, m_sandbox.baseUrl(), "alice", "alice");
        DataHandler *h = c.handler();
        // A member of one of alice's subscribed lists.
        h->updateSubscribedLists();
        ZirrupModel *mine = h->listsView()->subscribedListsModel();
        QTRY_VERIFY_WITH_TIMEOUT(
            !c.contextProperty("mylists_loading").toBool() && mine->count() > 0, network);
        const QString listId = mine->get(0).value("id").toString();
        const ApiResponse members = client(m_sandbox.baseUrl(), "alice")
                                        ->get("/1/lists/members.json", {{"list_id", listId}});
        const QString member = members.at("users/0/screen_name").toString();
        QVERIFY(!member.isEmpty());

        ZirrupModel *lists = h->listsView()->addedToListsModel();
        h->updateAddedToLists(member, true);
        QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("listsview_loading").toBool(), false, network);
        for (int page = 0; c.contextProperty("listsview_more_available").toBool() && page < 10;
             ++page) {
            h->moreAddedToLists(member);
            QTRY_COMPARE_WITH_TIMEOUT(c.contextProperty("listsview_is_loading_more").toBool(),
                                      false, network);
        }
        QVERIFY(column(lists, "id").contains(listId));
        QCOMPARE(c.contextProperty("listsview_more_available").toBool(), false);
    }

private:
    SandboxProcess m_sandbox {{QStringLiteral("--seed")}};
};

QTEST_MAIN(TestControllerSandbox)
#include "tst_controller_sandbox.moc"
