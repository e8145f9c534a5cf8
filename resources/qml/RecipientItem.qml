import QtQuick 2.15

// A follower as a possible recipient. The row shows only while `filter` is empty or found, in
// any letter case, in the screen name or the display name.
Item {
    id: root

    property string filter: ""
    property string zirrupName: ""
    property string realName: ""
    property string avatar: ""
    readonly property bool matches: {
        var wanted = filter.toLowerCase();
        return wanted === "" || zirrupName.toLowerCase().indexOf(wanted) >= 0
                || realName.toLowerCase().indexOf(wanted) >= 0;
    }

    signal clicked

    width: parent ? parent.width : 480
    height: matches ? 80 : 0
    visible: matches

    Rectangle {
        anchors.fill: parent
        color: mouse.pressed ? "#DDDDDD" : "transparent"
    }

    BasicProfileHeader {
        width: parent.width
        anchors.verticalCenter: parent.verticalCenter
        avatarURL: root.avatar
        zirrupName: root.zirrupName
        firstName: root.realName
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: root.clicked()
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#E3E3E3"
    }
}
