import QtQuick 2.15

// The thin bar at the top of the window with the clock.
Item {
    id: root

    // In the locale's own digits and day-period words ("16:01", "٤:٠١ م"). QLocale writes the
    // day period "B" (zh_TW) out as a letter; "AP" is the nearest it knows.
    function __clockText() {
        var format = Qt.locale().timeFormat(Locale.ShortFormat).replace(/B/g, "AP");
        return new Date().toLocaleTimeString(Qt.locale(), format);
    }

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
        text: root.__clockText()
    }

    Timer {
        interval: 15000
        repeat: true
        running: root.visible
        onTriggered: clock.text = root.__clockText()
    }
}
