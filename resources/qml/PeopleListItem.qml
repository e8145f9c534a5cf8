import QtQuick 2.15

// A row of the followers, following or people-search list: the user's picture and names, a tap
// opens the profile, and a button follows or unfollows (not for the signed-in user).
Item {
    id: root

    property string zirrupName: ""
    property string realName: ""
    property string avatar: ""
    property bool following: false

    readonly property bool canFollow: zirrup_account_exists && zirrupName !== ""
                                      && zirrupName.toLowerCase() !== dataHandler.authenticatedUser()

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
            dataHandler.currentUser = root.zirrupName;
            window.nextPage("ProfileView.qml");
        }
    }

    BasicProfileHeader {
        id: header
        width: parent.width
        anchors.verticalCenter: parent.verticalCenter
        avatarURL: root.avatar
        zirrupName: root.zirrupName
        firstName: root.realName
        buttonItem: followButton
    }

    ZirrupButton {
        id: followButton
        objectName: "peopleFollowButton"
        width: 150
        height: 51
        inverted: false
        visible: root.canFollow
        text: root.following ? qsTrId("qtn_zirrup_profile_unfollow") : qsTrId("qtn_zirrup_profile_follow")
        onClicked: dataHandler.followProfile(root.zirrupName, !root.following)
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#E3E3E3"
    }
}
