import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "rows.js" as Rows

// The home, mentions and retweets lists: loading state, pull to refresh, loading more, unread
// marks and keeping the reading position.
TestCase {
    id: testCase
    name: "Timeline"
    width: 480
    height: 854
    visible: true
    when: windowShown

    FakeWindow {
        id: window
    }

    property Component timelineComponent: Qt.createComponent("qrc:/resources/qml/TimelineView.qml")
    property var page: null

    function open(properties) {
        page = createTemporaryObject(timelineComponent, testCase, properties || {});
        verify(page);
        page.visible = true;
        return page;
    }

    function activate(p) {
        p.status = PageStatus.Activating;
        p.status = PageStatus.Active;
    }

    // Drags the list down by distance pixels; between each step check(page) may look at it.
    function pull(list, distance, check) {
        var x = list.width / 2;
        var y = 60;
        mousePress(list, x, y);
        for (var i = 1; i <= 8; ++i) {
            mouseMove(list, x, y + distance * i / 8, 10, Qt.LeftButton);
            if (check)
                check();
        }
        mouseRelease(list, x, y + distance, Qt.LeftButton, Qt.NoModifier, 10);
    }

    function init() {
        testContext.reset();
        window.reset();
        failOnWarning(/.?/);
    }

    function test_loadingState_data() {
        return [
            { tag: "idle", props: {}, flags: {}, loading: false },
            { tag: "home refreshing", props: {}, flags: { "timelineview_is_refreshing": true }, loading: true },
            { tag: "home catching up", props: {}, flags: { "timelineview_is_catching_up": true }, loading: true },
            { tag: "home ignores mentions", props: {}, flags: { "mentions_is_refreshing": true }, loading: false },
            { tag: "mentions refreshing", props: { "showMentions": true }, flags: { "mentions_is_refreshing": true }, loading: true },
            { tag: "mentions ignore home", props: { "showMentions": true }, flags: { "timelineview_is_refreshing": true }, loading: false },
            { tag: "signing in", props: { "showMentions": true }, flags: { "zirrup_authenticating": true }, loading: true },
            { tag: "retweets refreshing", props: { "showRetweetedByMe": true }, flags: { "timelineview_is_refreshing": true }, loading: true },
        ];
    }

    function test_loadingState(data) {
        testContext.set("mentions_is_refreshing", false);
        for (var flag in data.flags)
            testContext.set(flag, data.flags[flag]);
        open(data.props);
        compare(page.isLoading, data.loading);
        var header = findChild(page, "refreshingHeader");
        compare(header.height, data.loading ? 60 : 0);
        // An empty list says so only when nothing is loading.
        compare(findChild(page, "emptyText").visible, !data.loading);
    }

    function test_emptyTexts() {
        testContext.set("mentions_is_refreshing", false);
        compare(findChild(open({}), "emptyText").text, "No tweets");
        compare(findChild(open({ "showMentions": true }), "emptyText").text, "No mentions");
        compare(findChild(open({ "showRetweetedByMe": true }), "emptyText").text, "No retweets");
        Rows.fill(myTimelineModel, 2);
        verify(!findChild(open({}), "emptyText").visible);
    }

    function test_retweetsPage() {
        testContext.set("timelineview_is_refreshing", true);
        open({ "showRetweetedByMe": true });
        // Nothing to refresh yet: a busy wheel instead of the refreshing band.
        verify(!findChild(page, "refreshingHeader").visible);
        compare(page.tools.visible, false);
        activate(page);
        compare(dataHandler.count("updateRetweetedByMeView"), 1);
        compare(dataHandler.count("emitUpdateTimestamp"), 1);
        Rows.fill(myRetweetedModel, 1);
        tryVerify(function () { return findChild(page, "refreshingHeader").visible; });

        findChild(page.tools, "backButton").clicked();
        compare(dataHandler.count("window.prevPage"), 1);

        page.destroy();
        wait(0);
        compare(dataHandler.count("cleanRetweetsView"), 1);
    }

    function test_mentionsActivation() {
        open({ "showMentions": true });
        activate(page);
        // An empty mentions list asks for mentions.
        compare(dataHandler.count("updateMentionsView"), 1);
        compare(dataHandler.count("emitUpdateTimestamp"), 1);

        Rows.fill(myMentionsModel, 3);
        activate(page);
        compare(dataHandler.count("updateMentionsView"), 1);
        compare(dataHandler.count("emitUpdateTimestamp"), 2);

        open({});
        activate(page);
        compare(dataHandler.count("updateMentionsView"), 1);
        compare(dataHandler.count("updateRetweetedByMeView"), 0);
    }

    function test_pullToRefresh_data() {
        return [
            { tag: "home", props: {}, model: "myTimelineModel", call: "refreshTimelineView", list: "homeList" },
            { tag: "mentions", props: { "showMentions": true }, model: "myMentionsModel", call: "refreshMentionsView", list: "mentionsList" },
            { tag: "retweets", props: { "showRetweetedByMe": true }, model: "myRetweetedModel", call: "updateRetweetedByMeView", list: "retweetsList" },
        ];
    }

    function test_pullToRefresh(data) {
        testContext.set("mentions_is_refreshing", false);
        Rows.fill(testContext.get(data.model), 20);
        open(data.props);
        var list = page.list;
        compare(list.objectName, data.list);

        if (data.tag === "home") {
            // A short pull does nothing.
            var deepest = 0;
            pull(list, 100, function () { deepest = Math.min(deepest, page.position); });
            verify(deepest < 0, "the list was pulled");
            verify(deepest >= -120, "not past the threshold: " + deepest);
            compare(dataHandler.count(data.call), 0);
            tryCompare(list, "moving", false);
        }

        // A long one asks once, lets go of the list and shows the top.
        var headerShown = false;
        pull(list, 400, function () { headerShown = headerShown || findChild(page, "pulldownHeader").visible; });
        verify(headerShown, "the pull-down band shows while the list is pulled");
        compare(dataHandler.count(data.call), 1);
        compare(dataHandler.callsOf("releaseMouse"), [[data.list]]);
        tryCompare(list, "moving", false);
        compare(list.contentY, list.originY);

        // The next pull asks again.
        if (data.tag === "home") {
            pull(list, 400);
            compare(dataHandler.count(data.call), 2);
        }
    }

    function test_scrollingToTheTopClearsTheUnreadMark() {
        Rows.fill(myTimelineModel, 30);
        open({});
        var list = page.list;
        list.positionViewAtIndex(20, ListView.Beginning);
        window.unreadTweets = true;
        // A flick that ends far down leaves the mark.
        mousePress(list, 240, 400);
        for (var i = 1; i <= 5; ++i)
            mouseMove(list, 240, 400 - 40 * i, 10, Qt.LeftButton);
        mouseRelease(list, 240, 200, Qt.LeftButton, Qt.NoModifier, 10);
        tryCompare(list, "moving", false);
        compare(window.unreadTweets, true);
        list.positionViewAtBeginning();
        compare(window.unreadTweets, false);

        open({ "showMentions": true });
        Rows.fill(myMentionsModel, 30);
        page.list.positionViewAtIndex(20, ListView.Beginning);
        window.unreadMentions = true;
        window.unreadTweets = true;
        page.list.positionViewAtBeginning();
        compare(window.unreadMentions, false);
        compare(window.unreadTweets, true);
    }

    function test_loadMore_data() {
        return [
            { tag: "home", props: {}, model: "myTimelineModel", more: "timelineview_more_tweets_available", call: "moreTimelineView" },
            { tag: "mentions", props: { "showMentions": true }, model: "myMentionsModel", more: "timelineview_more_mentions_available", call: "moreMentionsView" },
            { tag: "retweets", props: { "showRetweetedByMe": true }, model: "myRetweetedModel", more: "timelineview_more_retweets_available", call: "moreRetweetedByMeView" },
        ];
    }

    function test_loadMore(data) {
        testContext.set("mentions_is_refreshing", false);
        var model = testContext.get(data.model);
        Rows.fill(model, 5);
        open(data.props);
        var list = page.list;
        // Only the last row asks, and only when more is available.
        list.itemCreated(4);
        compare(dataHandler.count(data.call), 0);
        testContext.set(data.more, true);
        list.itemCreated(3);
        compare(dataHandler.count(data.call), 0);
        list.itemCreated(4);
        compare(dataHandler.count(data.call), 1);
        // Not while older rows or the first page are being loaded.
        testContext.set("timelineview_is_loading_more", true);
        list.itemCreated(4);
        compare(dataHandler.count(data.call), 1);
        testContext.set("timelineview_is_loading_more", false);
        testContext.set("zirrup_authenticating", true);
        list.itemCreated(4);
        compare(dataHandler.count(data.call), 1);
        testContext.set("zirrup_authenticating", false);

        // Scrolling to the end creates the last row, which asks by itself.
        Rows.fill(model, 25);
        list.positionViewAtEnd();
        tryVerify(function () { return dataHandler.count(data.call) === 2; });
    }

    function test_lastRowWhileLoadingMoreStartsNothing() {
        testContext.set("timelineview_more_tweets_available", true);
        testContext.set("timelineview_is_loading_more", true);
        Rows.fill(myTimelineModel, 3);
        open({});
        compare(page.list.count, 3);
        compare(dataHandler.count("moreTimelineView"), 0);
        testContext.set("timelineview_is_loading_more", false);
        myTimelineModel.append(Rows.tweet("1", "late", {}));
        tryVerify(function () { return dataHandler.count("moreTimelineView") === 1; });
    }

    function test_readingPosition() {
        Rows.fill(myTimelineModel, 40);
        myTimelineModel.setProperty(12, "original_tweetid", "orig-12");
        open({});
        window.restoreCurrentTweetId(12);
        compare(page.list.indexAt(25, page.list.contentY + 25), 12);
        window.saveCurrentTweetId();
        compare(dataHandler.callsOf("setCurrentVisibleTweetId"), [["orig-12"]]);

        // Only the home list keeps its position.
        page.destroy();
        wait(0);
        Rows.fill(myMentionsModel, 40);
        var mentions = open({ "showMentions": true });
        window.restoreCurrentTweetId(30);
        compare(mentions.list.contentY, mentions.list.originY);
        window.saveCurrentTweetId();
        compare(dataHandler.count("setCurrentVisibleTweetId"), 1);
    }

    function test_windowSignals() {
        Rows.fill(myTimelineModel, 40);
        Rows.fill(myMentionsModel, 40);
        var home = open({});
        var mentions = createTemporaryObject(timelineComponent, testCase, { "showMentions": true });
        home.list.positionViewAtEnd();
        mentions.list.positionViewAtEnd();
        window.unreadTweets = true;
        window.unreadMentions = true;

        window.showMentionsTab();
        compare(window.unreadMentions, false);
        compare(window.unreadTweets, true);
        compare(mentions.list.contentY, mentions.list.originY);
        verify(home.list.contentY > home.list.originY);

        window.showHomePage();
        compare(window.unreadTweets, false);
        compare(home.list.contentY, home.list.originY);
    }

    function test_topBarScrollsToTheTop() {
        Rows.fill(myTimelineModel, 40);
        open({});
        page.list.positionViewAtEnd();
        var pane = page.children[1];
        mouseClick(page, 240, 36);
        compare(page.list.contentY, page.list.originY);
        // The logo goes home instead.
        mouseClick(findChild(page, "topBarLogo"));
        compare(dataHandler.count("window.homePage"), 1);
    }
}
