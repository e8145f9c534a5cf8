import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "rows.js" as Rows

// The results page of a search on its own, with the controller and the window faked.
TestCase {
    id: testCase
    name: "SearchView"
    width: 480
    height: 854
    visible: true
    when: windowShown

    FakeWindow {
        id: window
    }

    function open(query) {
        dataHandler.currentSearchString = query;
        var page = createTemporaryObject(Qt.createComponent("qrc:/resources/qml/SearchView.qml"), testCase,
                                         { "width": 480, "height": 780 });
        verify(page);
        page.visible = true;
        page.status = PageStatus.Activating;
        page.status = PageStatus.Active;
        return page;
    }

    function tool(page, name) {
        return findChild(page.tools, name);
    }

    function init() {
        testContext.reset();
        window.reset();
        InputContext.close(null);
        testContext.set("zirrup_account_exists", true);
        failOnWarning(/.?/);
    }

    function cleanup() {
        InputContext.close(null);
    }

    function test_tabs() {
        var page = open("coffee");
        compare(dataHandler.callsOf("searchTweets"), [["coffee"]]);
        compare(dataHandler.callsOf("updateSearchHistory"), [[50]]);
        compare(dataHandler.count("emitUpdateTimestamp"), 1);
        compare(dataHandler.count("updateSavedSearches"), 1);
        compare(findChild(page, "searchField").text, "coffee");

        var people = findChild(page, "peopleTab");
        compare(people.width, 120);
        mouseClick(people);
        verify(page.searchProfiles);
        compare(dataHandler.callsOf("searchProfiles"), [["coffee"]]);
        findChild(page, "timelineTab").clicked();
        compare(dataHandler.callsOf("searchTimeline"), [["coffee"]]);
        // The current tab again searches nothing new.
        findChild(page, "timelineTab").clicked();
        compare(dataHandler.count("searchTimeline"), 1);
        findChild(page, "tweetsTab").clicked();
        compare(dataHandler.callsOf("searchTweets"), [["coffee"], ["coffee"]]);

        // Without an account: two halves and no save toggle.
        testContext.set("zirrup_account_exists", false);
        verify(!people.visible);
        verify(!findChild(page, "timelineTab").visible);
        compare(findChild(page, "nearbyTab").width, 240);
        verify(!tool(page, "saveButton").visible);
        page.status = PageStatus.Inactive;
        page.status = PageStatus.Active;
        compare(dataHandler.count("updateSavedSearches"), 1);
    }

    function test_loadMore_data() {
        return [
            { tag: "all tweets", tab: "tweetsTab", more: "searchview_more_tweets_available",
              busy: "searchview_searching_more_tweets", call: "searchMoreTweets" },
            { tag: "timeline", tab: "timelineTab", more: "searchview_more_tweets_available",
              busy: "searchview_searching_more_tweets", call: "" },
            { tag: "people", tab: "peopleTab", more: "searchview_more_profiles_available",
              busy: "searchview_searching_more_profiles", call: "searchMoreProfiles" },
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

    function test_saveToggle() {
        dataHandler.savedSearchIds = { "coffee": "5" };
        var page = open("coffee");
        var save = tool(page, "saveButton");
        verify(page.saved);
        verify(String(save.iconSource).indexOf("zirrup-icon-toolbar-favourite-marked.png") > 0);
        save.clicked();
        compare(dataHandler.callsOf("deleteSearch"), [["coffee"]]);

        // Nothing while a save or delete is outstanding; its end looks the state up again.
        testContext.set("savedsearches_is_loading", true);
        save.clicked();
        dataHandler.savedSearchIds = {};
        testContext.set("savedsearches_is_loading", false);
        verify(!page.saved);
        compare(String(save.iconSource), "image://theme/icon-m-toolbar-favorite-unmark");
        save.clicked();
        compare(dataHandler.callsOf("saveSearch"), [["coffee"]]);
        compare(dataHandler.count("deleteSearch"), 1);
    }

    function test_historyWhileTyping() {
        mySearchHistoryModel.append({ "query_item": "coffee" });
        mySearchHistoryModel.append({ "query_item": "tea" });
        var page = open("coffee");
        var field = findChild(page, "searchField");
        var history = findChild(page, "historyList");
        field.openSoftwareInputPanel();
        verify(history.visible);
        verify(!findChild(page, "resultList").visible);

        // An emptied field shows no rows at all; typing shows the matching ones.
        field.text = "";
        tryVerify(function () { return history.itemAtIndex(1) !== null; });
        verify(!history.itemAtIndex(0).visible);
        verify(!history.itemAtIndex(1).visible);
        keyClick(Qt.Key_T);
        verify(!history.itemAtIndex(0).visible);
        verify(history.itemAtIndex(1).visible);

        dataHandler.reset();
        waitForItemPolished(history);
        mouseClick(history.itemAtIndex(1));
        compare(page.search_text, "tea");
        compare(dataHandler.callsOf("searchTweets"), [["tea"]]);
        compare(dataHandler.callsOf("updateSearchHistory"), [[50]]);
        verify(!history.visible);
        compare(field.text, "tea");

        // Closing the panel on an empty field searches for nothing; with other text the query
        // comes back.
        field.openSoftwareInputPanel();
        field.text = "tex";
        field.closeSoftwareInputPanel();
        compare(field.text, "tea");
        field.openSoftwareInputPanel();
        field.text = "";
        field.closeSoftwareInputPanel();
        compare(page.search_text, "");
        compare(dataHandler.callsOf("searchTweets"), [["tea"], [""]]);
    }

    function test_emptyTextShrinks() {
        var page = open("a very long query that cannot fit");
        var empty = findChild(page, "emptyText");
        verify(empty.visible);
        compare(empty.text, "No tweet results for \"a very long query that cannot fit\"");
        verify(empty.font.pixelSize < 50);
        verify(empty.paintedWidth <= empty.width);
        testContext.set("searchview_searching_tweets", true);
        verify(!empty.visible);
        testContext.set("searchview_searching_tweets", false);
        findChild(page, "peopleTab").clicked();
        compare(empty.text, "No people results for \"a very long query that cannot fit\"");
    }

    function test_backClearsTheSearchString() {
        var page = open("coffee");
        page.status = PageStatus.Deactivating;
        page.status = PageStatus.Inactive;
        compare(dataHandler.currentSearchString, "coffee");
        page.status = PageStatus.Activating;
        page.status = PageStatus.Active;
        tool(page, "backButton").clicked();
        compare(dataHandler.count("window.prevPage"), 1);
        page.status = PageStatus.Deactivating;
        page.status = PageStatus.Inactive;
        compare(dataHandler.currentSearchString, "");
    }

    function test_nearbyWithoutPosition() {
        var page = open("coffee");
        findChild(page, "nearbyTab").clicked();
        // Test runs see no position source: the page says so instead of spinning, and searches
        // nothing.
        verify(findChild(page, "noPositionText").visible);
        verify(!page.searching);
        verify(!findChild(page, "resultList").visible);
        compare(dataHandler.count("searchTweets"), 1);
    }
}
