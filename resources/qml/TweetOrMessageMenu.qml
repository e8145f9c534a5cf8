import QtQuick 2.15

// Asks whether to write a tweet or a direct message to someone: their picture and name, a close
// button and the two choices.
ActionMenu {
    id: root

    property url imageSource: ""
    property string labelText: ""
    // The first choice's label; the profile page offers a mention here.
    property string tweetText: qsTrId("qtn_zirrup_tweet_command")

    signal tweetClicked
    signal directMessageClicked

    contentArea: [
        Item {
            width: parent ? parent.width : 0
            height: 80

            Image {
                id: image
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                width: 50
                height: 50
                fillMode: Image.PreserveAspectCrop
                source: root.imageSource
                visible: root.imageSource != ""
            }
            Text {
                anchors.left: image.visible ? image.right : parent.left
                anchors.leftMargin: image.visible ? 12 : 0
                anchors.right: closeButton.left
                anchors.verticalCenter: parent.verticalCenter
                elide: Text.ElideRight
                textFormat: Text.PlainText
                text: root.labelText
                font.pixelSize: 24
                font.bold: true
                color: "#000000"
            }
            ZirrupImageButton {
                id: closeButton
                objectName: "closeButton"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                unpressedImage: "image://theme/icon-m-input-clear"
                pressedImage: "image://theme/icon-m-input-clear"
                onClicked: root.close()
            }
        },
        Column {
            width: parent ? parent.width : 0

            ColumnButton {
                objectName: "tweetButton"
                onClicked: {
                    root.close();
                    root.tweetClicked();
                }
                MenuRow {
                    iconSource: "../images/zirrup-icon-compose-pressed.png"
                    text: root.tweetText
                }
            }
            ColumnButton {
                objectName: "directMessageButton"
                onClicked: {
                    root.close();
                    root.directMessageClicked();
                }
                MenuRow {
                    text: qsTrId("qtn_zirrup_message_command")
                }
            }
        }
    ]
}
