import QtQuick 2.15
import com.orvik.meego 1.0

// One direct-message conversation: the partner, every message oldest first, and a reply field.
// While the field is open the page is in state "editing" with an OK/Cancel bar over the top.
ZirrupPage {
    id: page

    readonly property string partner: conversation_zirrupName
    readonly property bool validMessage: partner !== "" && replyField.textLenght > 0 && replyField.textLenght <= 140
    readonly property bool replyOpen: !replyField.minimized
    property var menuMessage: null
    property ActionMenu messageMenu: null

    function openReply() {
        replyField.state = "";
        replyField.openKeyboard();
        list.positionViewAtEnd();
    }

    function closeReply() {
        replyField.text = "";
        replyField.closeKeyboard();
        replyField.state = "minimized";
    }

    function send() {
        if (!validMessage)
            return;
        if (profileview_follower)
            dataHandler.postDirectMessage(partner, replyField.text);
        else
            window.showError(qsTrId("qtn_zirrup_profile_user_not_following").arg(partner));
        closeReply();
    }

    function cancel() {
        if (replyField.text !== "")
            discardDialog.open();
        else
            closeReply();
    }

    function accept() {
        send();
    }

    // Escape closes an open reply, asking before its text goes.
    function handleBack() {
        if (discardDialog.status !== DialogStatus.Closed)
            return true;
        if (!replyOpen)
            return false;
        cancel();
        return true;
    }

    function refreshContent() {
        dataHandler.updateConversationView(dataHandler.currentUser);
        dataHandler.updateIsFollower(dataHandler.currentUser);
    }

    initialFocusItem: replyField

    function openMessageMenu(message) {
        menuMessage = message;
        if (!messageMenu)
            messageMenu = messageMenuComponent.createObject(page);
        messageMenu.open();
    }

    function openProfile() {
        if (partner === "")
            return;
        dataHandler.currentUser = partner;
        window.nextPage("ProfileView.qml");
    }

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            dataHandler.updateConversationView(dataHandler.currentUser);
            dataHandler.updateIsFollower(dataHandler.currentUser);
            list.positionViewAtEnd();
        }
        if (status === PageStatus.Active)
            dataHandler.emitUpdateTimestamp();
    }

    Component.onDestruction: window.showToolBar = true

    function reloadConversation() {
        if (conversation_zirrupName !== "")
            dataHandler.updateConversationView(conversation_zirrupName);
    }

    Connections {
        target: dataHandler
        function onNewMessages() { page.reloadConversation(); }
    }

    // The user's own messages do not count as new ones: the conversation list changing brings
    // them (and deletions) here too.
    Connections {
        target: myMessageModel
        function onDataChanged() { Qt.callLater(page.reloadConversation); }
        function onRowsInserted() { Qt.callLater(page.reloadConversation); }
        function onLayoutChanged() { Qt.callLater(page.reloadConversation); }
    }

    states: State {
        name: "editing"
        when: page.replyOpen
        PropertyChanges { target: okCancelBar; opacity: 1 }
        PropertyChanges { target: window; showToolBar: false }
    }

    transitions: Transition {
        NumberAnimation { target: okCancelBar; property: "opacity"; duration: 300 }
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        composeButton: false
        onDoubleClicked: list.positionViewAtBeginning()
    }

    OkCancelTopBar {
        id: okCancelBar
        objectName: "okCancelBar"
        anchors.top: parent.top
        width: parent.width
        z: 1
        opacity: 0
        visible: opacity > 0
        okButtonEnabled: page.validMessage
        onOkClicked: page.send()
        onCancelClicked: page.cancel()
    }

    ProfileHeader {
        id: header
        objectName: "conversationHeader"
        anchors.top: topBar.bottom
        width: parent.width
        avatarURL: conversation_image_url
        zirrupName: conversation_zirrupName
        firstName: conversation_firstname
        onClicked: page.openProfile()
    }

    Rectangle {
        anchors.top: header.bottom
        width: parent.width
        height: 1
        color: "#E3E3E3"
    }

    ListView {
        id: list
        objectName: "conversationList"
        anchors {
            top: header.bottom
            topMargin: 1
            left: parent.left
            right: parent.right
            bottom: replyArea.top
        }
        clip: true
        model: myConversationModel
        delegate: MessagingConversationDelegate {
            messageText: model.msg_text ?? ""
            createdAt: model.created_at ?? ""
            received: model.received ?? true
            onLongPressed: page.openMessageMenu({
                id: model.msg_id ?? "",
                text: model.msg_text ?? "",
                sender: model.sender_screen_name ?? "",
                avatar: model.sender_avatar_url ?? ""
            })
        }
        // New messages show at the end, where the reply is written.
        onCountChanged: Qt.callLater(positionViewAtEnd)

        BusyIndicator {
            objectName: "sendingIndicator"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 12
            visible: messagesview_refresh_after_sending
            running: visible
        }
    }

    ScrollDecorator {
        flickableItem: list
    }

    Rectangle {
        id: replyArea
        anchors.bottom: parent.bottom
        width: parent.width
        height: replyField.height + 24
        color: "#E0E0E0"

        TweetEdit {
            id: replyField
            objectName: "replyField"
            anchors.centerIn: parent
            width: parent.width - 24
            messagingMode: true
            initialHeight: 120
            state: "minimized"
            placeholderText: qsTrId("qtn_zirrup_reply_hint")
            onPressedWhileMinimized: page.openReply()
            // Focus from elsewhere than a press (keyboard, the smoke session) opens it too.
            onActiveFocusChanged: {
                if (activeFocus && minimized)
                    page.openReply();
            }
        }
    }

    MessageDiscardConfirmationDialog {
        id: discardDialog
        onAccepted: page.closeReply()
    }

    ZirrupConfirmationDialog {
        id: deleteDialog
        objectName: "deleteMessageDialog"
        titleText: qsTrId("qtn_zirrup_delete_message_query")
        okButtonText: qsTrId("qtn_zirrup_delete_command")
        onAccepted: {
            if (page.menuMessage)
                dataHandler.deleteMessage(page.menuMessage.id);
        }
    }

    Component {
        id: messageMenuComponent

        ActionMenu {
            id: menu
            objectName: "messageMenu"

            contentArea: [
                BasicProfileHeader {
                    width: parent ? parent.width : 0
                    avatarURL: page.menuMessage ? page.menuMessage.avatar : ""
                    zirrupName: page.menuMessage ? page.menuMessage.sender : ""
                },
                Text {
                    width: parent ? parent.width : 0
                    text: page.menuMessage ? page.menuMessage.text : ""
                    textFormat: Text.RichText
                    wrapMode: Text.Wrap
                    color: "#333333"
                    font.pixelSize: 22
                    bottomPadding: 16
                },
                Column {
                    width: parent ? parent.width : 0

                    ColumnButton {
                        objectName: "deleteMessageButton"
                        onClicked: {
                            menu.close();
                            deleteDialog.open();
                        }
                        MenuRow {
                            text: qsTrId("qtn_zirrup_delete_message_command")
                        }
                    }
                }
            ]
        }
    }
}
