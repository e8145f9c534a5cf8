import QtQuick 2.15

// One tweet as a list row or at the top of its menu: avatar, author, retweeter, text, and in the
// list also the place, the age and the retweet and favourite marks.
Item {
    id: root

    property bool isListItem: true
    property string imageUrl: ""
    property string name: ""
    property string retweetedName: ""
    property string retweetedByMeId: ""
    property string statusText: ""
    property string place: ""
    property string timestamp: ""
    property bool favorited: false
    property string timeText: ""

    function updateTime() {
        timeText = timestamp !== "" ? dataHandler.createTimeString(timestamp) : "";
    }

    width: parent ? parent.width : 480
    height: nameText.height + retweetRow.height + statusLabel.height + timeRow.height + 40

    onTimestampChanged: updateTime()
    Component.onCompleted: updateTime()

    Connections {
        target: dataHandler
        function onUpdateTimestamp() { root.updateTime(); }
    }

    Fonts {
        id: fonts
    }

    Image {
        id: avatar
        objectName: "tweetAvatar"
        // Anchored rather than placed, so that right-to-left windows mirror the row.
        anchors.left: parent.left
        anchors.leftMargin: 12
        y: 16
        width: 50
        height: 50
        // A stored avatar is read again when its source changes (a forced reload); the default
        // one never changes, so all rows share one decoded copy.
        cache: root.imageUrl === ""
        asynchronous: true
        fillMode: Image.PreserveAspectCrop
        // Decoded at the size shown (stored avatars already have it).
        sourceSize.width: 50
        sourceSize.height: 50
        source: root.imageUrl !== "" ? root.imageUrl : "../images/default_profile_0_bigger.png"

        MouseArea {
            anchors.fill: parent
            enabled: root.isListItem
            onClicked: {
                dataHandler.currentUser = root.name;
                window.nextPage("ProfileView.qml");
            }
        }
    }

    Column {
        id: column
        anchors {
            left: avatar.right
            leftMargin: 12
            right: parent.right
            rightMargin: 12
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
                anchors.right: retweetedMark.visible ? retweetedMark.left : parent.right
                horizontalAlignment: Text.AlignLeft
                textFormat: Text.PlainText
                text: root.name
                elide: Text.ElideRight
                color: fonts.b_color
                font.pixelSize: fonts.b_size
                font.bold: true
            }

            Image {
                id: retweetedMark
                objectName: "retweetedByMeMark"
                anchors.right: parent.right
                anchors.verticalCenter: nameText.verticalCenter
                visible: root.isListItem && root.retweetedByMeId !== ""
                source: visible ? "../images/zirrup-icon-list-small-retweeted.png" : ""
            }
        }

        // Only retweets have this line: made for them alone.
        Loader {
            id: retweetRow
            objectName: "retweetLine"
            active: root.retweetedName !== ""
            visible: active

            sourceComponent: Row {
                spacing: 6

                Image {
                    anchors.verticalCenter: parent.verticalCenter
                    source: "../images/zirrup-icon-list-tiny-retweeted.png"
                }
                Text {
                    textFormat: Text.PlainText
                    text: qsTrId("qtn_zirrup_retweet_by").arg(root.retweetedName)
                    color: fonts.d_color
                    font.pixelSize: fonts.d_size
                }
            }
        }

        Text {
            id: statusLabel
            width: parent.width
            text: root.statusText
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: fonts.c_color
            font.pixelSize: fonts.c_size
        }

        Item {
            id: timeRow
            width: parent.width
            height: root.isListItem ? Math.max(timeLabel.height, 20) : 0
            visible: root.isListItem

            Row {
                anchors.left: parent.left
                spacing: 6

                Image {
                    objectName: "placeMark"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: root.place !== ""
                    source: visible ? "../images/zirrup-icon-list-tiny-location.png" : ""
                }
                Text {
                    id: timeLabel
                    objectName: "timeLabel"
                    text: root.timeText
                    visible: root.timestamp !== ""
                    color: fonts.d_color
                    font.pixelSize: fonts.d_size
                }
            }

            Image {
                objectName: "favoriteMark"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                visible: root.favorited
                source: visible ? "../images/zirrup-icons-list-small-favourite.png" : ""
            }
        }
    }
}
