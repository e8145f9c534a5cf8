import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "rows.js" as Rows

// The real window on the main page: its tabs and unread marks, the program from the keyboard alone
// (where the focus goes, what the window's keys do, dialogs that take the focus and give it back),
// and what a screen reader finds through Qt's accessibility interface.
PageTestCase {
    id: testCase
    name: "MainView"

    property var window: null
    readonly property var tables: testContext.readJson("data/mainview.json")

    Component {
        id: dialogComponent
        Dialog {
            content: Button { objectName: "dialogButton"; text: "inside" }
        }
    }
    Component {
        id: controlsComponent
        Column {
            ToolIcon { objectName: "backIcon"; iconId: "toolbar-back" }
            ToolIcon { objectName: "namedIcon"; iconSource: "image://theme/icon-m-toolbar-add"; text: "Block" }
            Button { objectName: "plainButton"; text: "Save" }
            ColumnButton { objectName: "columnButton"; Text { text: "Reply" } }
            ProfileHeader { objectName: "profileHeader"; zirrupName: "alice"; firstName: "Alice A" }
            TrendingItem { objectName: "trend"; queryItem: "#lake" }
        }
    }
    SignalSpy { id: spy }

    function open(signedIn, rows) {
        testContext.set("zirrup_account_exists", signedIn);
        testContext.set("mentions_is_refreshing", false);
        dataHandler.authenticatedUserName = signedIn ? "me" : "";
        if (rows)
            Rows.fill(myTimelineModel, rows);
        window = startWindow(signedIn ? "MainView.qml" : "SignInView.qml");
    }

    function main() {
        return window.bottomPage();
    }

    function tab(name) {
        return findChild(main(), name + "Tab");
    }

    function list(tabName) {
        return tab(tabName).list;
    }

    function focused() {
        return testCase.Window.activeFocusItem;
    }

    function topView() {
        return window.historyEntry(window.historyCount() - 1).view;
    }

    function setUp() {
        spy.clear();
    }

    function test_tabsAndUnreadMarks() {
        open(true, 30);
        function button(name) { return findChild(window, name + "TabButton"); }
        compare(tab("home").status, PageStatus.Active);
        dataHandler.newTweets();
        dataHandler.newMentions();
        dataHandler.newMessages();
        verify(window.unreadTweets && window.unreadMentions && window.unreadMessages);
        compare(String(button("messages").iconSource).replace(/.*navigationbar-/, ""), "messages-unread.png");

        // Checking a marked tab goes through the window, which clears the mark.
        mouseClick(button("mentions"));
        compare(main().tabGroup.currentTab, tab("mentions"));
        compare([tab("mentions").status, tab("home").status], [PageStatus.Active, PageStatus.Inactive]);
        verify(button("mentions").checked && !window.unreadMentions);
        compare(dataHandler.count("clearMentionNotifications"), 1);
        mouseClick(button("home"));
        verify(!window.unreadTweets);
        mouseClick(button("messages"));
        verify(!window.unreadMessages);
        compare(dataHandler.count("clearMessageNotifications"), 1);
        // New messages do not mark the tab that shows them.
        dataHandler.newMessages();
        verify(!window.unreadMessages);

        // Search forgets the last query.
        dataHandler.currentSearchString = "#qt";
        mouseClick(button("search"));
        compare(dataHandler.currentSearchString, "");
        // Another page on top takes the tab through Inactive.
        dataHandler.currentUser = "bob";
        window.nextPage("ProfileView.qml");
        tryCompare(tab("search"), "status", PageStatus.Inactive);
        window.prevPage();
        tryCompare(tab("search"), "status", PageStatus.Active);
        window.showHomePage();
        compare(main().tabGroup.currentTab, tab("home"));
        dataHandler.calls = [];
        window.refreshModels();
        compare(dataHandler.calls, [{ "name": "updateTimelineView", "args": [true] },
                                    { "name": "updateMentionsView", "args": [true] },
                                    { "name": "updateMessagesView", "args": [true] }]);

        // The list keys the program adds (down, open and back are walked by the smoke test).
        var home = list("home");
        tryCompare(home, "activeFocus", true);
        keyClick(Qt.Key_End);
        compare(home.currentIndex, 29);
        verify(home.itemAtIndex(29) !== null, "the last row is on screen");
        keyClick(Qt.Key_PageUp);
        verify(home.currentIndex < 29 && home.currentIndex > 0, "one screenful up: " + home.currentIndex);
        keyClick(Qt.Key_Home);
        keyClick(Qt.Key_PageDown);
        verify(home.currentIndex > 1, "one screenful down: " + home.currentIndex);
        // Nothing to go back to from the main page.
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

    function test_windowKeysAndDialogs() {
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

        // A dialog takes the keys, and gives the focus back when it closes either way.
        keyClick(Qt.Key_1, Qt.AltModifier);
        var home = list("home");
        tryCompare(home, "activeFocus", true);
        var dialog = createTemporaryObject(dialogComponent, main());
        spy.target = dialog;
        spy.signalName = "rejected";
        dialog.open();
        verify(dialog.activeFocus);
        keyClick(Qt.Key_2, Qt.AltModifier);
        compare(main().tabGroup.currentTab.objectName, "homeTab");
        keyClick(Qt.Key_Tab);
        compare(focused().objectName, "dialogButton");
        keyClick(Qt.Key_Escape);
        compare(spy.count, 1);
        tryCompare(dialog, "status", DialogStatus.Closed);
        verify(home.activeFocus);
        spy.signalName = "accepted";
        spy.clear();
        dialog.open();
        keyClick(Qt.Key_Return, Qt.ControlModifier);
        compare(spy.count, 1);
        tryCompare(dialog, "status", DialogStatus.Closed);
        verify(home.activeFocus);
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

    // Each page from the keyboard: where the focus lands, what F5 (or the key given, or the top
    // bar's button) asks for, and for an editor that Escape with text asks first (and a second
    // Escape keeps the text) and Ctrl+Return sends.
    function test_pages_data() {
        return tables.pages;
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
            keyClick(Qt[data.tab], Qt.AltModifier);
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
            if (data.button)
                mouseClick(findChild(page, "topBarRefresh"));
            else
                keyClick(Qt[data.key || "Key_F5"], Qt[data.modifiers || "NoModifier"]);
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

    // Names, roles and the press action of the window's controls and rows, and of the pages'.
    function test_accessibleNames_data() {
        return tables.names;
    }

    function test_accessibleNames(data) {
        open(true, 2);
        myMessageModel.append({ screen_name: "bob", msg_text: "hi <b>there</b>", created_at: "Sat Dec 05 10:11:12 2026",
                                msg_unread: data.unread === true });
        testContext.set("profileview_screen_name", "bob");
        if (data.unread && !data.list)
            window.unreadMessages = true;
        if (data.tab !== undefined)
            main().showTab(data.tab);
        if (data.page) {
            window.nextPage(data.page);
            settle();
            for (var key in data.props)
                window.pageStack.currentPage[key] = data.props[key];
        }
        var item = findChild(window, data.list || data.item);
        if (data.list) {
            tryVerify(function () { return item.itemAtIndex(data.tab ? 0 : 1) !== null; });
            item = item.itemAtIndex(data.tab ? 0 : 1);
        }
        verify(item.visible, "shown");
        var found = accessibility.describe(item);
        compare(found.name, data.name);
        compare(found.role, Accessible[data.role]);
        var before = data.call ? dataHandler.count(data.call) : 0;
        verify(accessibility.press(item));
        if (data.call)
            compare(dataHandler.count(data.call), before + 1);
        if (data.opens)
            tryCompare(findChild(window.pageStack.currentPage, data.opens), "status", DialogStatus.Open);
        if (data.depth) {
            settle();
            compare(window.pageStack.depth, data.depth);
        }
        if (data.role === "PageTab")
            verify(accessibility.describe(item).checked);
    }

    function test_moduleControls_data() {
        return tables.controls;
    }

    function test_moduleControls(data) {
        open(true, 0);
        var item = findChild(createTemporaryObject(controlsComponent, testCase), data.item);
        spy.target = item;
        spy.signalName = "clicked";
        var found = accessibility.describe(item);
        compare(found.name, data.name);
        compare(found.role, Accessible.Button);
        verify(accessibility.press(item));
        compare(spy.count, 1);
    }
}
