import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"

// The real window on the main page: its tabs and unread marks, the program from the keyboard alone
// (where the focus goes, what the window's keys do, dialogs that take the focus and give it back),
// what a screen reader finds through Qt's accessibility interface; and the sign-in page's search and
// the "more" page.
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

    function open(signedIn, rows) {
        testContext.set("zirrup_account_exists", signedIn);
        testContext.set("mentions_is_refreshing", false);
        dataHandler.authenticatedUserName = signedIn ? "me" : "";
        if (rows)
            fillTweets(myTimelineModel, rows);
        window = startWindow(signedIn ? "MainView.qml" : "SignInView.qml");
    }

    function main() {
        return window.bottomPage();
    }

    function tab(name) {
        return findChild(main(), name + "Tab");
    }

    function focused() {
        return testCase.Window.activeFocusItem;
    }

    // Opens data.page on top of the main page and gives it data.props (a tweet arrives after its
    // page has opened).
    function openOnTop(data) {
        window.nextPage(data.page);
        settle();
        for (var key in data.props)
            window.pageStack.currentPage[key] = data.props[key];
        return window.pageStack.currentPage;
    }

    function topView() {
        return window.historyEntry(window.historyCount() - 1).view;
    }

    function test_tabsAndUnreadMarks() {
        open(true, 30);
        function button(name) { return findChild(window, name + "TabButton"); }
        function marks() { return [window.unreadTweets, window.unreadMentions, window.unreadMessages]; }
        compare(tab("home").status, PageStatus.Active);
        dataHandler.newTweets();
        dataHandler.newMentions();
        dataHandler.newMessages();
        compare(marks(), [true, true, true]);
        compare(String(button("messages").iconSource).replace(/.*navigationbar-/, ""), "messages-unread.png");

        // Checking a marked tab goes through the window, which clears the mark.
        mouseClick(button("mentions"));
        compare([main().tabGroup.currentTab, tab("mentions").status, tab("home").status, button("mentions").checked],
                [tab("mentions"), PageStatus.Active, PageStatus.Inactive, true]);
        mouseClick(button("home"));
        mouseClick(button("messages"));
        // New messages do not mark the tab that shows them.
        dataHandler.newMessages();
        compare(marks(), [false, false, false]);
        compare(dataHandler.callsAmong(["clearMentionNotifications", "clearMessageNotifications"]),
                ["clearMentionNotifications()", "clearMessageNotifications()"]);

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
        var home = tab("home").list;
        tryCompare(home, "activeFocus", true);
        keyClick(Qt.Key_End);
        compare([home.currentIndex, home.itemAtIndex(29) !== null], [29, true], "the last row, on screen");
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
        closedWithFocusOn(menu, home);
    }

    // The dialog closes and the focus goes back to item.
    function closedWithFocusOn(dialog, item) {
        tryCompare(dialog, "status", DialogStatus.Closed);
        verify(item.activeFocus);
    }

    function test_windowKeysAndDialogs() {
        open(true, 3);
        function shown() { return [window.historyCount(), main().tabGroup.currentTab.objectName]; }
        keyClick(Qt.Key_2, Qt.AltModifier);
        compare(shown(), [1, "mentionsTab"]);
        tryCompare(tab("mentions").list, "activeFocus", true);
        keyClick(Qt.Key_1, Qt.AltModifier);
        keyClick(Qt.Key_Return);
        settle();
        compare(window.pageStack.depth, 2);
        keyClick(Qt.Key_3, Qt.AltModifier);
        settle();
        compare(shown(), [1, "messagesTab"]);
        keyClick(Qt.Key_N, Qt.ControlModifier);
        settle();
        compare(topView(), "ComposeView.qml");
        keyClick(Qt.Key_F, Qt.ControlModifier);
        settle();
        compare(shown(), [1, "searchTab"]);

        // A dialog takes the keys, and gives the focus back when it closes either way.
        keyClick(Qt.Key_1, Qt.AltModifier);
        var home = tab("home").list;
        tryCompare(home, "activeFocus", true);
        var dialog = createTemporaryObject(dialogComponent, main());
        var answers = [];
        dialog.accepted.connect(function () { answers.push("accepted"); });
        dialog.rejected.connect(function () { answers.push("rejected"); });
        dialog.open();
        verify(dialog.activeFocus);
        keyClick(Qt.Key_2, Qt.AltModifier);
        keyClick(Qt.Key_Tab);
        compare([main().tabGroup.currentTab.objectName, focused().objectName], ["homeTab", "dialogButton"]);
        keyClick(Qt.Key_Escape);
        closedWithFocusOn(dialog, home);
        dialog.open();
        keyClick(Qt.Key_Return, Qt.ControlModifier);
        closedWithFocusOn(dialog, home);
        compare(answers, ["rejected", "accepted"]);
    }

    function test_signedOut() {
        open(false);
        keyClick(Qt.Key_N, Qt.ControlModifier);
        keyClick(Qt.Key_2, Qt.AltModifier);
        compare([window.historyCount(), topView()], [1, "SignInView.qml"]);
        var before = dataHandler.count("updateTrendingTopics");
        keyClick(Qt.Key_F5);
        compare(dataHandler.count("updateTrendingTopics"), before + 1);

        keyClick(Qt.Key_F, Qt.ControlModifier);
        var field = findChild(window, "searchField");
        tryCompare(field, "activeFocus", true);
        keyClick(Qt.Key_A);
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
        if (data.tab)
            keyClick(Qt[data.tab], Qt.AltModifier);
        var page = data.tab ? main().tabGroup.currentTab : openOnTop(data);
        // Shown, the page asks for its subject (forced where the shared model may hold another's).
        if (data.asks)
            compare(dataHandler.callsAmong([data.asks.split("(")[0]]), [data.asks]);
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
            // The profile is asked again, not read from the cache.
            if (data.forced)
                compare(dataHandler.callsOf(data.refresh)[before][1], true);
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
            compare([editor.text, window.pageStack.depth], ["unsent words", depth]);
        }
        var sent = dataHandler.count(data.accept);
        keyClick(Qt.Key_Return, Qt.ControlModifier);
        compare(dataHandler.count(data.accept), sent + 1);
    }

    // Names, roles and the press action of the window's controls and rows, and of the pages'
    // (the component module's among them).
    function test_accessibleNames_data() {
        return tables.names;
    }

    function test_accessibleNames(data) {
        open(true, 2);
        myMessageModel.append({ screen_name: "bob", msg_text: "hi <b>there</b>", created_at: "Sat Dec 05 10:11:12 2026",
                                msg_unread: data.unread === true });
        testContext.set("profileview_screen_name", "bob");
        testContext.set("conversation_zirrupName", "alice");
        testContext.set("conversation_firstname", "Alice A");
        if (data.unread && !data.list)
            window.unreadMessages = true;
        if (data.tab !== undefined)
            main().showTab(data.tab);
        if (data.page)
            openOnTop(data);
        var item = findChild(data.page ? window.pageStack.currentPage : window, data.list || data.item);
        if (data.list) {
            tryVerify(function () { return item.itemAtIndex(data.tab ? 0 : 1) !== null; });
            item = item.itemAtIndex(data.tab ? 0 : 1);
        }
        verify(item.visible, "shown");
        var found = accessibility.describe(item);
        compare([found.name, found.role], [data.name, Accessible[data.role]]);
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

    function test_signInPage() {
        mySearchHistoryModel.append({ "query_item": "qt quick" });
        mySearchHistoryModel.append({ "query_item": "zirrup" });
        var page = startWindow("SignInView.qml").pageStack.currentPage;
        var field = findChild(page, "searchField");
        var history = findChild(page, "historyList");
        var trends = findChild(page, "trendsList");
        mouseClick(findChild(page, "signInButton"));
        mouseClick(findChild(page, "signUpButton"));
        compare(dataHandler.callsAmong(["createNewAccount", "linkClicked"]),
                ["createNewAccount()", 'linkClicked("http://mobile.zirrup.net/signup")']);

        // Typing shows the matching history in place of the trends; Return on an empty field
        // only clears it.
        mouseClick(field);
        compare([page.state, history.visible, trends.visible, field.platformSipAttributes.actionKeyLabel], ["search", true, false, "Done"]);
        keyClick(Qt.Key_Return);
        compare(root.pageStack.depth, 1);
        keyClick(Qt.Key_Q);
        tryVerify(function () { return history.itemAtIndex(1) !== null; });
        verify(history.itemAtIndex(0).visible && !history.itemAtIndex(1).visible);
        keyClick(Qt.Key_T);
        compare(field.platformSipAttributes.actionKeyLabel, "Search");
        keyClick(Qt.Key_Return);
        settle();
        compare(root.pageStack.currentPage.search_text, "qt");
        // Back on the page the trends are asked again (a trend opened is walked by the smoke test).
        root.prevPage();
        settle();
        compare(dataHandler.count("updateTrendingTopics"), 2);
    }

    function test_menuPage() {
        dataHandler.authenticatedUserName = "Me";
        testContext.set("profileview_screen_name", "Me");
        testContext.set("mylists_more_available", true);
        testContext.set("mylists_loading", true);
        for (var i = 0; i < 3; ++i)
            mySubscribedListsModel.append({ "name": "@me/list" + i, "desc": "about\n\nit", "isprivate": i === 1,
                                            "id": "7" + i, "screenName": "me", "avatar": "" });
        var page = startWindow("MenuView.qml").pageStack.currentPage;
        var list = page.list;
        tryVerify(function () { return list.itemAtIndex(2) !== null; });
        // The last row appeared while the lists were loading: more only once they have loaded.
        testContext.set("mylists_loading", false);
        page.loadMore(2);
        compare(dataHandler.callsAmong(["updateProfileView", "updateSubscribedLists", "moreSubscribedLists"]),
                ['updateProfileView("me")', "updateSubscribedLists()", "moreSubscribedLists()"]);
        dataHandler.currentUser = "someone";
        mouseClick(list.itemAtIndex(1));
        compare([dataHandler.currentListId, dataHandler.currentListName, dataHandler.currentUser], ["71", "@me/list1", "me"]);
        settle();
        compare(dataHandler.callsOf("updateListTweets"), [["71", true]]);
        root.startPage("SignInView.qml");
        wait(0);
        compare(dataHandler.count("cleanSubscribedLists"), 1);
    }
}
