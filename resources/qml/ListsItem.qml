import QtQuick 2.15
import "StringUtils.js" as StringUtils

// A row of lists: owner's avatar (unless showAvatar is off), list name and description, and a lock
// on private lists. The avatar opens the owner's profile, the row the list's tweets.
Item {
    id: root

    property string name: ""
    property string desc: ""
    property bool isprivate: false
    property string listId: ""
    property string screenName: ""
    property string avatar: ""
    property bool showAvatar: true

    width: parent ? parent.width : 480
    height: Math.max(80, header.height)

    Rectangle {
        anchors.fill: parent
        color: mouse.pressed ? "#DDDDDD" : "transparent"
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: {
            dataHandler.currentUser = root.screenName;
            dataHandler.currentListId = root.listId;
            dataHandler.currentListName = root.name;
            window.nextPage("ListTweetsView.qml");
        }
    }

    BasicProfileHeader {
        id: header
        width: parent.width
        anchors.verticalCenter: parent.verticalCenter
        showAvatar: root.showAvatar
        avatarURL: root.avatar
        zirrupName: root.name
        firstName: StringUtils.reduceWhitespace(root.desc)
        buttonItem: lock
    }

    Image {
        id: lock
        objectName: "lockImage"
        source: "../images/zirrup-icon-list-locked.png"
        visible: root.isprivate
    }

    MouseArea {
        objectName: "avatarArea"
        // Anchored rather than placed, so that right-to-left windows mirror the row.
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 50
        height: 50
        enabled: root.showAvatar
        onClicked: {
            dataHandler.currentUser = root.screenName;
            window.nextPage("ProfileView.qml");
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#E3E3E3"
    }
}
