import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "rows.js" as Rows

// A tweet row: what it shows, what a click and the avatar open, and the long-press menu.
TestCase {
    id: testCase
    name: "TimelineItem"
    width: 480
    height: 854
    visible: true
    when: windowShown

    FakeWindow {
        id: window
    }

    ListModel {
        id: rows
    }

    QtObject {
        id: tweetPage
        property string tweet_name: ""
        property bool goBackOnDone: false
        property bool editorOpened: false
        function openEditor() { editorOpened = true; }
    }

    Component {
        id: listComponent

        ListView {
            property var created: []
            function itemCreated(index) { created.push(index); }
            width: 480
            height: 854
            model: rows
            delegate: TimelineItem {}
        }
    }

    property var list: null

    function item(i) {
        list.positionViewAtIndex(i, ListView.Beginning);
        return list.itemAtIndex(i);
    }

    function init() {
        testContext.reset();
        window.reset();
        rows.clear();
        tweetPage.tweet_name = "";
        tweetPage.goBackOnDone = false;
        tweetPage.editorOpened = false;
        dataHandler.authenticatedUserName = "Me";
        testContext.set("zirrup_account_exists", true);
        list = createTemporaryObject(listComponent, testCase);
        failOnWarning(/.?/);
    }

    function button(menu, name) {
        return findChild(menu, name);
    }

    function test_rowShowsTheTweet() {
        rows.append(Rows.tweet("10", "alice", { "reply_name": "bob", "retweeted_name": "carol", "place": "Oulu",
                                                 "favorited": true, "retweeted_by_me_id": "99",
                                                 "status_text": "a <b>plain</b> text" }));
        rows.append(Rows.tweet("9", "dave", { "timestamp": "" }));
        tryCompare(list, "count", 2);
        tryVerify(function () { return list.created.length === 2; });
        compare(list.created, [0, 1]);

        var first = item(0);
        compare(first.children[0].color, "#ededed");
        compare(findChild(first, "retweetLine").visible, true);
        compare(findChild(first, "retweetLine").item.children[1].text, "by carol");
        verify(findChild(first, "placeMark").visible);
        verify(findChild(first, "favoriteMark").visible);
        verify(findChild(first, "retweetedByMeMark").visible);
        compare(findChild(first, "timeLabel").text, "ago:Sat Dec 05 10:11:12 2026");

        var second = item(1);
        compare(second.children[0].color, "#f2f2f2");
        verify(!findChild(second, "retweetLine").visible);
        verify(!findChild(second, "placeMark").visible);
        verify(!findChild(second, "favoriteMark").visible);
        verify(!findChild(second, "retweetedByMeMark").visible);
        // No time for a row without one.
        verify(!findChild(second, "timeLabel").visible);

        // The age is asked again when the controller says time has passed.
        rows.setProperty(0, "timestamp", "Sun Dec 06 01:02:03 2026");
        compare(findChild(first, "timeLabel").text, "ago:Sun Dec 06 01:02:03 2026");
        dataHandler.updateTimestamp();
        compare(findChild(first, "timeLabel").text, "ago:Sun Dec 06 01:02:03 2026");

        // Only the current row of the focused list is framed (a frame let go goes on the next turn).
        function framed(row) { return findChild(row, "rowFocusFrame") !== null; }
        list.currentIndex = 0;
        list.forceActiveFocus();
        verify(framed(first));
        verify(!framed(second));
        list.currentIndex = 1;
        verify(framed(second));
        tryVerify(function () { return !framed(first); });
        list.focus = false;
        tryVerify(function () { return !framed(second); });
    }

    function test_clicks() {
        rows.append(Rows.tweet("10", "alice", { "original_tweetid": "7" }));
        tryCompare(list, "count", 1);
        var row = item(0);
        mouseClick(row, 300, row.height / 2);
        compare(dataHandler.currentTweetId, "7");
        compare(dataHandler.callsOf("window.nextPage"), [["TweetView.qml"]]);

        mouseClick(findChild(row, "tweetAvatar"));
        compare(dataHandler.currentUser, "alice");
        compare(dataHandler.callsOf("window.nextPage")[1], ["ProfileView.qml"]);
    }

    function test_longPress() {
        rows.append(Rows.tweet("10", "alice", {}));
        tryCompare(list, "count", 1);
        var row = item(0);
        mousePress(row, 300, row.height / 2);
        tryVerify(function () { return row.menu !== null; });
        mouseRelease(row, 300, row.height / 2);
        // The release after a long press opens nothing.
        compare(dataHandler.count("window.nextPage"), 0);
        tryCompare(row.menu, "status", DialogStatus.Open);

        // A tap outside the panel closes the menu.
        mouseClick(row.menu, 240, 20);
        tryCompare(row.menu, "status", DialogStatus.Closed);

        // Without an account there is no menu.
        testContext.set("zirrup_account_exists", false);
        rows.append(Rows.tweet("9", "bob", {}));
        tryCompare(list, "count", 2);
        var other = item(1);
        mousePress(other, 300, other.height / 2);
        tryVerify(function () { return other.longPressed; });
        mouseRelease(other, 300, other.height / 2);
        compare(other.menu, null);
        compare(dataHandler.count("window.nextPage"), 0);
    }

    function test_menuCommands_data() {
        return [
            { tag: "someone else's tweet", name: "alice", extra: {}, retweet: true, remove: false },
            { tag: "own tweet", name: "me", extra: {}, retweet: false, remove: true },
            { tag: "own tweet, name in another case", name: "ME", extra: {}, retweet: false, remove: true },
            { tag: "protected author", name: "alice", extra: { "protected_profile": true }, retweet: false, remove: false },
        ];
    }

    function test_menuCommands(data) {
        rows.append(Rows.tweet("10", data.name, data.extra));
        tryCompare(list, "count", 1);
        var row = item(0);
        row.openMenu();
        compare(button(row.menu, "replyButton").visible, true);
        compare(button(row.menu, "retweetButton").visible, data.retweet);
        compare(button(row.menu, "deleteButton").visible, data.remove);
        compare(button(row.menu, "favoriteButton").visible, true);
    }

    function test_retweetAndFavourite() {
        rows.append(Rows.tweet("10", "alice", { "original_tweetid": "7" }));
        tryCompare(list, "count", 1);
        var row = item(0);
        row.openMenu();
        var retweet = button(row.menu, "retweetButton");
        compare(retweet.children[1].children[0].text, "Retweet");
        retweet.clicked();
        compare(dataHandler.callsOf("retweetMessage"), [["7"]]);
        tryCompare(row.menu, "status", DialogStatus.Closed);

        rows.setProperty(0, "retweeted_by_me_id", "99");
        row.openMenu();
        compare(retweet.children[1].children[0].text, "Undo retweet");
        verify(String(retweet.children[1].children[0].iconSource).indexOf("zirrup-icon-menu-retweet-marked.png") > 0);
        retweet.clicked();
        compare(dataHandler.callsOf("undoRetweet"), [["99", "7"]]);

        var favourite = button(row.menu, "favoriteButton");
        compare(favourite.children[1].children[0].text, "Favourite");
        favourite.clicked();
        rows.setProperty(0, "favorited", true);
        compare(favourite.children[1].children[0].text, "Unfavourite");
        favourite.clicked();
        compare(dataHandler.callsOf("favoriteTweet"), [["7", true], ["7", false]]);
    }

    function test_deleteAsksFirst() {
        rows.append(Rows.tweet("10", "me", { "original_tweetid": "7" }));
        tryCompare(list, "count", 1);
        var row = item(0);
        row.openMenu();
        button(row.menu, "deleteButton").clicked();
        var dialog = findChild(row.menu, "deleteDialog");
        tryCompare(dialog, "status", DialogStatus.Open);
        compare(dataHandler.count("deleteTweet"), 0);
        findChild(dialog, "rejectButton").clicked();
        compare(dataHandler.count("deleteTweet"), 0);

        row.openMenu();
        button(row.menu, "deleteButton").clicked();
        findChild(dialog, "confirmButton").clicked();
        // The tweet row itself is deleted, not the original a retweet row shows.
        compare(dataHandler.callsOf("deleteTweet"), [["10"]]);
    }

    function test_reply() {
        rows.append(Rows.tweet("10", "alice", { "original_tweetid": "7" }));
        tryCompare(list, "count", 1);
        var row = item(0);
        window.nextPageResult = tweetPage;
        row.openMenu();
        button(row.menu, "replyButton").clicked();
        compare(dataHandler.currentTweetId, "7");
        compare(dataHandler.callsOf("window.nextPage"), [["TweetView.qml"]]);
        compare(tweetPage.tweet_name, "alice");
        compare(tweetPage.goBackOnDone, true);
        compare(tweetPage.editorOpened, true);

        // A refused page (already open) is left alone.
        window.nextPageResult = null;
        row.openMenu();
        button(row.menu, "replyButton").clicked();
        compare(dataHandler.count("window.nextPage"), 2);
    }
}
