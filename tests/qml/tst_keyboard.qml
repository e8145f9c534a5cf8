import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "rows.js" as Rows

// The program from the keyboard alone, in the real window: where the focus goes, what the window's
// keys do, the keys of the tweet lists, and dialogs that take the focus and give it back.
TestCase {
    id: testCase
    name: "Keyboard"
    width: 480
    height: 854
    visible: true
    when: windowShown

    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")
    property var window: null

    Component {
        id: dialogComponent
        Dialog {
            objectName: "testDialog"
            content: Button { objectName: "dialogButton"; text: "inside" }
        }
    }

    SignalSpy { id: acceptedSpy; signalName: "accepted" }
    SignalSpy { id: rejectedSpy; signalName: "rejected" }

    function open(signedIn, rows) {
        testContext.set("zirrup_account_exists", signedIn);
        testContext.set("mentions_is_refreshing", false);
        dataHandler.authenticatedUserName = signedIn ? "me" : "";
        dataHandler.startViewResult = signedIn ? "MainView.qml" : "SignInView.qml";
        if (rows)
            Rows.fill(myTimelineModel, rows);
        window = createTemporaryObject(rootComponent, testCase);
        window.pageStack.transitionDuration = 40;
        settle();
    }

    function settle() {
        tryCompare(window.pageStack, "busy", false);
    }

    function main() {
        return window.bottomPage();
    }

    function list(tabName) {
        return findChild(main(), tabName + "Tab").list;
    }

    function focused() {
        return testCase.Window.activeFocusItem;
    }

    function topView() {
        return window.historyEntry(window.historyCount() - 1).view;
    }

    function init() {
        testContext.reset();
        acceptedSpy.clear();
        rejectedSpy.clear();
        failOnWarning(/.?/);
    }

    function test_listKeysMoveOpenAndComeBack() {
        open(true, 30);
        var home = list("home");
        tryCompare(home, "activeFocus", true);
        keyClick(Qt.Key_Down);
        keyClick(Qt.Key_Down);
        keyClick(Qt.Key_Up);
        compare(home.currentIndex, 1);
        keyClick(Qt.Key_End);
        compare(home.currentIndex, 29);
        verify(home.itemAtIndex(29) !== null, "the last row is on screen");
        keyClick(Qt.Key_PageUp);
        verify(home.currentIndex < 29 && home.currentIndex > 0, "one screenful up: " + home.currentIndex);
        keyClick(Qt.Key_Home);
        keyClick(Qt.Key_PageDown);
        verify(home.currentIndex > 1, "one screenful down: " + home.currentIndex);
        var opened = home.currentItem.original_tweetid;
        keyClick(Qt.Key_Return);
        settle();
        compare(topView(), "TweetView.qml");
        compare(dataHandler.currentTweetId, opened);
        keyClick(Qt.Key_Escape);
        settle();
        // Back on the list, at the row it left; nothing to go back to from the main page.
        tryCompare(home, "activeFocus", true);
        compare(home.currentItem.original_tweetid, opened);
        keyClick(Qt.Key_Escape);
        compare(window.pageStack.depth, 1);

        // The menu key opens the row's menu, which takes the focus and gives it back.
        keyClick(Qt.Key_Menu);
        var menu = home.currentItem.menu;
        tryCompare(menu, "status", DialogStatus.Open);
        verify(menu.activeFocus);
        keyClick(Qt.Key_Escape);
        tryCompare(menu, "status", DialogStatus.Closed);
        verify(home.activeFocus);
    }

    function test_tabsComposeAndSearchFromAnyPage() {
        open(true, 3);
        keyClick(Qt.Key_2, Qt.AltModifier);
        compare(main().tabGroup.currentTab.objectName, "mentionsTab");
        tryCompare(list("mentions"), "activeFocus", true);
        keyClick(Qt.Key_1, Qt.AltModifier);
        keyClick(Qt.Key_Return);
        settle();
        compare(window.pageStack.depth, 2);
        keyClick(Qt.Key_3, Qt.AltModifier);
        settle();
        compare(window.historyCount(), 1);
        compare(main().tabGroup.currentTab.objectName, "messagesTab");
        keyClick(Qt.Key_N, Qt.ControlModifier);
        settle();
        compare(topView(), "ComposeView.qml");
        keyClick(Qt.Key_F, Qt.ControlModifier);
        settle();
        compare(window.pageStack.depth, 1);
        compare(main().tabGroup.currentTab.objectName, "searchTab");
    }

    function test_refreshKeysAndButton_data() {
        return [
            { tag: "F5 on home", tab: Qt.Key_1, key: Qt.Key_F5, modifiers: Qt.NoModifier, call: "refreshTimelineView" },
            { tag: "Ctrl+R on mentions", tab: Qt.Key_2, key: Qt.Key_R, modifiers: Qt.ControlModifier, call: "refreshMentionsView" },
            { tag: "F5 on more", tab: Qt.Key_5, key: Qt.Key_F5, modifiers: Qt.NoModifier, call: "updateSubscribedLists" },
            { tag: "button on home", tab: Qt.Key_1, button: true, call: "refreshTimelineView" },
        ];
    }

    function test_refreshKeysAndButton(data) {
        open(true, 3);
        keyClick(data.tab, Qt.AltModifier);
        var before = dataHandler.count(data.call);
        if (data.button) {
            var button = findChild(main().tabGroup.currentTab, "topBarRefresh");
            verify(button.visible, "a desktop window has the refresh button");
            mouseClick(button);
        } else {
            keyClick(data.key, data.modifiers);
        }
        compare(dataHandler.count(data.call), before + 1);
    }

    function test_signedOut() {
        open(false);
        keyClick(Qt.Key_N, Qt.ControlModifier);
        keyClick(Qt.Key_2, Qt.AltModifier);
        compare(window.historyCount(), 1);
        compare(topView(), "SignInView.qml");
        var before = dataHandler.count("updateTrendingTopics");
        keyClick(Qt.Key_F5);
        compare(dataHandler.count("updateTrendingTopics"), before + 1);

        keyClick(Qt.Key_F, Qt.ControlModifier);
        var field = findChild(window, "searchField");
        tryCompare(field, "activeFocus", true);
        keyClick(Qt.Key_A);
        compare(field.text, "a");
        // Alt+2 is the window's, not a "2" for the field.
        keyClick(Qt.Key_2, Qt.AltModifier);
        compare(field.text, "a");
        // A field with the focus is no on-screen keyboard: the tool bar stays.
        verify(findChild(window, "toolBar").visible);
        // The field keeps its own keys; the window's reach past it.
        keyClick(Qt.Key_F5);
        compare(dataHandler.count("updateTrendingTopics"), before + 2);
    }

    function test_dialogTakesFocusAndGivesItBack() {
        open(true, 3);
        var home = list("home");
        tryCompare(home, "activeFocus", true);
        var dialog = createTemporaryObject(dialogComponent, main());
        acceptedSpy.target = dialog;
        rejectedSpy.target = dialog;

        dialog.open();
        verify(dialog.activeFocus);
        // Keys for the page behind do nothing while it is open.
        keyClick(Qt.Key_2, Qt.AltModifier);
        compare(main().tabGroup.currentTab.objectName, "homeTab");
        keyClick(Qt.Key_Tab);
        compare(focused().objectName, "dialogButton");
        keyClick(Qt.Key_Escape);
        compare(rejectedSpy.count, 1);
        tryCompare(dialog, "status", DialogStatus.Closed);
        verify(home.activeFocus);

        dialog.open();
        keyClick(Qt.Key_Return, Qt.ControlModifier);
        compare(acceptedSpy.count, 1);
        tryCompare(dialog, "status", DialogStatus.Closed);
        verify(home.activeFocus);
    }

    // Each page from the keyboard: where the focus lands, what F5 asks for, and for an editor that
    // Escape with text asks first (and a second Escape keeps the text) and Ctrl+Return sends.
    function test_pages_data() {
        return [
            { tag: "tweet", page: "TweetView.qml", focus: "tweetHeader", refresh: "updateTweetView",
              editor: "replyEditor", accept: "replyToTweetMessage" },
            { tag: "compose", page: "ComposeView.qml", focus: "composeEditor", editor: "composeEditor",
              accept: "postTweetMessage" },
            { tag: "message compose", page: "MessageComposeView.qml", focus: "messageEditor",
              editor: "messageEditor", accept: "postDirectMessage" },
            { tag: "profile edit", page: "OwnProfileEditView.qml", focus: "nameLine", accept: "updateAccountData" },
            { tag: "profile", page: "ProfileView.qml", refresh: "updateProfileView", forced: true },
            { tag: "followers", page: "FollowersView.qml", focus: "followersList", refresh: "updateFollowersView" },
            { tag: "lists", page: "ListsView.qml", focus: "listsList", refresh: "updateAddedToLists" },
            { tag: "conversation", page: "MessagingConversationView.qml", focus: "replyField",
              refresh: "updateConversationView", editor: "replyField", accept: "postDirectMessage" },
            { tag: "recipients", page: "RecipientSelectionView.qml", focus: "recipientFilter" },
            { tag: "search", page: "SearchView.qml", focus: "resultList", refresh: "searchTweets" },
            { tag: "messages tab", tab: Qt.Key_3, focus: "messagesList", refresh: "updateMessagesView" },
            { tag: "search tab", tab: Qt.Key_4, refresh: "updateTrendingTopics" },
        ];
    }

    function holdsFocus(item) {
        for (var f = focused(); f; f = f.parent) {
            if (f === item)
                return true;
        }
        return false;
    }

    function test_pages(data) {
        testContext.set("profileview_firstname", "Me");
        testContext.set("profileview_follower", true);
        testContext.set("composeview_screenname", "carol");
        testContext.set("conversation_zirrupName", "bob");
        dataHandler.currentUser = "bob";
        dataHandler.currentSearchString = "lake";
        open(true, 3);
        if (data.tab) {
            keyClick(data.tab, Qt.AltModifier);
        } else {
            window.nextPage(data.page);
            settle();
        }
        var page = data.tab ? main().tabGroup.currentTab : window.pageStack.currentPage;
        if (data.page === "TweetView.qml") {
            // The tweet arrives after the page has opened.
            page.tweet_name = "alice";
            page.tweet_tweetid = "7";
            page.tweet_desc = "hello";
        }
        if (data.focus) {
            var item = findChild(page, data.focus);
            verify(item, data.focus);
            tryVerify(function () { return holdsFocus(item); }, 2000, "the focus in " + data.focus);
        }
        if (data.refresh) {
            var before = dataHandler.count(data.refresh);
            keyClick(Qt.Key_F5);
            compare(dataHandler.count(data.refresh), before + 1);
            if (data.forced)
                compare(dataHandler.callsOf(data.refresh)[before][1], true, "asked again, not from the cache");
        }
        if (!data.accept)
            return;
        var depth = window.pageStack.depth;
        if (data.editor) {
            var editor = findChild(page, data.editor);
            if (data.page === "TweetView.qml") {
                page.openEditor();
                tryCompare(editor, "text", "@alice ");
            }
            editor.text = "unsent words";
            keyClick(Qt.Key_Escape);
            var query = findChild(page, "discardDialog");
            tryCompare(query, "status", DialogStatus.Open);
            keyClick(Qt.Key_Escape);
            tryCompare(query, "status", DialogStatus.Closed);
            compare(editor.text, "unsent words");
            compare(window.pageStack.depth, depth);
        }
        var sent = dataHandler.count(data.accept);
        keyClick(Qt.Key_Return, Qt.ControlModifier);
        compare(dataHandler.count(data.accept), sent + 1);
    }
}
