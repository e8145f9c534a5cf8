import QtQuick 2.15
import com.orvik.meego 1.0

// Writing a direct message to the recipient prepared by prepareComposeTo, with the last message
// exchanged with them above the editor. Only followers of the user can be sent messages.
ZirrupPage {
    id: page

    readonly property string recipient: composeview_screenname
    readonly property bool validMessage: recipient !== "" && editor.textLenght > 0 && editor.textLenght <= 140

    function send() {
        if (!validMessage)
            return;
        // The service refuses messages to users who do not follow the sender; say so before.
        if (!profileview_follower) {
            window.showError(qsTrId("qtn_zirrup_profile_user_not_following").arg(recipient));
            return;
        }
        dataHandler.postDirectMessage(recipient, editor.text);
        editor.text = "";
        editor.closeKeyboard();
        window.prevPage();
    }

    function cancel() {
        if (editor.text !== "") {
            discardDialog.open();
            return;
        }
        editor.closeKeyboard();
        window.prevPage();
    }

    function accept() {
        send();
    }

    // Escape is Back: it asks before unsent text goes.
    function handleBack() {
        if (discardDialog.status === DialogStatus.Closed)
            cancel();
        return true;
    }

    initialFocusItem: editor

    onStatusChanged: {
        if (status === PageStatus.Activating && recipient !== "")
            dataHandler.updateIsFollower(recipient);
        if (status === PageStatus.Active)
            editor.openKeyboard();
    }

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: page.cancel()
        }
    }

    OkCancelTopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        okButtonEnabled: page.validMessage
        onOkClicked: page.send()
        onCancelClicked: page.cancel()
    }

    Flickable {
        id: flickable
        anchors {
            top: topBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true
        contentHeight: column.height + 24

        Column {
            id: column
            width: parent.width
            spacing: 8

            BasicProfileHeader {
                objectName: "recipientHeader"
                width: parent.width
                avatarURL: composeview_imageurl
                zirrupName: composeview_screenname
                firstName: composeview_realname
            }

            MessagingConversationDelegate {
                objectName: "composeTip"
                width: parent.width
                visible: composeview_msg_text !== ""
                messageText: composeview_msg_text
                createdAt: composeview_created_at
                received: composeview_received
            }

            TweetEdit {
                id: editor
                objectName: "messageEditor"
                x: 12
                width: parent.width - 24
                messagingMode: true
            }
        }
    }

    MessageDiscardConfirmationDialog {
        id: discardDialog
        onAccepted: {
            editor.text = "";
            editor.closeKeyboard();
            window.prevPage();
        }
    }
}
