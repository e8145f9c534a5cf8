import QtQuick 2.15

// A thin bar at the right edge of a Flickable that shows the visible part while it moves.
Item {
    id: root

    property Flickable flickableItem: null

    anchors.fill: flickableItem
    visible: flickableItem !== null && flickableItem.visibleArea.heightRatio < 1.0

    Rectangle {
        id: bar
        readonly property real ratio: root.flickableItem ? Math.min(1.0, root.flickableItem.visibleArea.heightRatio) : 0
        readonly property real position: root.flickableItem ? root.flickableItem.visibleArea.yPosition : 0
        anchors.right: parent.right
        anchors.rightMargin: 2
        width: 5
        radius: 2
        color: "#80000000"
        y: Math.max(0, Math.min(parent.height - height, position * parent.height))
        height: Math.max(16, ratio * parent.height)
        opacity: root.flickableItem && root.flickableItem.moving ? 1.0 : 0.0

        Behavior on opacity {
            NumberAnimation { duration: 300 }
        }
    }
}
