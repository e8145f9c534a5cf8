import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "rows.js" as Rows

// Searching: the results page on its own with the window faked, then the sign-in page and the
// "more" page in the real window.
PageTestCase {
    id: testCase
    name: "SearchView"

    FakeWindow { id: window }
    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")
    property var root: null

    function open(query) {
        dataHandler.currentSearchString = query;
        var page = createTemporaryObject(Qt.createComponent("qrc:/resources/qml/SearchView.qml"), testCase,
                                         { "width": 480, "height": 780, "visible": true });
        page.status = PageStatus.Activating;
        page.status = PageStatus.Active;
        return page;
    }

    // The real window with the given start page.
    function start(view) {
        dataHandler.startViewResult = view;
        root = createTemporaryObject(rootComponent, testCase);
        root.pageStack.transitionDuration = 40;
        return root.pageStack.currentPage;
    }

    function settle() {
        tryCompare(root.pageStack, "busy", false);
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
        compare(dataHandler.callsOf("updateSearchHistory"), [[50]]);
        var people = findChild(page, "peopleTab");
        mouseClick(people);
        compare(dataHandler.callsOf("searchProfiles"), [["coffee"]]);
        findChild(page, "timelineTab").clicked();
        // The current tab again searches nothing new.
        findChild(page, "timelineTab").clicked();
        compare(dataHandler.callsOf("searchTimeline"), [["coffee"]]);
        // Test runs see no position source: the page says so instead of spinning, and searches
        // nothing.
        findChild(page, "nearbyTab").clicked();
        verify(findChild(page, "noPositionText").visible);
        verify(!page.searching);
        compare(dataHandler.count("searchTweets"), 1);
    }

    function test_loadMore_data() {
        return [
            { tag: "all tweets", tab: "tweetsTab", more: "searchview_more_tweets_available", busy: "searchview_searching_more_tweets", call: "searchMoreTweets" },
            { tag: "timeline", tab: "timelineTab", more: "searchview_more_tweets_available", busy: "searchview_searching_more_tweets", call: "" },
            { tag: "people", tab: "peopleTab", more: "searchview_more_profiles_available", busy: "searchview_searching_more_profiles", call: "searchMoreProfiles" },
        ];
    }

    function test_loadMore(data) {
        Rows.fill(myTweetSearchModel, 4);
        for (var i = 0; i < 4; ++i)
            myProfileSearchModel.append({ "peoplelistitem_zirrupname": "user" + i, "peoplelistitem_realname": "",
                                          "peoplelistitem_following": false, "peoplelistitem_avatar": "" });
        var page = open("coffee");
        page.currentTab = findChild(page, data.tab);
        var list = findChild(page, "resultList");
        var calls = ["searchMoreTweets", "searchMoreProfiles"];
        list.itemCreated(3);
        testContext.set(data.more, true);
        testContext.set(data.busy, true);
        list.itemCreated(3);
        testContext.set(data.busy, false);
        list.itemCreated(2);
        compare(dataHandler.names(calls), []);
        list.itemCreated(3);
        compare(dataHandler.names(calls), data.call ? [data.call] : []);
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
        compare(dataHandler.names(["saveSearch", "deleteSearch"]), ["saveSearch"]);
        // Only leaving for good clears the search string.
        page.status = PageStatus.Inactive;
        compare(dataHandler.currentSearchString, "coffee");
        page.status = PageStatus.Active;
        findChild(page.tools, "backButton").clicked();
        page.status = PageStatus.Inactive;
        compare(dataHandler.currentSearchString, "");
    }

    function test_historyWhileTyping() {
        mySearchHistoryModel.append({ "query_item": "coffee" });
        mySearchHistoryModel.append({ "query_item": "tea" });
        var page = open("coffee");
        var field = findChild(page, "searchField");
        var history = findChild(page, "historyList");
        field.openSoftwareInputPanel();
        verify(history.visible && !findChild(page, "resultList").visible);
        // An emptied field shows no rows at all; typing shows the matching ones.
        field.text = "";
        tryVerify(function () { return history.itemAtIndex(1) !== null; });
        verify(!history.itemAtIndex(0).visible && !history.itemAtIndex(1).visible);
        keyClick(Qt.Key_T);
        verify(!history.itemAtIndex(0).visible && history.itemAtIndex(1).visible);
        dataHandler.reset();
        waitForItemPolished(history);
        mouseClick(history.itemAtIndex(1));
        compare(dataHandler.callsOf("searchTweets"), [["tea"]]);
        verify(!history.visible);
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
        myTrendsModel.append({ "query_item": "#meego", "id": "" });
        mySearchHistoryModel.append({ "query_item": "qt quick" });
        mySearchHistoryModel.append({ "query_item": "zirrup" });
        var page = start("SignInView.qml");
        var field = findChild(page, "searchField");
        var history = findChild(page, "historyList");
        var trends = findChild(page, "trendsList");
        mouseClick(findChild(page, "signInButton"));
        compare(dataHandler.count("createNewAccount"), 1);
        mouseClick(findChild(page, "signUpButton"));
        compare(dataHandler.callsOf("linkClicked"), [["http://mobile.zirrup.net/signup"]]);

        // Typing shows the matching history in place of the trends; Return on an empty field
        // only clears it.
        mouseClick(field);
        compare(page.state, "search");
        verify(history.visible && !trends.visible);
        compare(field.platformSipAttributes.actionKeyLabel, "Done");
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

        // Back on the page the trends are asked again (the field emptied is walked by the smoke test).
        root.prevPage();
        settle();
        compare(dataHandler.count("updateTrendingTopics"), 2);
        tryVerify(function () { return trends.itemAtIndex(0) !== null; });
        waitForItemPolished(trends);
        mouseClick(trends.itemAtIndex(0));
        settle();
        compare(root.pageStack.currentPage.search_text, "#meego");
    }

    function test_menuPage() {
        dataHandler.authenticatedUserName = "Me";
        testContext.set("profileview_screen_name", "Me");
        testContext.set("mylists_more_available", true);
        testContext.set("mylists_loading", true);
        for (var i = 0; i < 3; ++i)
            mySubscribedListsModel.append({ "name": "@me/list" + i, "desc": "about\n\nit", "isprivate": i === 1,
                                            "id": "7" + i, "screenName": "me", "avatar": "" });
        var page = start("MenuView.qml");
        compare(dataHandler.callsOf("updateProfileView"), [["me"]]);
        compare(dataHandler.count("updateSubscribedLists"), 1);
        var list = page.list;
        tryVerify(function () { return list.itemAtIndex(2) !== null; });
        // The last row appeared while the lists were loading.
        compare(dataHandler.count("moreSubscribedLists"), 0);
        testContext.set("mylists_loading", false);
        page.loadMore(2);
        compare(dataHandler.count("moreSubscribedLists"), 1);
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
