import QtQuick 2.15

// A push button with a text and an optional icon; checkable buttons stay down while checked.
// Tab reaches it, Space or Return presses it, and a screen reader finds it by its text.
Item {
    id: root

    property string text: ""
    property url iconSource: ""
    property bool checkable: false
    property bool checked: false
    readonly property bool pressed: mouse.pressed && mouse.containsMouse
    property ButtonStyle platformStyle: ButtonStyle {}
    property alias font: label.font

    signal clicked

    function __activate() {
        if (!root.enabled)
            return;
        if (root.checkable)
            root.checked = !root.checked;
        root.clicked();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: root.text
    Accessible.checkable: root.checkable
    Accessible.checked: root.checked
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

    implicitWidth: platformStyle.buttonWidth
    implicitHeight: platformStyle.buttonHeight
    opacity: enabled ? 1.0 : 0.8

    BorderImage {
        id: background
        anchors.fill: parent
        border {
            left: root.platformStyle.backgroundMarginLeft
            right: root.platformStyle.backgroundMarginRight
            top: root.platformStyle.backgroundMarginTop
            bottom: root.platformStyle.backgroundMarginBottom
        }
        source: !root.enabled ? (root.checked ? root.platformStyle.checkedDisabledBackground
                                              : root.platformStyle.disabledBackground)
              : root.pressed ? root.platformStyle.pressedBackground
              : root.checked ? root.platformStyle.checkedBackground
              : root.platformStyle.background
    }

    Row {
        id: content
        anchors.centerIn: parent
        spacing: 8

        Image {
            id: icon
            anchors.verticalCenter: parent.verticalCenter
            source: root.iconSource
            visible: root.iconSource != ""
        }

        Text {
            id: label
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, root.width - root.platformStyle.paddingLeft
                            - root.platformStyle.paddingRight - (icon.visible ? icon.width + content.spacing : 0))
            textFormat: Text.PlainText
            text: root.text
            visible: text !== ""
            elide: Text.ElideRight
            font.family: root.platformStyle.fontFamily
            font.pixelSize: root.platformStyle.fontPixelSize
            font.weight: root.platformStyle.fontWeight
            color: !root.enabled ? root.platformStyle.disabledTextColor
                 : root.pressed ? root.platformStyle.pressedTextColor
                 : root.checked ? root.platformStyle.checkedTextColor
                 : root.platformStyle.textColor
        }
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: root.enabled
        onClicked: root.__activate()
    }

    FocusFrame {}
}
