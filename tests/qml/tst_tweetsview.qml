import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "rows.js" as Rows

// The pages of one user's tweets, one user's favourites and one list's tweets, and the list page
// they share with the followers and following pages.
TestCase {
    id: testCase
    name: "TweetsView"
    width: 480
    height: 854
    visible: true
    when: windowShown

    FakeWindow {
        id: window
    }

    function open(file) {
        var page = createTemporaryObject(Qt.createComponent("qrc:/resources/qml/" + file), testCase);
        verify(page, file);
        page.visible = true;
        return page;
    }

    function activate(page) {
        page.status = PageStatus.Activating;
        page.status = PageStatus.Active;
        page.status = PageStatus.Deactivating;
        page.status = PageStatus.Inactive;
    }

    function pull(list, distance) {
        var x = list.width / 2;
        var y = 60;
        mousePress(list, x, y);
        for (var i = 1; i <= 8; ++i)
            mouseMove(list, x, y + distance * i / 8, 10, Qt.LeftButton);
        mouseRelease(list, x, y + distance, Qt.LeftButton, Qt.NoModifier, 10);
        tryCompare(list, "moving", false);
    }

    function tool(page, name) {
        return findChild(page.tools, name);
    }

    function init() {
        testContext.reset();
        window.reset();
        failOnWarning(/.?/);
    }

    function test_activation_data() {
        return [
            { tag: "user tweets", file: "UserTweetsView.qml", call: "updateUserTweets", key: "currentUser", sub: true },
            { tag: "favourites", file: "FavoritesView.qml", call: "updateUserFavorites", key: "currentUser", sub: true },
            { tag: "list tweets", file: "ListTweetsView.qml", call: "updateListTweets", key: "currentListId", sub: false },
        ];
    }

    function test_activation(data) {
        var page = open(data.file);
        dataHandler[data.key] = "bob";
        activate(page);
        // The first time the request is forced: the shared model may hold someone else's tweets.
        compare(dataHandler.callsOf(data.call), [["bob", true]]);
        compare(dataHandler.callsOf("updateProfileSubView"), data.sub ? [["bob"]] : []);
        activate(page);
        compare(dataHandler.callsOf(data.call), [["bob", true], ["bob", false]]);
        dataHandler[data.key] = "carol";
        activate(page);
        compare(dataHandler.callsOf(data.call)[2], ["carol", true]);
    }

    function test_titleAndCount() {
        testContext.set("profile_subview_favourites_count", 1234);
        testContext.set("profile_subview_statuses_count", 56);
        var favourites = open("FavoritesView.qml");
        compare(findChild(favourites, "countText").text, "1234");
        verify(findChild(favourites, "profileHeader").visible);
        var tweets = open("UserTweetsView.qml");
        compare(findChild(tweets, "countText").text, "56");

        dataHandler.currentListId = "77";
        dataHandler.currentListName = "@alice/friends";
        var list = open("ListTweetsView.qml");
        activate(list);
        compare(list.listName, "@alice/friends");
        compare(findChild(list, "countText").text, "");
        verify(!findChild(list, "profileHeader").visible);
    }

    function test_pullToRefresh_data() {
        return [
            { tag: "user tweets", file: "UserTweetsView.qml", call: "updateUserTweets", subject: "bob" },
            { tag: "favourites", file: "FavoritesView.qml", call: "updateUserFavorites", subject: "bob" },
            { tag: "list tweets", file: "ListTweetsView.qml", call: "updateListTweets", subject: "77" },
            { tag: "followers", file: "FollowersView.qml", call: "updateFollowersView", subject: "bob" },
            { tag: "following", file: "FollowingView.qml", call: "updateFollowingView", subject: "bob" },
        ];
    }

    function test_pullToRefresh(data) {
        Rows.fill(myTweetsModel, 20);
        Rows.fill(myFavoritesModel, 20);
        for (var i = 0; i < 20; ++i) {
            var person = { "peoplelistitem_zirrupname": "user" + i, "peoplelistitem_realname": "User " + i,
                           "peoplelistitem_following": false, "peoplelistitem_avatar": "" };
            myFollowerModel.append(person);
            myFollowingModel.append(person);
        }
        dataHandler.currentUser = "bob";
        dataHandler.currentListId = "77";
        var page = open(data.file);
        var list = page.list;

        // A short pull does nothing.
        pull(list, 100);
        compare(dataHandler.count(data.call), 0);

        pull(list, 400);
        compare(dataHandler.names(["updateProfileView", "releaseMouse", data.call]),
                ["updateProfileView", "releaseMouse", data.call]);
        compare(dataHandler.callsOf("updateProfileView"), [["bob"]]);
        compare(dataHandler.callsOf("releaseMouse"), [[list.objectName]]);
        // Forced, or the controller would skip the subject it already shows.
        compare(dataHandler.callsOf(data.call), [[data.subject, true]]);

        // The threshold is smaller in landscape.
        compare(page.pullThreshold, 120);
        window.inPortrait = false;
        compare(page.pullThreshold, 100);
    }

    function test_loadMore_data() {
        return [
            { tag: "user tweets", file: "UserTweetsView.qml", model: "myTweetsModel", call: "moreUserTweets", subject: "bob" },
            { tag: "favourites", file: "FavoritesView.qml", model: "myFavoritesModel", call: "moreUserFavorites", subject: "bob" },
            { tag: "list tweets", file: "ListTweetsView.qml", model: "myTweetsModel", call: "moreListTweets", subject: "77" },
        ];
    }

    function test_loadMore(data) {
        dataHandler.currentUser = "bob";
        dataHandler.currentListId = "77";
        Rows.fill(testContext.get(data.model), 4);
        var page = open(data.file);
        page.list.itemCreated(3);
        compare(dataHandler.count(data.call), 0);
        testContext.set("tweetsview_more_tweets_available", true);
        testContext.set("tweetsview_is_refreshing", true);
        page.list.itemCreated(3);
        compare(dataHandler.count(data.call), 0);
        testContext.set("tweetsview_is_refreshing", false);
        testContext.set("tweetsview_is_loading_more", true);
        page.list.itemCreated(3);
        compare(dataHandler.count(data.call), 0);
        testContext.set("tweetsview_is_loading_more", false);
        page.list.itemCreated(2);
        compare(dataHandler.count(data.call), 0);
        page.list.itemCreated(3);
        compare(dataHandler.callsOf(data.call), [[data.subject]]);
    }

    function test_blockToggle() {
        testContext.set("zirrup_account_exists", true);
        testContext.set("profile_subview_screen_name", "bob");
        var page = open("UserTweetsView.qml");
        var block = tool(page, "blockButton");
        verify(block.visible);
        verify(String(block.iconSource).indexOf("zirrup-icon-toolbar-block.png") > 0);
        block.clicked();
        compare(dataHandler.callsOf("blockProfile"), [["bob", true]]);

        testContext.set("profile_subview_blocked", true);
        verify(String(block.iconSource).indexOf("zirrup-icon-toolbar-blocked.png") > 0);
        block.clicked();
        compare(dataHandler.callsOf("blockProfile")[1], ["bob", false]);

        // Not while the profile is loading, not on the own profile, not without an account.
        testContext.set("profileview_loading", true);
        block.clicked();
        compare(dataHandler.count("blockProfile"), 2);
        testContext.set("profile_subview_own_profile", true);
        verify(!block.visible);
        testContext.set("profile_subview_own_profile", false);
        testContext.set("zirrup_account_exists", false);
        verify(!block.visible);

        testContext.set("zirrup_account_exists", true);
        var list = open("ListTweetsView.qml");
        verify(!tool(list, "blockButton").visible);
        // The follow button subscribes to the list, or ends the subscription.
        var follow = tool(list, "followListButton");
        dataHandler.currentListId = "301";
        verify(follow.visible);
        follow.clicked();
        testContext.set("tweetsview_following_list", true);
        verify(String(follow.iconSource).indexOf("zirrup-icon-toolbar-following.png") > 0);
        follow.clicked();
        compare(dataHandler.names(["subscribeList", "unsubscribeList"]), ["subscribeList", "unsubscribeList"]);
        compare(dataHandler.callsOf("unsubscribeList"), [["301"]]);
        verify(!tool(page, "followListButton").visible);
        // Not on the own lists.
        dataHandler.authenticatedUserName = "Alice";
        dataHandler.currentUser = "alice";
        activate(list);
        verify(!follow.visible);
    }

    function test_destructionClearsTheModel() {
        open("FavoritesView.qml").destroy();
        wait(0);
        compare(dataHandler.names(["cleanFavoritesView", "cleanTweetsView"]), ["cleanFavoritesView"]);
        open("UserTweetsView.qml").destroy();
        open("ListTweetsView.qml").destroy();
        wait(0);
        compare(dataHandler.names(["cleanFavoritesView", "cleanTweetsView"]),
                ["cleanFavoritesView", "cleanTweetsView", "cleanTweetsView"]);
    }

    function test_emptyTexts() {
        var favourites = open("FavoritesView.qml");
        compare(findChild(favourites, "emptyText").text, "No favourites");
        verify(findChild(favourites, "emptyText").visible);
        testContext.set("tweetsview_is_refreshing", true);
        verify(!findChild(favourites, "emptyText").visible);
        compare(findChild(open("UserTweetsView.qml"), "emptyText").text, "No tweets");
    }
}
