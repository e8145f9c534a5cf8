import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// The sign-in page and the "more" page in the real window.
TestCase {
    id: testCase
    name: "SignInAndMenu"
    width: 480
    height: 854
    visible: true
    when: windowShown

    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")
    property var window: null
    property var page: null

    function open(view) {
        dataHandler.startViewResult = view;
        window = createTemporaryObject(rootComponent, testCase);
        window.pageStack.transitionDuration = 40;
        page = window.pageStack.currentPage;
        return page;
    }

    function init() {
        testContext.reset();
        InputContext.close(null);
        failOnWarning(/.?/);
    }

    function cleanup() {
        InputContext.close(null);
    }

    function test_signInActivation() {
        open("SignInView.qml");
        compare(dataHandler.count("updateTrendingTopics"), 1);
        var field = findChild(page, "searchField");
        field.text = "left over";
        page.status = PageStatus.Inactive;
        page.status = PageStatus.Active;
        compare(field.text, "");
        compare(dataHandler.count("updateTrendingTopics"), 2);
    }

    function test_signInButtons() {
        open("SignInView.qml");
        mouseClick(findChild(page, "signInButton"));
        compare(dataHandler.count("createNewAccount"), 1);
        mouseClick(findChild(page, "signUpButton"));
        compare(dataHandler.callsOf("linkClicked"), [["http://mobile.zirrup.net/signup"]]);
    }

    function test_searchFromTheSignInPage() {
        open("SignInView.qml");
        var field = findChild(page, "searchField");
        mouseClick(field);
        verify(InputContext.softwareInputPanelVisible);
        compare(field.platformSipAttributes.actionKeyLabel, "Done");

        // Return on an empty field only clears it.
        keyClick(Qt.Key_Return);
        compare(window.pageStack.depth, 1);

        keyClick(Qt.Key_Q);
        keyClick(Qt.Key_T);
        compare(field.text, "qt");
        compare(field.platformSipAttributes.actionKeyLabel, "Search");
        keyClick(Qt.Key_Return);
        compare(dataHandler.currentSearchString, "qt");
        tryCompare(window.pageStack, "busy", false);
        compare(window.pageStack.depth, 2);
        compare(window.pageStack.currentPage.search_text, "qt");
    }

    function test_historyWhileTyping() {
        myTrendsModel.append({ "query_item": "#meego", "id": "" });
        mySearchHistoryModel.append({ "query_item": "qt quick" });
        mySearchHistoryModel.append({ "query_item": "zirrup" });
        open("SignInView.qml");
        var history = findChild(page, "historyList");
        var trends = findChild(page, "trendsList");
        verify(!history.visible);
        verify(trends.visible);
        compare(page.state, "");

        findChild(page, "searchField").openSoftwareInputPanel();
        compare(dataHandler.callsOf("updateSearchHistory"), [[50]]);
        compare(page.state, "search");
        verify(history.visible);
        verify(!trends.visible);

        // Typing filters the rows.
        keyClick(Qt.Key_Q);
        tryVerify(function () { return history.itemAtIndex(1) !== null; });
        verify(history.itemAtIndex(0).visible);
        verify(!history.itemAtIndex(1).visible);
        compare(history.itemAtIndex(1).height, 0);

        findChild(page, "searchField").closeSoftwareInputPanel();
        compare(page.state, "");
        verify(!history.visible);
        verify(trends.visible);
    }

    function test_emptyHistoryKeepsTheTrends() {
        myTrendsModel.append({ "query_item": "#meego", "id": "" });
        open("SignInView.qml");
        findChild(page, "searchField").openSoftwareInputPanel();
        verify(findChild(page, "trendsList").visible);
        // Nothing to show: the logo and the sign-in block stay.
        compare(page.state, "");
    }

    function test_trendsBusyIndicator() {
        testContext.set("trends_is_loading", true);
        open("SignInView.qml");
        var trends = findChild(page, "trendsList");
        var busy = trends.parent.children[trends.parent.children.length - 2];
        verify(busy.visible);
        myTrendsModel.append({ "query_item": "#meego", "id": "" });
        tryVerify(function () { return !busy.visible; });
    }

    function test_trendOpensTheSearch() {
        myTrendsModel.append({ "query_item": "#meego", "id": "" });
        open("SignInView.qml");
        var trends = findChild(page, "trendsList");
        tryVerify(function () { return trends.itemAtIndex(0) !== null; });
        waitForItemPolished(trends);
        mouseClick(trends.itemAtIndex(0));
        compare(dataHandler.currentSearchString, "#meego");
        tryCompare(window.pageStack, "busy", false);
        compare(window.pageStack.currentPage.search_text, "#meego");
    }

    function test_menuPage() {
        dataHandler.authenticatedUserName = "Me";
        testContext.set("profileview_screen_name", "Me");
        testContext.set("profileview_favourites_count", 12);
        open("MenuView.qml");
        compare(dataHandler.currentUser, "me");
        compare(dataHandler.callsOf("updateProfileView"), [["me"]]);
        compare(dataHandler.count("updateSubscribedLists"), 1);
        compare(findChild(findChild(page, "profileRow"), "valueText").text, "Me");
        compare(findChild(findChild(page, "favoritesRow"), "valueText").text, "12");

        dataHandler.currentUser = "someone";
        mouseClick(findChild(page, "profileRow"));
        compare(dataHandler.currentUser, "me");
        tryCompare(window.pageStack, "busy", false);
        compare(window.pageStack.depth, 2);
        window.prevPage();
        tryCompare(window.pageStack, "busy", false);
        mouseClick(findChild(page, "retweetsRow"));
        tryCompare(window.pageStack, "busy", false);
        compare(dataHandler.count("updateRetweetedByMeView"), 1);
    }

    function test_menuPageSignedOut() {
        open("MenuView.qml");
        compare(dataHandler.count("updateProfileView"), 0);
        compare(dataHandler.count("updateSubscribedLists"), 0);
    }

    function test_subscribedLists() {
        dataHandler.authenticatedUserName = "me";
        for (var i = 0; i < 3; ++i)
            mySubscribedListsModel.append({ "name": "@me/list" + i, "desc": "about\n\nit", "isprivate": i === 1,
                                            "id": "7" + i, "screenName": "me", "avatar": "" });
        testContext.set("mylists_more_available", true);
        testContext.set("mylists_loading", true);
        open("MenuView.qml");
        var list = page.list;
        tryVerify(function () { return list.itemAtIndex(2) !== null; });
        // The last row appeared while the lists were loading.
        compare(dataHandler.count("moreSubscribedLists"), 0);
        testContext.set("mylists_loading", false);
        page.loadMore(2);
        compare(dataHandler.count("moreSubscribedLists"), 1);

        var row = list.itemAtIndex(1);
        verify(findChild(row, "lockImage").visible);
        verify(!findChild(list.itemAtIndex(0), "lockImage").visible);
        mouseClick(row);
        compare(dataHandler.currentListId, "71");
        compare(dataHandler.currentListName, "@me/list1");
        compare(dataHandler.currentUser, "me");
        tryCompare(window.pageStack, "busy", false);
        compare(window.pageStack.currentPage.listName, "@me/list1");
        compare(dataHandler.callsOf("updateListTweets"), [["71", true]]);

        window.startPage("SignInView.qml");
        wait(0);
        compare(dataHandler.count("cleanSubscribedLists"), 1);
    }
}
