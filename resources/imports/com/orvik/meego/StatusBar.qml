import QtQuick 2.15

// The thin bar at the top of the window with the clock.
Item {
    id: root

    implicitHeight: 30
    width: parent ? parent.width : 0
    height: implicitHeight

    Rectangle {
        anchors.fill: parent
        color: "#000000"
    }

    Text {
        id: clock
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        color: "#E6E6E6"
        font.pixelSize: 18
        font.bold: true
        text: Qt.formatTime(new Date(), Qt.locale().timeFormat(Locale.ShortFormat))
    }

    Timer {
        interval: 15000
        repeat: true
        running: root.visible
        onTriggered: clock.text = Qt.formatTime(new Date(), Qt.locale().timeFormat(Locale.ShortFormat))
    }
}
