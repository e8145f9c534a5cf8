import QtQuick 2.15
import com.orvik.meego 1.0

// One labelled line of the profile editor. The input panel's action key reads "Next" and emits
// enterPressed, so the editor can move on to the next line.
Column {
    id: root

    property string labelText: ""
    property alias text: field.text
    readonly property string platformPreedit: field.platformPreedit
    // Valid while the text with what is being composed stays under the limit (and, when
    // mandatory, is not empty); the text turns red otherwise.
    property int limit: 0
    property bool mandatory: false
    readonly property int length: text.length + platformPreedit.length
    readonly property bool valid: length < limit && (!mandatory || length > 0)
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
        textColor: root.valid ? "#000000" : "#CC0000"
        platformSipAttributes: SipAttributes {
            actionKeyLabel: qsTrId("qtn_zirrup_next_command")
        }
        onAccepted: root.enterPressed()
    }
}
