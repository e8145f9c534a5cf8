import QtQuick 2.15
import com.orvik.meego 1.0

// Avatar, screen name and display name of a user (or a list), with an optional item on the right.
// While the own profile photo is being replaced, a busy indicator stands in for the avatar.
Item {
    id: root

    property string avatarURL: ""
    property string zirrupName: ""
    property string firstName: ""
    property Item buttonItem: null
    property int avatarSize: 50
    property bool showAvatar: true

    height: Math.max(avatarSize, names.height) + 24

    onButtonItemChanged: {
        if (buttonItem) {
            buttonItem.parent = buttonArea;
            buttonItem.anchors.verticalCenter = buttonArea.verticalCenter;
            buttonItem.anchors.right = buttonArea.right;
        }
    }

    Fonts {
        id: fonts
    }

    Item {
        id: avatarArea
        // Anchored rather than placed, so that right-to-left windows mirror the header.
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: root.showAvatar ? root.avatarSize : 0
        height: root.avatarSize
        visible: root.showAvatar

        Image {
            anchors.fill: parent
            cache: false
            asynchronous: true
            fillMode: Image.PreserveAspectCrop
            source: root.avatarURL !== "" ? root.avatarURL : "../images/default_profile_0_bigger.png"
            visible: !updatingProfileImage
        }

        BusyIndicator {
            anchors.centerIn: parent
            visible: updatingProfileImage
            running: visible
        }
    }

    Column {
        id: names
        anchors {
            left: avatarArea.right
            leftMargin: root.showAvatar ? 12 : 0
            right: buttonArea.left
            rightMargin: 8
            verticalCenter: parent.verticalCenter
        }

        Text {
            width: parent.width
            horizontalAlignment: Text.AlignLeft
            textFormat: Text.PlainText
            text: root.zirrupName
            elide: Text.ElideRight
            color: fonts.b_color
            font.pixelSize: fonts.b_size
            font.bold: true
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignLeft
            textFormat: Text.PlainText
            text: root.firstName
            visible: text !== ""
            elide: Text.ElideRight
            color: fonts.d_color
            font.pixelSize: fonts.d_size
        }
    }

    Item {
        id: buttonArea
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: root.buttonItem ? root.buttonItem.width : 0
        height: root.buttonItem ? root.buttonItem.height : 0
    }
}
