import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// The recipient picker's filter and the checks before a direct message goes out.
TestCase {
    id: testCase
    name: "MessagePages"
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
        page.width = testCase.width;
        page.height = testCase.height;
        return page;
    }

    function init() {
        testContext.reset();
        window.reset();
        failOnWarning(/.?/);
    }

    function shownNames(list) {
        var names = [];
        for (var i = 0; i < list.contentItem.children.length; ++i) {
            var row = list.contentItem.children[i];
            if (row.zirrupName !== undefined && row.visible && row.height > 0)
                names.push(row.zirrupName);
        }
        return names.sort();
    }

    function test_recipientFilter_data() {
        return [
            { tag: "empty", filter: "", shown: ["BobBaker", "alice", "carol"] },
            { tag: "screen name, other case", filter: "CAR", shown: ["carol"] },
            { tag: "display name, other case", filter: "bAKER", shown: ["BobBaker"] },
            { tag: "part of both", filter: "a", shown: ["BobBaker", "alice", "carol"] },
            { tag: "nobody", filter: "zz", shown: [] },
        ];
    }

    function test_recipientFilter(data) {
        dataHandler.authenticatedUserName = "Demo";
        myFollowerModel.append({ peoplelistitem_zirrupname: "alice", peoplelistitem_realname: "Alice Andersson",
                                 peoplelistitem_following: true, peoplelistitem_avatar: "" });
        myFollowerModel.append({ peoplelistitem_zirrupname: "BobBaker", peoplelistitem_realname: "Robert Baker",
                                 peoplelistitem_following: false, peoplelistitem_avatar: "" });
        myFollowerModel.append({ peoplelistitem_zirrupname: "carol", peoplelistitem_realname: "Carol",
                                 peoplelistitem_following: true, peoplelistitem_avatar: "" });
        var page = open("RecipientSelectionView.qml");
        // Asked again even for the current user: the model may hold someone else's followers.
        compare(dataHandler.callsOf("updateFollowersView"), [["demo", true]]);

        var list = findChild(page, "recipientList");
        findChild(page, "recipientFilter").text = data.filter;
        compare(shownNames(list), data.shown);
        if (data.shown.length === 0)
            return;

        // Picking a shown row prepares the composer in place of the picker.
        var row = null;
        for (var i = 0; i < list.count; ++i) {
            if (list.itemAtIndex(i).zirrupName === data.shown[0])
                row = list.itemAtIndex(i);
        }
        mouseClick(row);
        compare(dataHandler.callsOf("prepareComposeTo"), [[row.zirrupName, "", row.realName]]);
        compare(dataHandler.callsOf("window.replacePage"), [["MessageComposeView.qml"]]);
    }

    function test_replyChecks() {
        testContext.set("conversation_zirrupName", "bob");
        var page = open("MessagingConversationView.qml");
        var field = findChild(page, "replyField");
        var bar = findChild(page, "okCancelBar");
        field.forceActiveFocus();
        compare(page.state, "editing");
        verify(!window.showToolBar);

        field.text = "x".repeat(141);
        verify(!bar.okButtonEnabled);
        field.text = "x".repeat(140);
        verify(bar.okButtonEnabled);

        // Bob does not follow the user: nothing is sent and the user is told.
        page.send();
        compare(dataHandler.count("postDirectMessage"), 0);
        compare(dataHandler.count("window.showError"), 1);
        compare(field.text, "");
        compare(page.state, "");
        verify(window.showToolBar);

        testContext.set("profileview_follower", true);
        field.forceActiveFocus();
        field.text = "See you";
        page.send();
        compare(dataHandler.callsOf("postDirectMessage"), [["bob", "See you"]]);

        // Leaving with text asks first.
        field.forceActiveFocus();
        field.text = "Unsent";
        page.cancel();
        var dialog = findChild(page, "discardDialog");
        tryCompare(dialog, "status", DialogStatus.Open);
        dialog.accept();
        compare(field.text, "");
        compare(page.state, "");
    }

    function test_composerChecks() {
        testContext.set("composeview_screenname", "carol");
        var page = open("MessageComposeView.qml");
        page.status = PageStatus.Activating;
        compare(dataHandler.callsOf("updateIsFollower"), [["carol"]]);
        var editor = findChild(page, "messageEditor");
        // The service wraps neither links nor pictures into a message: its plain length counts.
        tweetImageUploadModel.append({ "pic_url": "file:///pictures/lake.jpg", "role_orientation_portrait": false,
                                       "role_aspect_ratio": 0.75 });
        editor.text = "http://example.org/" + "x".repeat(122);
        compare(findChild(page, "messagingCounter").text, "-1");
        verify(!page.validMessage);
        editor.text = "http://example.org/" + "x".repeat(121);
        verify(page.validMessage);
        editor.text = "Hello";
        page.send();
        compare(dataHandler.count("postDirectMessage"), 0);
        compare(dataHandler.count("window.showError"), 1);

        testContext.set("profileview_follower", true);
        page.send();
        compare(dataHandler.callsOf("postDirectMessage"), [["carol", "Hello"]]);
        compare(dataHandler.count("window.prevPage"), 1);
    }
}
