import QtQuick 2.15
import com.orvik.meego 1.0

// The direct-message conversations: one row per partner with the newest message. Shows the rows
// only; opening a conversation and composing come with the message pages.
ZirrupPage {
    id: page

    readonly property bool isLoading: messagesview_loading

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            dataHandler.emitUpdateTimestamp();
            if (myMessageModel.count === 0)
                dataHandler.updateMessagesView();
        }
    }

    Connections {
        target: window
        function onShowMessagesTab() {
            window.unreadMessages = false;
            list.positionViewAtBeginning();
        }
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        onDoubleClicked: list.positionViewAtBeginning()
    }

    ListView {
        id: list
        objectName: "messagesList"
        anchors {
            top: topBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true
        model: myMessageModel
        delegate: Item {
            width: ListView.view ? ListView.view.width : 0
            height: 96

            BasicProfileHeader {
                width: parent.width
                anchors.verticalCenter: parent.verticalCenter
                avatarURL: model.avatar_url ?? ""
                zirrupName: model.screen_name ?? ""
                firstName: (model.msg_text ?? "").replace(/<[^>]*>/g, "")
            }
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: "#E3E3E3"
            }
        }
    }

    Text {
        anchors.centerIn: list
        width: parent.width - 48
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        visible: list.count === 0 && !page.isLoading
        text: qsTrId("qtn_zirrup_no_direct_messages")
        color: "#A6A8AB"
        font.pixelSize: 50
    }

    BusyIndicator {
        anchors.centerIn: list
        platformStyle: BusyIndicatorStyle { size: "large" }
        visible: (page.isLoading || messagesview_refresh_after_sending) && list.count === 0
        running: visible
    }
}
