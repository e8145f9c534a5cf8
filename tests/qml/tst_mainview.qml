import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "rows.js" as Rows

// The main page in the real window: its five tabs, the unread marks and what it asks of the
// controller.
TestCase {
    id: testCase
    name: "MainView"
    width: 480
    height: 854
    visible: true
    when: windowShown

    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")
    property var window: null
    property var main: null

    function init() {
        testContext.reset();
        testContext.set("zirrup_account_exists", true);
        testContext.set("mentions_is_refreshing", false);
        dataHandler.authenticatedUserName = "me";
        dataHandler.startViewResult = "MainView.qml";
        window = createTemporaryObject(rootComponent, testCase);
        window.pageStack.transitionDuration = 40;
        main = window.pageStack.currentPage;
        failOnWarning(/.?/);
    }

    function tabButton(name) {
        return findChild(window, name + "TabButton");
    }

    function tab(name) {
        return findChild(main, name + "Tab");
    }

    function iconName(button) {
        var source = String(button.iconSource);
        return source.substring(source.lastIndexOf("/") + 1);
    }

    function test_tabsAndTheirStatus() {
        compare(main.tabGroup.currentTab, tab("home"));
        compare(tab("home").status, PageStatus.Active);
        compare(tab("mentions").status, PageStatus.Inactive);
        verify(tabButton("home").checked);

        mouseClick(tabButton("mentions"));
        compare(main.tabGroup.currentTab, tab("mentions"));
        compare(tab("mentions").status, PageStatus.Active);
        compare(tab("home").status, PageStatus.Inactive);
        verify(!tab("home").visible);
        verify(tabButton("mentions").checked);
        compare(dataHandler.count("clearMentionNotifications"), 1);
        // The empty mentions list asked for mentions when it became the tab.
        compare(dataHandler.count("updateMentionsView"), 1);

        mouseClick(tabButton("messages"));
        compare(dataHandler.count("clearMessageNotifications"), 1);
        compare(tab("messages").status, PageStatus.Active);

        // The "more" tab loads the signed-in user's profile and lists.
        mouseClick(tabButton("more"));
        compare(dataHandler.currentUser, "me");
        compare(dataHandler.callsOf("updateProfileView"), [["me"]]);
        compare(dataHandler.count("updateSubscribedLists"), 1);

        dataHandler.currentSearchString = "#qt";
        mouseClick(tabButton("search"));
        compare(dataHandler.currentSearchString, "");
        compare(main.tabGroup.currentTab, tab("search"));

        // Another page on top takes the tab through Inactive, and back makes it Active again.
        dataHandler.currentUser = "bob";
        window.nextPage("ProfileView.qml");
        tryCompare(tab("search"), "status", PageStatus.Inactive);
        window.prevPage();
        tryCompare(tab("search"), "status", PageStatus.Active);
    }

    function test_unreadMarks() {
        compare(iconName(tabButton("home")), "zirrup-icon-navigationbar-timeline.png");
        compare(iconName(tabButton("mentions")), "zirrup-icon-navigationbar-mentions.png");
        compare(iconName(tabButton("messages")), "zirrup-icon-navigationbar-messages.png");

        dataHandler.newTweets();
        dataHandler.newMentions();
        dataHandler.newMessages();
        verify(window.unreadTweets && window.unreadMentions && window.unreadMessages);
        compare(iconName(tabButton("home")), "zirrup-icon-navigationbar-timeline-new.png");
        compare(iconName(tabButton("mentions")), "zirrup-icon-navigationbar-mentions-new.png");
        compare(iconName(tabButton("messages")), "zirrup-icon-navigationbar-messages-unread.png");

        // Checking the mentions tab while marked goes through the window, which clears the mark.
        mouseClick(tabButton("mentions"));
        compare(window.unreadMentions, false);
        compare(main.tabGroup.currentTab, tab("mentions"));

        // The home tab while marked goes home: the home list clears its mark.
        mouseClick(tabButton("home"));
        compare(window.unreadTweets, false);
        compare(main.tabGroup.currentTab, tab("home"));

        mouseClick(tabButton("messages"));
        compare(window.unreadMessages, false);
        // New messages do not mark the tab that shows them.
        dataHandler.newMessages();
        compare(window.unreadMessages, false);
        mouseClick(tabButton("home"));
        dataHandler.newMessages();
        compare(window.unreadMessages, true);
    }

    function test_windowSignalsSelectTabs() {
        window.showMessagesTab();
        compare(main.tabGroup.currentTab, tab("messages"));
        window.showMentionsTab();
        compare(main.tabGroup.currentTab, tab("mentions"));
        window.showHomePage();
        compare(main.tabGroup.currentTab, tab("home"));
    }

    function test_refresh() {
        dataHandler.calls = [];
        window.refreshModels();
        compare(dataHandler.names(["updateTimelineView", "updateMentionsView", "updateMessagesView"]),
                ["updateTimelineView", "updateMentionsView", "updateMessagesView"]);
        compare(dataHandler.callsOf("updateTimelineView"), [[true]]);
        compare(dataHandler.callsOf("updateMentionsView"), [[true]]);
        compare(dataHandler.callsOf("updateMessagesView"), [[true]]);
    }

    function test_homeListOpensTweetsAndProfiles() {
        Rows.fill(myTimelineModel, 3);
        var list = tab("home").list;
        tryCompare(list, "count", 3);
        tryVerify(function () { return list.itemAtIndex(0) !== null; });
        var row = list.itemAtIndex(0);
        mouseClick(row, 300, 40);
        tryCompare(window.pageStack, "busy", false);
        compare(window.pageStack.depth, 2);
        compare(window.pageStack.currentPage.objectName, "TweetView_1000");
        compare(dataHandler.callsOf("updateTweetView"), [["1000"]]);
        // The same tweet again is refused.
        compare(window.nextPage("TweetView.qml"), null);
    }
}
