import QtQuick 2.15
import com.orvik.meego 1.0

// One labelled line of the profile editor. The input panel's action key reads "Next" and emits
// enterPressed, so the editor can move on to the next line.
Column {
    id: root

    property string labelText: ""
    property alias text: field.text
    readonly property string platformPreedit: field.platformPreedit
    property alias textColor: field.textColor
    property alias inputMethodHints: field.inputMethodHints
    property alias field: field

    signal enterPressed

    function forceInputFocus() {
        field.openSoftwareInputPanel();
    }

    width: parent ? parent.width : 0
    spacing: 6

    Text {
        text: root.labelText + ":"
        color: "#555555"
        font.pixelSize: 20
    }

    TextField {
        id: field
        width: parent.width
        platformSipAttributes: SipAttributes {
            actionKeyLabel: qsTrId("qtn_zirrup_next_command")
        }
        onAccepted: root.enterPressed()
    }
}
