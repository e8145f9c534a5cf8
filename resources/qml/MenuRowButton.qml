import QtQuick 2.15
import com.orvik.meego 1.0

// A row of the "more" page: icon, title and a value on the right.
Item {
    id: root

    property url iconSource: ""
    property string text: ""
    property string value: ""

    signal clicked

    function __activate() {
        if (root.enabled)
            root.clicked();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: root.text
    Accessible.onPressAction: root.__activate()
    Keys.onSpacePressed: root.__activate()
    Keys.onReturnPressed: (event) => {
        // Ctrl+Return is the page's (send).
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.__activate();
    }
    Keys.onEnterPressed: (event) => {
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.__activate();
    }

    width: parent ? parent.width : 480
    height: 80

    Rectangle {
        anchors.fill: parent
        color: mouse.pressed ? "#DDDDDD" : "#F2F2F2"
    }

    Image {
        id: icon
        // Anchored rather than placed, so that right-to-left windows mirror the row.
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        source: root.iconSource
    }

    Text {
        anchors.left: icon.right
        anchors.leftMargin: 16
        anchors.right: valueText.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        // Rows may show what the user typed: never read it as markup.
        textFormat: Text.PlainText
        text: root.text
        color: "#000000"
        font.pixelSize: 24
        font.bold: true
    }

    Text {
        id: valueText
        objectName: "valueText"
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        textFormat: Text.PlainText
        text: root.value
        color: "#A6A8AB"
        font.pixelSize: 22
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
        onClicked: root.__activate()
    }

    FocusFrame {}
}
