import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// Searching: the results page on its own with the window faked, then the sign-in page and the
// "more" page in the real window.
PageTestCase {
    id: testCase
    name: "SearchView"

    FakeWindow { id: window }

    function open(query) {
        dataHandler.currentSearchString = query;
        var page = openPage("SearchView.qml", { "height": 780 });
        activate(page);
        return page;
    }

    function setUp() {
        window.reset();
        InputContext.close(null);
    }

    function cleanup() {
        InputContext.close(null);
    }

    function test_tabs() {
        testContext.set("zirrup_account_exists", true);
        var page = open("coffee");
        // The current tab again searches nothing new (the other tabs are walked by the smoke test).
        findChild(page, "timelineTab").clicked();
        findChild(page, "timelineTab").clicked();
        // Test runs see no position source: the page says so instead of spinning, and searches
        // nothing.
        findChild(page, "nearbyTab").clicked();
        compare([findChild(page, "noPositionText").visible, page.searching], [true, false]);
        compare(dataHandler.callsAmong(["updateSearchHistory", "searchTimeline", "searchTweets"]),
                ['searchTweets("coffee")', "updateSearchHistory(50)", 'searchTimeline("coffee")']);
    }

    function test_saveWhileBusyAndBack() {
        testContext.set("zirrup_account_exists", true);
        dataHandler.savedSearchIds = { "coffee": "5" };
        var page = open("coffee");
        var save = findChild(page.tools, "saveButton");
        // Nothing while a save or delete is outstanding; its end looks the state up again.
        testContext.set("savedsearches_is_loading", true);
        save.clicked();
        // Deleted without a signal, as the controller's lookup does not notify.
        delete dataHandler.savedSearchIds["coffee"];
        testContext.set("savedsearches_is_loading", false);
        save.clicked();
        compare(dataHandler.callsAmong(["saveSearch", "deleteSearch"]), ['saveSearch("coffee")']);
        // Only leaving for good clears the search string.
        page.status = PageStatus.Inactive;
        var kept = dataHandler.currentSearchString;
        page.status = PageStatus.Active;
        findChild(page.tools, "backButton").clicked();
        page.status = PageStatus.Inactive;
        compare([kept, dataHandler.currentSearchString], ["coffee", ""]);
    }

    function test_historyWhileTyping() {
        mySearchHistoryModel.append({ "query_item": "coffee" });
        mySearchHistoryModel.append({ "query_item": "tea" });
        var page = open("coffee");
        var field = findChild(page, "searchField");
        var history = findChild(page, "historyList");
        function shown() { return [history.itemAtIndex(0).visible, history.itemAtIndex(1).visible]; }
        field.openSoftwareInputPanel();
        verify(history.visible && !findChild(page, "resultList").visible);
        // An emptied field shows no rows at all; typing shows the matching ones.
        field.text = "";
        tryVerify(function () { return history.itemAtIndex(1) !== null; });
        var rows = [shown()];
        keyClick(Qt.Key_T);
        compare(rows.concat([shown()]), [[false, false], [false, true]]);
        dataHandler.reset();
        waitForItemPolished(history);
        mouseClick(history.itemAtIndex(1));
        compare([dataHandler.callsOf("searchTweets"), history.visible], [[["tea"]], false]);
        // Closing the panel on an empty field searches for nothing; with other text the query
        // comes back.
        field.openSoftwareInputPanel();
        field.text = "tex";
        field.closeSoftwareInputPanel();
        compare(field.text, "tea");
        field.openSoftwareInputPanel();
        field.text = "";
        field.closeSoftwareInputPanel();
        compare(dataHandler.callsOf("searchTweets"), [["tea"], [""]]);
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
