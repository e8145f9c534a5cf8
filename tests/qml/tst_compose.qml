import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"

// Writing: the count the OK buttons follow, sending, leaving with unsent text, and mentions put
// in at the cursor.
TestCase {
    id: testCase
    name: "Compose"
    width: 480
    height: 854
    visible: true
    when: windowShown

    FakeWindow {
        id: window
    }

    Component {
        id: composeComponent
        ComposeView {
            width: 480
            height: 854
            visible: true
        }
    }

    Component {
        id: tweetComponent
        TweetView {
            width: 480
            height: 854
            visible: true
        }
    }

    function init() {
        testContext.reset();
        window.reset();
        testContext.set("zirrup_account_exists", true);
        dataHandler.authenticatedUserName = "me";
        failOnWarning(/.?/);
    }

    readonly property string picture: "qrc:/resources/images/zirrup-gallery-button.png"

    function repeat(count) {
        return new Array(count + 1).join("x");
    }

    function test_counterAndOk_data() {
        var link = "http://example.org/" + repeat(100);
        return [
            { tag: "empty", text: "", left: "140", ok: false },
            { tag: "140", text: repeat(140), left: "0", ok: true },
            { tag: "141", text: repeat(141), left: "-1", ok: false },
            // 120 characters and a link that counts 20 of its 119.
            { tag: "long link counted short", text: repeat(119) + " " + link, left: "0", ok: true },
        ];
    }

    function test_counterAndOk(data) {
        var page = createTemporaryObject(composeComponent, testCase);
        var editor = findChild(page, "composeEditor");
        editor.text = data.text;
        compare(findChild(page, "counter").text, data.left);
        compare(findChild(page, "composeTopBar").okButtonEnabled, data.ok);

        var reply = createTemporaryObject(tweetComponent, testCase, { tweet_name: "alice", tweet_tweetid: "7" });
        findChild(reply, "replyEditor").text = data.text;
        compare(reply.validMessage, data.ok);
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
        compare(dataHandler.names(["postTweetMessage", "postTweetWithMedia", "prepareReplyTo",
                                   "cleanUploadImages", "window.prevPage"]),
                ["postTweetMessage", "prepareReplyTo", "cleanUploadImages", "window.prevPage"]);
        compare(dataHandler.callsOf("postTweetMessage"), [["@bob hi", "place9"]]);
        compare(dataHandler.callsOf("prepareReplyTo"), [[""]]);

        // With a picture the tweet goes through the picture path, and costs its characters.
        dataHandler.reset();
        tweetImageUploadModel.append({ "pic_url": testCase.picture, "role_orientation_portrait": false,
                                       "role_aspect_ratio": 0.75 });
        page = createTemporaryObject(composeComponent, testCase);
        editor = findChild(page, "composeEditor");
        editor.text = "lake";
        compare(findChild(page, "counter").text, String(140 - 4 - 21));
        mouseClick(findChild(page, "okButton"));
        compare(dataHandler.callsOf("postTweetWithMedia"), [["lake", ""]]);
        compare(dataHandler.count("postTweetMessage"), 0);
    }

    function test_leavingWithUnsentText_data() {
        return [
            { tag: "compose, empty", reply: false, text: "", picture: false, asks: false },
            { tag: "compose, text", reply: false, text: "draft", picture: false, asks: true },
            { tag: "compose, picture only", reply: false, text: "", picture: true, asks: true },
            { tag: "reply, only the author", reply: true, text: "@alice ", picture: false, asks: false },
            { tag: "reply, text", reply: true, text: "@alice yes", picture: false, asks: true },
            { tag: "reply, author and picture", reply: true, text: "@alice ", picture: true, asks: true },
        ];
    }

    function test_leavingWithUnsentText(data) {
        if (data.picture)
            tweetImageUploadModel.append({ "pic_url": testCase.picture, "role_orientation_portrait": false,
                                           "role_aspect_ratio": 0.75 });
        var page = data.reply ? createTemporaryObject(tweetComponent, testCase, { tweet_name: "alice", tweet_tweetid: "7" })
                              : createTemporaryObject(composeComponent, testCase);
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
            verify(closed());
            compare(dialog.status, DialogStatus.Closed);
            compare(dataHandler.count("cleanUploadImages"), 1);
            return;
        }
        tryCompare(dialog, "status", DialogStatus.Open);
        compare(findChild(dialog, "confirmButton").text, "Discard");
        verify(!closed());
        findChild(dialog, "rejectButton").clicked();
        tryCompare(dialog, "status", DialogStatus.Closed);
        verify(!closed());
        compare(editor.text, data.text);

        mouseClick(findChild(page, "cancelButton"));
        tryCompare(dialog, "status", DialogStatus.Open);
        findChild(dialog, "confirmButton").clicked();
        verify(closed());
        compare(dataHandler.count("postTweetMessage") + dataHandler.count("replyToTweetMessage"), 0);
    }

    function test_place() {
        var page = createTemporaryObject(composeComponent, testCase);
        var editor = findChild(page, "composeEditor");
        // No place found: the waiting ends, the place stays off.
        editor.locating = true;
        testContext.set("geo_location", "error");
        verify(!editor.locating);
        verify(!editor.locationEnabled);
        compare(editor.locationId, "");

        editor.locating = true;
        testContext.set("geo_id", "p7");
        testContext.set("geo_location", "Kallio, Helsinki");
        verify(editor.locationEnabled);
        compare(editor.locationId, "p7");
        compare(findChild(page, "locationLabel").text, "from Kallio, Helsinki");
        mouseClick(findChild(page, "locationButton"));
        verify(!editor.locationEnabled);
        compare(dataHandler.callsOf("getGeoLocation"), [["", ""]]);

        // A source that never answers gives up with a notice instead of spinning on.
        findChild(editor, "locateTimeout").interval = 50;
        editor.locating = true;
        tryVerify(function () { return !editor.locating; });
        compare(dataHandler.callsOf("window.showError"), [["Your position is not available."]]);
        compare(dataHandler.count("getGeoLocation"), 2);
    }

    function test_mentionGoesInAtTheCursor() {
        myFollowerModel.append({ "peoplelistitem_zirrupname": "bob", "peoplelistitem_realname": "Bob",
                                 "peoplelistitem_following": true, "peoplelistitem_avatar": "" });
        var page = createTemporaryObject(composeComponent, testCase);
        var editor = findChild(page, "composeEditor");
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
        compare(editor.text, "hello @bob world");
        compare(editor.cursorPosition, 11);
    }

    function test_replyEditorOpensWithTheAddressees() {
        var page = createTemporaryObject(tweetComponent, testCase,
                                         { tweet_name: "alice", tweet_tweetid: "7", tweet_desc: "hi",
                                           tweet_original_status: "@me @carol hi" });
        var editor = findChild(page, "replyEditor");
        verify(editor.minimized);
        page.openEditor();
        compare(page.state, "editing");
        tryCompare(editor, "text", "@alice ");
        mouseClick(findChild(page, "okButton"));
        compare(dataHandler.callsOf("replyToTweetMessage"), [["@alice ", "7", ""]]);
        verify(editor.minimized);
        compare(dataHandler.count("window.prevPage"), 0);
    }
}
