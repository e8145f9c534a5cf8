import QtQuick 2.15

// The band above a list's first row that the user pulls down to refresh. The arrow turns when the
// list has been pulled far enough.
Rectangle {
    id: root

    property bool armed: false

    height: 320
    color: "#333333"

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 20
        spacing: 16

        Image {
            anchors.verticalCenter: parent.verticalCenter
            source: "../images/zirrup-icon-refresh-arrow.png"
            rotation: root.armed ? 180 : 0

            Behavior on rotation {
                NumberAnimation { duration: 200 }
            }
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTrId("qtn_zirrup_pull_down_refresh")
            color: "#E6E6E6"
            font.pixelSize: 22
        }
    }
}
