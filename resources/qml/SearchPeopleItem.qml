import QtQuick 2.15

// A person found by the people search: avatar, name and screen name. A click opens the profile.
Item {
    id: root

    readonly property string screenName: model.peoplelistitem_zirrupname ?? ""
    readonly property string realName: model.peoplelistitem_realname ?? ""
    readonly property string avatarUrl: model.peoplelistitem_avatar ?? ""

    width: ListView.view ? ListView.view.width : 480
    height: 80

    Component.onCompleted: {
        if (ListView.view)
            ListView.view.itemCreated(model.index);
    }

    Rectangle {
        anchors.fill: parent
        color: mouse.pressed ? "#DDDDDD" : "#F2F2F2"
    }

    Image {
        id: avatar
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 50
        height: 50
        cache: false
        asynchronous: true
        fillMode: Image.PreserveAspectCrop
        source: root.avatarUrl !== "" ? root.avatarUrl : "../images/default_profile_0_bigger.png"
    }

    Column {
        anchors {
            left: avatar.right
            leftMargin: 12
            right: parent.right
            rightMargin: 12
            verticalCenter: parent.verticalCenter
        }

        Text {
            objectName: "realName"
            width: parent.width
            elide: Text.ElideRight
            textFormat: Text.PlainText
            text: root.realName !== "" ? root.realName : root.screenName
            color: "#000000"
            font.pixelSize: 24
            font.bold: true
        }
        Text {
            width: parent.width
            elide: Text.ElideRight
            textFormat: Text.PlainText
            text: "@" + root.screenName
            color: "#A6A8AB"
            font.pixelSize: 18
        }
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#E3E3E3"
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: {
            dataHandler.currentUser = root.screenName;
            window.nextPage("ProfileView.qml");
        }
    }
}
