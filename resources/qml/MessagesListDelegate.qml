import QtQuick 2.15
import com.orvik.meego 1.0

// A conversation row: the partner's picture (opens the profile), name, the newest message, its
// time and a mark while it is unread. The row opens the conversation; from the keyboard the list's
// current row is framed and Return opens it. A screen reader reads sender, text, time and unread.
Item {
    id: root

    readonly property string screenName: model.screen_name ?? ""
    readonly property string avatarUrl: model.avatar_url ?? ""
    readonly property string messageText: model.msg_text ?? ""
    readonly property string createdAt: model.created_at ?? ""
    readonly property bool unread: model.msg_unread ?? false
    property string timeText: createdAt !== "" ? dataHandler.createTimeString(createdAt) : ""

    function open() {
        dataHandler.currentUser = root.screenName;
        window.nextPage("MessagingConversationView.qml");
    }

    // One pass, so that text the sender wrote never stands in for a place holder; markup is not read.
    function accessibleText() {
        var parts = [root.screenName, root.messageText.replace(/<[^>]*>/g, ""), root.timeText];
        var row = qsTrId("qtn_zirrup_tweet_row_accessible").replace(/%([1-3])/g, function (match, n) {
            return parts[Number(n) - 1];
        });
        return root.unread ? qsTrId("qtn_zirrup_unread_accessible").replace("%1", row) : row;
    }

    Accessible.role: Accessible.ListItem
    Accessible.name: accessibleText()
    Accessible.onPressAction: root.open()

    width: ListView.view ? ListView.view.width : 480
    height: Math.max(96, texts.height + 24)

    Connections {
        target: dataHandler
        function onUpdateTimestamp() {
            root.timeText = root.createdAt !== "" ? dataHandler.createTimeString(root.createdAt) : "";
        }
    }

    Fonts {
        id: fonts
    }

    Rectangle {
        anchors.fill: parent
        color: mouse.pressed ? "#DDDDDD" : "#F2F2F2"
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: root.open()
    }

    Image {
        id: avatar
        objectName: "messageAvatar"
        x: 12
        y: 12
        width: 50
        height: 50
        asynchronous: true
        fillMode: Image.PreserveAspectCrop
        source: root.avatarUrl !== "" ? root.avatarUrl : "../images/default_profile_0_bigger.png"

        MouseArea {
            anchors.fill: parent
            onClicked: {
                dataHandler.currentUser = root.screenName;
                window.nextPage("ProfileView.qml");
            }
        }
    }

    Column {
        id: texts
        anchors {
            left: avatar.right
            leftMargin: 12
            right: unreadMark.left
            rightMargin: 8
            top: parent.top
            topMargin: 12
        }
        spacing: 4

        Item {
            width: parent.width
            height: nameText.height

            Text {
                id: nameText
                anchors.left: parent.left
                anchors.right: timeLabel.left
                anchors.rightMargin: 8
                textFormat: Text.PlainText
                text: root.screenName
                elide: Text.ElideRight
                color: fonts.b_color
                font.pixelSize: fonts.b_size
                font.bold: true
            }
            Text {
                id: timeLabel
                objectName: "messageTime"
                anchors.right: parent.right
                anchors.baseline: nameText.baseline
                text: root.timeText
                color: fonts.d_color
                font.pixelSize: fonts.d_size
            }
        }
        Text {
            width: parent.width
            text: root.messageText
            textFormat: Text.RichText
            wrapMode: Text.Wrap
            maximumLineCount: 3
            color: "#333333"
            font.pixelSize: 20
            onLinkActivated: (link) => dataHandler.linkClicked(link)
        }
    }

    Rectangle {
        id: unreadMark
        objectName: "unreadMark"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 12
        height: 12
        radius: 6
        color: "#4DA4DA"
        visible: root.unread
    }

    FocusFrame {
        control: root.ListView.view
        visible: root.ListView.isCurrentItem && control !== null && control.activeFocus
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#E3E3E3"
    }
}
