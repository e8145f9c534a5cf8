import QtQuick 2.15
import com.orvik.meego 1.0

// A profile header that opens more: it shows a drill-down arrow while pressed and emits clicked.
// Tab reaches it and Return presses it.
BasicProfileHeader {
    id: root

    readonly property bool showArrow: mouse.pressed

    signal clicked

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: root.firstName !== "" ? root.zirrupName + ", " + root.firstName : root.zirrupName
    Accessible.onPressAction: root.clicked()
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()
    Keys.onSpacePressed: root.clicked()

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

    FocusFrame {}
}
