import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "rows.js" as Rows

// What a screen reader finds in the real window, read through Qt's accessibility interface: a name
// and a role on every button, tool icon, tab and tweet row, and the press action doing what a
// click does.
TestCase {
    id: testCase
    name: "Accessibility"
    width: 480
    height: 854
    visible: true
    when: windowShown

    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")
    property var window: null

    Component {
        id: controlsComponent
        Column {
            ToolIcon { objectName: "backIcon"; iconId: "toolbar-back" }
            ToolIcon { objectName: "namedIcon"; iconSource: "image://theme/icon-m-toolbar-add"; text: "Block" }
            Button { objectName: "plainButton"; text: "Save" }
            ColumnButton {
                objectName: "columnButton"
                Text { text: "Reply" }
            }
            ProfileHeader { objectName: "profileHeader"; zirrupName: "alice"; firstName: "Alice A" }
            TrendingItem { objectName: "trend"; queryItem: "#lake" }
        }
    }

    function init() {
        testContext.reset();
        testContext.set("zirrup_account_exists", true);
        testContext.set("mentions_is_refreshing", false);
        dataHandler.authenticatedUserName = "me";
        dataHandler.startViewResult = "MainView.qml";
        Rows.fill(myTimelineModel, 2);
        window = createTemporaryObject(rootComponent, testCase);
        window.pageStack.transitionDuration = 40;
        failOnWarning(/.?/);
    }

    function describe(name) {
        var item = findChild(window, name);
        verify(item, name);
        return accessibility.describe(item);
    }

    function test_namesAndRoles_data() {
        return [
            { tag: "home tab", item: "homeTabButton", name: "Home", role: Accessible.PageTab },
            { tag: "mentions tab", item: "mentionsTabButton", name: "Mentions", role: Accessible.PageTab },
            { tag: "messages tab, unread", item: "messagesTabButton", unread: "unreadMessages", name: "Messages, unread", role: Accessible.PageTab },
            { tag: "search tab", item: "searchTabButton", name: "Search", role: Accessible.PageTab },
            { tag: "more tab", item: "moreTabButton", name: "More", role: Accessible.PageTab },
            { tag: "logo", item: "topBarLogo", name: "Home", role: Accessible.Button },
            { tag: "compose", item: "topBarCompose", name: "Compose new", role: Accessible.Button },
            { tag: "refresh", item: "topBarRefresh", name: "Refresh", role: Accessible.Button },
            { tag: "account row", item: "accountRow", name: "Account", role: Accessible.Button },
        ];
    }

    function test_namesAndRoles(data) {
        if (data.unread)
            window[data.unread] = true;
        var found = describe(data.item);
        compare(found.name, data.name);
        compare(found.role, data.role);
        verify(found.actions.indexOf("Press") >= 0, "pressable");
    }

    function test_moduleControls_data() {
        return [
            { tag: "theme tool icon", item: "backIcon", name: "Back", role: Accessible.Button },
            { tag: "named tool icon", item: "namedIcon", name: "Block", role: Accessible.Button },
            { tag: "button", item: "plainButton", name: "Save", role: Accessible.Button },
            { tag: "column button", item: "columnButton", name: "Reply", role: Accessible.Button },
            { tag: "profile header", item: "profileHeader", name: "alice, Alice A", role: Accessible.Button },
            { tag: "trending item", item: "trend", name: "#lake", role: Accessible.Button },
        ];
    }

    function test_moduleControls(data) {
        var controls = createTemporaryObject(controlsComponent, testCase);
        var item = findChild(controls, data.item);
        var clicks = createTemporaryObject(signalSpyComponent, testCase, { target: item, signalName: "clicked" });
        var found = accessibility.describe(item);
        compare(found.name, data.name);
        compare(found.role, data.role);
        verify(accessibility.press(item));
        compare(clicks.count, 1);
    }

    // Tool icons drawn from images, and rows of the pages, each with its name, its role and a press
    // that does what a click does.
    function test_pageControls_data() {
        var tweet = { tweet_name: "alice", tweet_tweetid: "7", tweet_desc: "hello" };
        return [
            { tag: "favourite", page: "TweetView.qml", props: tweet, item: "favoriteButton", name: "Favourite",
              role: Accessible.Button, call: "favoriteTweet" },
            { tag: "unfavourite", page: "TweetView.qml", props: { tweet_name: "alice", tweet_tweetid: "7", tweet_favorited: true },
              item: "favoriteButton", name: "Unfavourite", role: Accessible.Button, call: "favoriteTweet" },
            { tag: "retweet", page: "TweetView.qml", props: tweet, item: "retweetButton", name: "Retweet",
              role: Accessible.Button, call: "retweetMessage" },
            { tag: "delete", page: "TweetView.qml", props: { tweet_name: "me", tweet_tweetid: "7" }, item: "deleteButton",
              name: "Delete", role: Accessible.Button, opens: "deleteDialog" },
            { tag: "author", page: "TweetView.qml", props: tweet, item: "tweetHeader", name: "alice",
              role: Accessible.Button, depth: 3 },
            { tag: "block", page: "ProfileView.qml", item: "blockButton", name: "Block", role: Accessible.Button,
              call: "blockProfile" },
            { tag: "unread message row", tab: 2, item: "messagesList", row: true, unread: true,
              name: "bob: hi there, ago:Sat Dec 05 10:11:12 2026, unread", role: Accessible.ListItem, depth: 2 },
            { tag: "read message row", tab: 2, item: "messagesList", row: true, unread: false,
              name: "bob: hi there, ago:Sat Dec 05 10:11:12 2026", role: Accessible.ListItem, depth: 2 },
        ];
    }

    function test_pageControls(data) {
        testContext.set("profileview_screen_name", "bob");
        myMessageModel.append({ screen_name: "bob", msg_text: "hi <b>there</b>", created_at: "Sat Dec 05 10:11:12 2026",
                                msg_unread: data.unread === true });
        tryCompare(window.pageStack, "busy", false);
        if (data.tab !== undefined) {
            window.bottomPage().showTab(data.tab);
        } else {
            window.nextPage(data.page);
            tryCompare(window.pageStack, "busy", false);
            for (var key in data.props)
                window.pageStack.currentPage[key] = data.props[key];
        }
        var item = findChild(window, data.item);
        verify(item, data.item);
        if (data.row) {
            tryVerify(function () { return item.itemAtIndex(0) !== null; });
            item = item.itemAtIndex(0);
        }
        verify(item.visible, "shown");
        var found = accessibility.describe(item);
        compare(found.name, data.name);
        compare(found.role, data.role);
        var before = data.call ? dataHandler.count(data.call) : 0;
        verify(accessibility.press(item));
        if (data.call)
            compare(dataHandler.count(data.call), before + 1);
        if (data.opens)
            tryCompare(findChild(window.pageStack.currentPage, data.opens), "status", DialogStatus.Open);
        if (data.depth) {
            tryCompare(window.pageStack, "busy", false);
            compare(window.pageStack.depth, data.depth);
        }
    }

    Component {
        id: signalSpyComponent
        SignalSpy {}
    }

    function test_tweetRowReadsAuthorTextAndTime() {
        var list = findChild(window, "homeList");
        tryVerify(function () { return list.itemAtIndex(1) !== null; });
        var row = accessibility.describe(list.itemAtIndex(1));
        compare(row.role, Accessible.ListItem);
        compare(row.name, "user1: text of 999, ago:Sat Dec 05 10:11:12 2026");

        verify(accessibility.press(list.itemAtIndex(1)));
        tryCompare(window.pageStack, "busy", false);
        compare(dataHandler.currentTweetId, "999");
        compare(window.pageStack.depth, 2);
    }

    function test_tabPressAndAccountEntry() {
        verify(accessibility.press(findChild(window, "moreTabButton")));
        compare(window.pageStack.currentPage.tabGroup.currentTab.objectName, "moreTab");
        verify(describe("moreTabButton").checked);
        verify(accessibility.press(findChild(window, "accountRow")));
        compare(dataHandler.count("settingsClicked"), 1);
    }
}
