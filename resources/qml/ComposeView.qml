import QtQuick 2.15
import com.orvik.meego 1.0

// Writing a new tweet: Cancel and Tweet above the editor. Tweet sends at once and closes the page;
// the top bar of the page below shows the posting. Leaving with unsent text asks first.
ZirrupPage {
    id: page

    readonly property bool unsent: editor.text !== "" || editor.pictureAttached

    function close() {
        dataHandler.prepareReplyTo("");
        dataHandler.cleanUploadImages();
        window.prevPage();
    }

    function send() {
        if (tweetImageUploadModel.count > 0)
            dataHandler.postTweetWithMedia(editor.text, editor.locationId);
        else
            dataHandler.postTweetMessage(editor.text, editor.locationId);
        close();
    }

    function cancel() {
        if (unsent)
            discardDialog.open();
        else
            close();
    }

    function accept() {
        if (topBar.okButtonEnabled)
            send();
    }

    // Escape is Cancel: it asks before unsent text goes.
    function handleBack() {
        if (discardDialog.status !== DialogStatus.Closed)
            return true;
        cancel();
        return true;
    }

    initialFocusItem: editor

    tools: null

    // Nothing to do down there: the editor has the room.
    Binding {
        target: window
        property: "showToolBar"
        value: false
        when: page.status === PageStatus.Active
    }

    onStatusChanged: {
        if (status === PageStatus.Active) {
            if (window.eventPageLaunched)
                window.eventPageLaunched = false;
            editor.openKeyboard();
            editor.cursorPosition = editor.text.length;
        }
    }

    OkCancelTopBar {
        id: topBar
        objectName: "composeTopBar"
        width: parent.width
        okText: qsTrId("qtn_zirrup_tweet_command")
        okButtonEnabled: editor.textLenght > 0 && editor.textLenght < 141
        onOkClicked: page.send()
        onCancelClicked: page.cancel()
    }

    Flickable {
        anchors {
            top: topBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        contentHeight: editor.height + 32
        clip: true

        TweetEdit {
            id: editor
            objectName: "composeEditor"
            x: 16
            y: 16
            width: parent.width - 32
            Component.onCompleted: {
                if (composeview_in_reply_to !== "")
                    text = "@" + composeview_in_reply_to + " ";
            }
        }
    }

    TweetDiscardConfirmationDialog {
        id: discardDialog
        onAccepted: page.close()
    }
}
