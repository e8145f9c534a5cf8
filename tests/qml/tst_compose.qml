import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"

// Writing tweets and direct messages: the count the OK buttons follow, sending, leaving with unsent
// text, a mention put in at the cursor, the place, and the recipients offered; and the search
// results page, its tabs, saving and the history while typing.
PageTestCase {
    id: testCase
    name: "Compose"

    FakeWindow { id: window }
    readonly property var tables: testContext.readJson("data/compose.json")
    Component { id: composeComponent; ComposeView { width: 480; height: 854; visible: true } }
    Component { id: tweetComponent; TweetView { width: 480; height: 854; visible: true } }

    readonly property var picture: ({ "pic_url": "qrc:/resources/images/zirrup-gallery-button.png",
                                      "role_orientation_portrait": false, "role_aspect_ratio": 0.75 })

    function setUp() {
        window.reset();
        testContext.set("zirrup_account_exists", true);
        dataHandler.authenticatedUserName = "me";
    }

    function reply() {
        return createTemporaryObject(tweetComponent, testCase, { tweet_name: "alice", tweet_tweetid: "7" });
    }

    function test_counterAndOk_data() {
        return tables.counterAndOk;
    }

    function test_counterAndOk(data) {
        var text = "x".repeat(data.xs) + data.link;
        var page = createTemporaryObject(composeComponent, testCase);
        findChild(page, "composeEditor").text = text;
        var counter = findChild(page, "counter");
        var replyPage = reply();
        findChild(replyPage, "replyEditor").text = text;
        compare([counter.text, String(counter.color), findChild(page, "composeTopBar").okButtonEnabled, replyPage.validMessage],
                [data.left, Number(data.left) < 0 ? "#cc3333" : "#8a8a8a", data.ok, data.ok]);
    }

    function test_sendAndReplyTarget() {
        testContext.set("composeview_in_reply_to", "bob");
        testContext.set("geo_id", "place9");
        var page = createTemporaryObject(composeComponent, testCase);
        var editor = findChild(page, "composeEditor");
        compare(editor.text, "@bob ");
        editor.text = "@bob hi";
        editor.locationEnabled = true;
        mouseClick(findChild(page, "okButton"));
        compare(dataHandler.callsAmong(["postTweetMessage", "postTweetWithMedia", "prepareReplyTo", "cleanUploadImages", "window.prevPage"]),
                ['postTweetMessage("@bob hi","place9")', 'prepareReplyTo("")', "cleanUploadImages()", "window.prevPage()"]);

        // A picture costs its characters (sending it is walked by the smoke test).
        tweetImageUploadModel.append(picture);
        page = createTemporaryObject(composeComponent, testCase);
        findChild(page, "composeEditor").text = "lake";
        compare(findChild(page, "counter").text, String(140 - 4 - 21));
    }

    function test_leavingWithUnsentText_data() {
        return tables.leavingWithUnsentText;
    }

    function test_leavingWithUnsentText(data) {
        if (data.picture)
            tweetImageUploadModel.append(picture);
        var page = data.reply ? reply() : createTemporaryObject(composeComponent, testCase);
        var editor = findChild(page, data.reply ? "replyEditor" : "composeEditor");
        if (data.reply) {
            editor.state = "";
            tryCompare(findChild(page, "replyCommitBar"), "opacity", 1);
        }
        editor.text = data.text;
        var closed = data.reply ? function () { return editor.minimized && editor.text === ""; }
                                : function () { return dataHandler.count("window.prevPage") === 1; };
        mouseClick(findChild(page, "cancelButton"));
        var dialog = findChild(page, "discardDialog");
        if (!data.asks) {
            compare([closed(), dataHandler.count("cleanUploadImages")], [true, 1]);
            return;
        }
        // Keeping the text is tried from the keyboard in tst_mainview.
        tryCompare(dialog, "status", DialogStatus.Open);
        verify(!closed());
        findChild(dialog, "confirmButton").clicked();
        verify(closed());
        compare(dataHandler.count("postTweetMessage") + dataHandler.count("replyToTweetMessage"), 0);
    }

    function test_placeAndMention() {
        myFollowerModel.append({ "peoplelistitem_zirrupname": "bob", "peoplelistitem_realname": "Bob",
                                 "peoplelistitem_following": true, "peoplelistitem_avatar": "" });
        var page = createTemporaryObject(composeComponent, testCase);
        var editor = findChild(page, "composeEditor");
        // No place found: the waiting ends, the place stays off.
        editor.locating = true;
        testContext.set("geo_location", "error");
        compare([editor.locating, editor.locationEnabled], [false, false]);
        // A source that never answers gives up with a notice instead of spinning on.
        findChild(editor, "locateTimeout").interval = 50;
        editor.locating = true;
        tryVerify(function () { return !editor.locating; });
        compare(dataHandler.callsOf("window.showError"), [["Your position is not available."]]);

        editor.text = "hello world";
        editor.cursorPosition = 6;
        mouseClick(findChild(page, "mentionButton"));
        var sheet = editor.mentionSheet;
        tryCompare(sheet, "status", DialogStatus.Open);
        compare(dataHandler.callsOf("updateFollowersView"), [["me", false]]);
        var list = findChild(sheet, "mentionList");
        tryCompare(list, "count", 1);
        mouseClick(list.itemAtIndex(0));
        tryCompare(sheet, "status", DialogStatus.Closed);
        compare([editor.text, editor.cursorPosition], ["hello @bob world", 11]);
    }

    function test_messageChecks() {
        testContext.set("conversation_zirrupName", "bob");
        var page = openPage("MessagingConversationView.qml");
        var field = findChild(page, "replyField");
        field.forceActiveFocus();
        compare([page.state, window.showToolBar], ["editing", false]);
        field.text = "x".repeat(141);
        verify(!findChild(page, "okCancelBar").okButtonEnabled);
        // Bob does not follow the user: nothing is sent and the user is told.
        field.text = "x".repeat(140);
        page.send();
        compare([dataHandler.count("postDirectMessage"), dataHandler.count("window.showError"), field.text, page.state, window.showToolBar],
                [0, 1, "", "", true]);

        // Sending to a follower, here and in the composer, is walked by the smoke test.
        testContext.set("composeview_screenname", "carol");
        var composer = openPage("MessageComposeView.qml");
        var editor = findChild(composer, "messageEditor");
        // The service wraps neither links nor pictures into a message: its plain length counts.
        tweetImageUploadModel.append(picture);
        editor.text = "http://example.org/" + "x".repeat(122);
        compare([findChild(composer, "messagingCounter").text, composer.validMessage], ["-1", false]);
        editor.text = "http://example.org/" + "x".repeat(121);
        verify(composer.validMessage);
        editor.text = "Hello";
        composer.send();
        compare([dataHandler.count("window.showError"), dataHandler.count("postDirectMessage")], [2, 0]);
    }

    // The search results page on its own, shown.
    function openSearch(query) {
        dataHandler.currentSearchString = query;
        var page = openPage("SearchView.qml", { "height": 780 });
        activate(page);
        return page;
    }

    function test_tabs() {
        var page = openSearch("coffee");
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
        dataHandler.savedSearchIds = { "coffee": "5" };
        var page = openSearch("coffee");
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
        var page = openSearch("coffee");
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
}
