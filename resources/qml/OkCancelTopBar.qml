import QtQuick 2.15
import com.orvik.meego 1.0

// The top pane of editing pages: Cancel on the left, the blue OK button on the right.
TopPane {
    id: root

    property string cancelText: qsTrId("qtn_zirrup_cancel_command")
    property string okText: qsTrId("qtn_zirrup_send_command")
    property bool okButtonEnabled: true

    signal cancelClicked
    signal okClicked

    // Presses on the pane stay here.
    MouseArea {
        anchors.fill: parent
    }

    ZirrupButton {
        id: cancelButton
        objectName: "cancelButton"
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 130
        height: 51
        isTopButton: true
        text: root.cancelText
        onClicked: root.cancelClicked()
    }

    BorderImage {
        id: okButton
        objectName: "okButton"
        readonly property bool pressed: okMouse.pressed && okMouse.containsMouse
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 130
        height: 51
        border { left: 12; top: 12; right: 12; bottom: 12 }
        source: !root.okButtonEnabled ? "../images/zirrup-top-button-blue-disabled.png"
              : pressed ? "../images/zirrup-top-button-blue-pressed.png"
              : "../images/zirrup-top-button-blue.png"

        function activate() {
            if (root.okButtonEnabled)
                root.okClicked();
        }

        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: root.okText
        Accessible.onPressAction: okButton.activate()
        Keys.onSpacePressed: okButton.activate()
        Keys.onReturnPressed: (event) => {
            // Ctrl+Return is the page's (send).
            event.accepted = !(event.modifiers & Qt.ControlModifier);
            if (event.accepted)
                okButton.activate();
        }

        Text {
            anchors.centerIn: parent
            width: parent.width - 16
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: root.okText
            color: root.okButtonEnabled ? "#FFFFFF" : "#B2B2B4"
            font.pixelSize: 24
            font.bold: true
        }

        MouseArea {
            id: okMouse
            anchors.fill: parent
            onClicked: okButton.activate()
        }

        FocusFrame {}
    }
}
