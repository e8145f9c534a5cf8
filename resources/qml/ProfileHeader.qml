import QtQuick 2.15

// A profile header that opens more: it shows a drill-down arrow while pressed and emits clicked.
BasicProfileHeader {
    id: root

    readonly property bool showArrow: mouse.pressed

    signal clicked

    Rectangle {
        anchors.fill: parent
        color: "#DDDDDD"
        visible: mouse.pressed
        z: -1
    }

    Image {
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        source: "../images/zirrup-icon-drildown-arrow.png"
        mirror: root.LayoutMirroring.enabled
        visible: root.showArrow
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: root.clicked()
    }
}
