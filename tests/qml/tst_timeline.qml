import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"

// The lists of tweets and people: loading state, pull to refresh and loading more on every kind of
// list page, the home list's unread marks and reading position, and a tweet row (what it shows,
// its clicks and its menu); a profile, its counters and editor, and the pages behind it.
PageTestCase {
    id: testCase
    name: "Timeline"

    FakeWindow { id: window }
    QtObject {
        id: tweetPage
        property string tweet_name: ""
        property bool goBackOnDone: false
        property bool editorOpened: false
        function openEditor() { editorOpened = true; }
    }

    property var page: null
    readonly property var tables: testContext.readJson("data/timeline.json")

    function open(properties) {
        page = openPage("TimelineView.qml", properties);
        return page;
    }

    // The first row of a home list holding the given tweets, once every row is made.
    function row(tweets) {
        tweets.forEach(function (t) { myTimelineModel.append(t); });
        var list = open({}).list;
        tryVerify(function () { return list.itemAtIndex(tweets.length - 1) !== null; });
        return list.itemAtIndex(0);
    }

    function setUp() {
        window.reset();
        testContext.set("mentions_is_refreshing", false);
        testContext.set("zirrup_account_exists", true);
        dataHandler.authenticatedUserName = "Me";
        dataHandler.currentUser = "bob";
        dataHandler.currentListId = "77";
    }

    function test_loadingState_data() {
        return tables.loadingState;
    }

    function test_loadingState(data) {
        if (data.flag)
            testContext.set(data.flag, true);
        open(data.props);
        // An empty list says so only when nothing is loading.
        var empty = findChild(page, "emptyText");
        compare([page.isLoading, findChild(page, "refreshingHeader").height, empty.visible],
                [data.loading, data.loading ? 60 : 0, !data.loading]);
        if (data.empty)
            compare(empty.text, data.empty);
    }

    function test_activation() {
        open({ "showMentions": true });
        activate(page);
        // An empty mentions list asks for mentions, a full one does not.
        fillTweets(myMentionsModel, 3);
        activate(page);
        compare([dataHandler.count("updateMentionsView"), dataHandler.count("emitUpdateTimestamp")], [1, 2]);

        open({ "showRetweetedByMe": true });
        compare(page.tools.visible, false);
        activate(page);
        findChild(page.tools, "backButton").clicked();
        page.destroy();
        wait(0);
        compare(dataHandler.callsAmong(["updateRetweetedByMeView", "window.prevPage", "cleanRetweetsView"]),
                ["updateRetweetedByMeView()", "window.prevPage()", "cleanRetweetsView()"]);
    }

    function test_pullToRefresh_data() {
        return tables.pullToRefresh;
    }

    function test_pullToRefresh(data) {
        ["myTimelineModel", "myMentionsModel", "myRetweetedModel", "myTweetsModel"].forEach(function (name) {
            fillTweets(testContext.get(name), 20);
        });
        for (var i = 0; i < 20; ++i)
            myFollowerModel.append({ "peoplelistitem_zirrupname": "user" + i, "peoplelistitem_realname": "User " + i,
                                     "peoplelistitem_following": false, "peoplelistitem_avatar": "" });
        page = openPage(data.file, data.props);
        var list = page.list;
        // A short pull does nothing (tried on the home list: the pulls take time).
        if (data.tag === "home") {
            var deepest = 0;
            pull(list, 100, function () { deepest = Math.min(deepest, page.position); });
            verify(deepest < 0 && deepest >= -120, "pulled, not past the threshold: " + deepest);
            compare(dataHandler.count(data.call), 0);
        }
        // A long one asks once, lets go of the list and shows the top.
        var bandShown = false;
        pull(list, 400, function () { bandShown = bandShown || data.tag !== "home" || findChild(page, "pulldownHeader").visible; });
        verify(bandShown, "the pull-down band shows while the list is pulled");
        compare([dataHandler.callsOf("releaseMouse"), dataHandler.callsOf(data.call), list.contentY],
                [[[list.objectName]], [data.args], list.originY]);
        if (data.tag === "home") {
            pull(list, 400);
            compare(dataHandler.count(data.call), 2, "the next pull asks again");
        }
    }

    // Only the last row asks for more, only when more is available, and not while a flag says the
    // list is busy.
    function test_loadMore_data() {
        return tables.loadMore;
    }

    function test_loadMore(data) {
        if (data.model === "myProfileSearchModel") {
            for (var i = 0; i < 4; ++i)
                myProfileSearchModel.append({ "peoplelistitem_zirrupname": "user" + i, "peoplelistitem_realname": "",
                                              "peoplelistitem_following": false, "peoplelistitem_avatar": "" });
        } else {
            fillTweets(testContext.get(data.model), 4);
        }
        dataHandler.currentSearchString = "coffee";
        page = openPage(data.file, data.props);
        var list = page.list;
        if (data.tab) {
            activate(page);
            page.currentTab = findChild(page, data.tab);
            list = findChild(page, "resultList");
        }
        var calls = ["moreTimelineView", "moreMentionsView", "moreRetweetedByMeView", "moreUserTweets",
                     "moreUserFavorites", "moreListTweets", "searchMoreTweets", "searchMoreProfiles"];
        list.itemCreated(3);
        testContext.set(data.more, true);
        list.itemCreated(2);
        data.busy.forEach(function (flag) {
            testContext.set(flag, true);
            list.itemCreated(3);
            testContext.set(flag, false);
        });
        compare(dataHandler.callsAmong(calls), []);
        list.itemCreated(3);
        compare(dataHandler.callsAmong(calls), data.asks ? [data.asks] : []);
    }

    function test_unreadMarksAndPosition() {
        fillTweets(myTimelineModel, 40);
        fillTweets(myMentionsModel, 40);
        myTimelineModel.setProperty(12, "original_tweetid", "orig-12");
        var home = open({});
        var mentions = openPage("TimelineView.qml", { "showMentions": true, "x": 480 });
        // A flick that ends far down leaves the mark; the top clears it.
        home.list.positionViewAtIndex(20, ListView.Beginning);
        window.unreadTweets = true;
        mousePress(home.list, 240, 400);
        for (var i = 1; i <= 5; ++i)
            mouseMove(home.list, 240, 400 - 40 * i, 10, Qt.LeftButton);
        mouseRelease(home.list, 240, 200, Qt.LeftButton, Qt.NoModifier, 10);
        tryCompare(home.list, "moving", false);
        var marks = [window.unreadTweets];
        home.list.positionViewAtBeginning();
        compare(marks.concat(window.unreadTweets), [true, false]);

        // The window's tab signals scroll their own list to the top and clear its mark.
        home.list.positionViewAtEnd();
        mentions.list.positionViewAtEnd();
        window.unreadTweets = true;
        window.unreadMentions = true;
        window.showMentionsTab();
        compare([window.unreadMentions, window.unreadTweets, mentions.list.contentY, home.list.contentY > home.list.originY],
                [false, true, mentions.list.originY, true]);
        // The top bar scrolls to the top too.
        mouseClick(home, 240, 36);
        compare(home.list.contentY, home.list.originY);

        // Only the home list keeps its reading position.
        window.restoreCurrentTweetId(12);
        compare([home.list.indexAt(25, home.list.contentY + 25), mentions.list.contentY], [12, mentions.list.originY]);
        window.saveCurrentTweetId();
        compare(dataHandler.callsOf("setCurrentVisibleTweetId"), [["orig-12"]]);
    }

    function test_rowShowsTheTweet() {
        var first = row([tweet("10", "alice", { "reply_name": "bob", "retweeted_name": "carol", "place": "Oulu", "favorited": true,
                                                      "retweeted_by_me_id": "99" }),
                         tweet("9", "dave", { "timestamp": "" })]);
        var second = page.list.itemAtIndex(1);
        ["retweetLine", "placeMark", "favoriteMark", "retweetedByMeMark", "timeLabel"].forEach(function (name) {
            verify(findChild(first, name).visible, name);
            verify(!findChild(second, name).visible, name);
        });
        // The age is asked again when the controller says time has passed.
        myTimelineModel.setProperty(0, "timestamp", "Sun Dec 06 01:02:03 2026");
        dataHandler.updateTimestamp();
        compare(findChild(first, "timeLabel").text, "ago:Sun Dec 06 01:02:03 2026");

        // Only the current row of the focused list is framed.
        function framed(row) { return findChild(row, "rowFocusFrame") !== null; }
        page.list.currentIndex = 0;
        page.list.forceActiveFocus();
        verify(framed(first) && !framed(second));
        page.list.focus = false;
        tryVerify(function () { return !framed(first); });

        mouseClick(first, 300, first.height / 2);
        var tweetId = dataHandler.currentTweetId;
        mouseClick(findChild(first, "tweetAvatar"));
        compare([tweetId, dataHandler.currentUser, dataHandler.callsOf("window.nextPage")],
                ["10", "alice", [["TweetView.qml"], ["ProfileView.qml"]]]);

        // A long press opens the menu and nothing else; a tap outside the panel closes it.
        mousePress(second, 300, second.height / 2);
        tryVerify(function () { return second.menu !== null; });
        mouseRelease(second, 300, second.height / 2);
        compare(dataHandler.count("window.nextPage"), 2);
        tryCompare(second.menu, "status", DialogStatus.Open);
        mouseClick(second.menu, 240, 20);
        tryCompare(second.menu, "status", DialogStatus.Closed);
        // Without an account there is no menu.
        testContext.set("zirrup_account_exists", false);
        mousePress(first, 300, first.height / 2);
        tryVerify(function () { return first.longPressed; });
        mouseRelease(first, 300, first.height / 2);
        compare(first.menu, null);
    }

    function test_menuCommands_data() {
        return tables.menuCommands;
    }

    function test_menuCommands(data) {
        var first = row([tweet("10", data.name, data.extra)]);
        first.openMenu();
        compare(["retweetButton", "deleteButton", "replyButton"].map(function (name) { return findChild(first.menu, name).visible; }),
                [data.retweet, data.remove, true]);
    }

    function test_menuActions() {
        var first = row([tweet("10", "me", { "original_tweetid": "7" })]);
        first.openMenu();
        var menu = first.menu;
        var retweet = findChild(menu, "retweetButton");
        var favourite = findChild(menu, "favoriteButton");
        var label = function (button) { return button.children[1].children[0].text; };
        var labels = [label(favourite)];
        retweet.clicked();
        tryCompare(menu, "status", DialogStatus.Closed);
        myTimelineModel.setProperty(0, "retweeted_by_me_id", "99");
        retweet.clicked();
        favourite.clicked();
        myTimelineModel.setProperty(0, "favorited", true);
        favourite.clicked();
        compare(labels.concat(label(retweet), label(favourite)), ["Favourite", "Undo retweet", "Unfavourite"]);
        compare(dataHandler.callsAmong(["retweetMessage", "undoRetweet", "favoriteTweet"]),
                ['retweetMessage("7")', 'undoRetweet("99","7")', 'favoriteTweet("7",true)', 'favoriteTweet("7",false)']);

        // Deleting asks first, and deletes the row's own tweet, not the original a retweet shows.
        first.openMenu();
        findChild(menu, "deleteButton").clicked();
        var dialog = findChild(menu, "deleteDialog");
        tryCompare(dialog, "status", DialogStatus.Open);
        findChild(dialog, "rejectButton").clicked();
        first.openMenu();
        findChild(menu, "deleteButton").clicked();
        findChild(dialog, "confirmButton").clicked();
        compare(dataHandler.callsOf("deleteTweet"), [["10"]]);

        // A reply opens the tweet with its editor; a refused page (already open) is left alone.
        window.nextPageResult = tweetPage;
        first.openMenu();
        findChild(menu, "replyButton").clicked();
        compare([dataHandler.currentTweetId, tweetPage.tweet_name, tweetPage.goBackOnDone, tweetPage.editorOpened],
                ["7", "me", true, true]);
        window.nextPageResult = null;
        first.openMenu();
        findChild(menu, "replyButton").clicked();
        compare(dataHandler.count("window.nextPage"), 2);
    }

    // Shown and left again.
    function showAndLeave(page) {
        activate(page);
        page.status = PageStatus.Deactivating;
        page.status = PageStatus.Inactive;
    }

    function test_profilePagesActivation_data() {
        return tables.profilePagesActivation;
    }

    function test_profilePagesActivation(data) {
        var page = openPage(data.file);
        dataHandler[data.key] = "bob";
        showAndLeave(page);
        // The first time the request is forced: the shared model may hold someone else's rows.
        showAndLeave(page);
        compare(dataHandler.count("updateProfileSubView"), data.sub ? 2 : 0);
        dataHandler[data.key] = "carol";
        showAndLeave(page);
        compare(dataHandler.callsOf(data.call), [["bob", true], ["bob", false], ["carol", !data.once]]);
        if (!data.once)
            return;
        // Back from the profile editor the page keeps what the service answered to the edit.
        page.navigatedToProfileEdit = true;
        showAndLeave(page);
        compare(dataHandler.count(data.call), 3);
    }

    function test_leavingCleansTheSharedModel() {
        var favourites = openPage("FavoritesView.qml");
        dataHandler.currentListName = "@alice/friends";
        var list = openPage("ListTweetsView.qml");
        showAndLeave(list);
        var name = list.listName;
        favourites.destroy();
        list.destroy();
        wait(0);
        compare([name, dataHandler.callsAmong(["cleanFavoritesView", "cleanTweetsView"])],
                ["@alice/friends", ["cleanFavoritesView()", "cleanTweetsView()"]]);
    }

    function test_blockAndFollowList() {
        testContext.set("profile_subview_screen_name", "bob");
        var page = openPage("UserTweetsView.qml");
        var block = findChild(page.tools, "blockButton");
        block.clicked();
        testContext.set("profile_subview_blocked", true);
        verify(String(block.iconSource).indexOf("zirrup-icon-toolbar-blocked.png") > 0);
        block.clicked();
        // Not while the profile is loading, not on the own profile.
        testContext.set("profileview_loading", true);
        block.clicked();
        compare(dataHandler.callsOf("blockProfile"), [["bob", true], ["bob", false]]);
        testContext.set("profile_subview_own_profile", true);
        verify(!block.visible);

        var list = openPage("ListTweetsView.qml");
        var follow = findChild(list.tools, "followListButton");
        // Subscribing is walked by the smoke test.
        testContext.set("tweetsview_following_list", true);
        follow.clicked();
        compare(dataHandler.callsAmong(["subscribeList", "unsubscribeList"]), ['unsubscribeList("77")']);
        // Not on the own lists.
        dataHandler.authenticatedUserName = "Bob";
        showAndLeave(list);
        verify(!follow.visible);
    }

    function test_profileCounters_data() {
        return tables.profileCounters;
    }

    function test_profileCounters(data) {
        testContext.set("profileview_screen_name", "Bob");
        testContext.set("profileview_protected", data.protect === true);
        testContext.set("profileview_following", data.following === true);
        var page = openPage("ProfileView.qml");
        mouseClick(findChild(page, data.counter));
        var dialog = findChild(page, "protectedDialog");
        if (data.file) {
            compare([dataHandler.callsOf("window.nextPage"), dataHandler.currentUser, dialog.status],
                    [[[data.file]], "Bob", DialogStatus.Closed]);
            return;
        }
        compare(dataHandler.count("window.nextPage"), 0);
        tryCompare(dialog, "status", DialogStatus.Open);
        mouseClick(findChild(dialog, "sendRequestButton"));
        compare(dataHandler.callsOf("followProfile"), [["Bob", true]]);
    }

}
