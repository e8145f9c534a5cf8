import QtQuick 2.15

// One message of a conversation as a bubble: received messages on the left, sent ones on the
// right, each with its time. A press held for half a second emits longPressed.
Item {
    id: root

    property string messageText: ""
    property string createdAt: ""
    property bool received: true
    property string timeText: createdAt !== "" ? dataHandler.createConversationTimeString(createdAt) : ""

    signal longPressed

    width: ListView.view ? ListView.view.width : (parent ? parent.width : 480)
    height: bubble.height + 16

    Connections {
        target: dataHandler
        function onUpdateTimestamp() {
            root.timeText = root.createdAt !== "" ? dataHandler.createConversationTimeString(root.createdAt) : "";
        }
    }

    Fonts {
        id: fonts
    }

    Rectangle {
        id: bubble
        objectName: "messageBubble"
        readonly property real textWidth: Math.min(358, Math.max(body.implicitWidth, timeLabel.implicitWidth))
        x: root.received ? 12 : root.width - width - 12
        y: 8
        width: textWidth + 32
        height: body.height + timeLabel.height + 28
        radius: 12
        color: mouse.pressed ? "#DDDDDD" : (root.received ? "#FFFFFF" : "#E8F3FA")
        border.color: "#D0D0D0"

        Text {
            id: body
            objectName: "messageText"
            x: 16
            y: 12
            width: bubble.textWidth
            text: root.messageText
            textFormat: Text.RichText
            wrapMode: Text.Wrap
            horizontalAlignment: root.received ? Text.AlignLeft : Text.AlignRight
            color: root.received ? "#333333" : "#999999"
            font.pixelSize: 22
            onLinkActivated: (link) => dataHandler.linkClicked(link)
        }

        Text {
            id: timeLabel
            anchors.top: body.bottom
            anchors.topMargin: 4
            anchors.right: root.received ? undefined : body.right
            anchors.left: root.received ? body.left : undefined
            text: root.timeText
            color: fonts.d_color
            font.pixelSize: fonts.d_size
        }

        MouseArea {
            id: mouse
            anchors.fill: parent
            // Links in the text take their own clicks.
            z: -1
            onPressed: longPressTimer.start()
            onReleased: longPressTimer.stop()
            onCanceled: longPressTimer.stop()
        }
    }

    Timer {
        id: longPressTimer
        interval: 500
        onTriggered: root.longPressed()
    }
}
