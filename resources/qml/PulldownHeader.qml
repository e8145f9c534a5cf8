import QtQuick 2.15

// The band above a list's first row that the user pulls down to refresh. The arrow turns when the
// list has been pulled far enough. Given its `list`, the band follows the list's top, shows while
// the list moves and nothing loads, and a drag (not a flick) beyond `threshold` emits `pulled`
// once until the movement ends.
Rectangle {
    id: root

    property Flickable list: null
    property bool loading: false
    property int threshold: window.inPortrait ? 120 : 100
    // How far the list's top is from its start, in pixels; negative while pulled down.
    readonly property real position: list ? list.visibleArea.yPosition * Math.max(list.height, list.contentHeight) : 0
    property bool refreshRequested: false
    property bool armed: position < -threshold

    signal pulled

    width: list ? list.width : (parent ? parent.width : 480)
    height: 320
    y: list ? list.originY - list.contentY - height : 0
    visible: list ? list.moving && !loading : true
    color: "#333333"

    Connections {
        target: root.list
        enabled: root.list !== null

        function onContentYChanged() {
            if (root.position < -root.threshold && root.list.moving && !root.list.flicking && !root.refreshRequested) {
                root.refreshRequested = true;
                root.pulled();
            }
        }
        function onMovementEnded() {
            root.refreshRequested = false;
        }
    }

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
