import QtQuick 2.15

// A one-line text editor with a placeholder, the input method's pre-edit text and an action key.
// Items declared inside it sit on top of the field (for example a clear button on the right;
// platformRightMargin keeps the text clear of them).
FocusScope {
    id: root

    property alias text: input.text
    property alias placeholderText: placeholder.text
    property alias echoMode: input.echoMode
    property alias inputMethodHints: input.inputMethodHints
    property alias readOnly: input.readOnly
    property alias cursorPosition: input.cursorPosition
    property alias maximumLength: input.maximumLength
    property alias validator: input.validator
    property alias acceptableInput: input.acceptableInput
    property alias selectedText: input.selectedText
    property alias selectionStart: input.selectionStart
    property alias selectionEnd: input.selectionEnd
    property alias horizontalAlignment: input.horizontalAlignment
    property alias font: input.font
    property alias textColor: input.color
    readonly property string platformPreedit: input.preeditText
    property SipAttributes platformSipAttributes: null
    property bool errorHighlight: false
    property real platformRightMargin: 0
    default property alias overlay: overlayItem.data

    signal accepted

    function selectAll() { input.selectAll(); }
    function select(start, end) { input.select(start, end); }
    function deselect() { input.deselect(); }
    function copy() { input.copy(); }
    function cut() { input.cut(); }
    function paste() { input.paste(); }
    function positionAt(x) { return input.positionAt(x - input.x); }
    function positionToRectangle(pos) { return input.positionToRectangle(pos); }

    function openSoftwareInputPanel() {
        input.forceActiveFocus();
        InputContext.open(root);
    }
    function closeSoftwareInputPanel() {
        InputContext.close(root);
        root.focus = false;
        input.focus = false;
    }
    function platformOpenSoftwareInputPanel() { openSoftwareInputPanel(); }
    function platformCloseSoftwareInputPanel() { closeSoftwareInputPanel(); }

    implicitWidth: 300
    implicitHeight: 52
    activeFocusOnTab: true
    Accessible.role: Accessible.EditableText
    Accessible.name: root.placeholderText

    // An editor that goes away while typing must not leave the panel open.
    Component.onDestruction: InputContext.close(root)

    onActiveFocusChanged: {
        if (activeFocus)
            InputContext.open(root);
        else
            InputContext.close(root);
    }

    BorderImage {
        anchors.fill: parent
        border { left: 10; top: 10; right: 10; bottom: 10 }
        source: root.readOnly ? "image://theme/meegotouch-textedit-background-disabled"
              : root.activeFocus || root.errorHighlight ? "image://theme/meegotouch-textedit-background-selected"
              : "image://theme/meegotouch-textedit-background"
    }

    MouseArea {
        anchors.fill: parent
        onPressed: (mouse) => {
            root.openSoftwareInputPanel();
            mouse.accepted = false;
        }
    }

    Text {
        id: placeholder
        anchors.fill: input
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: input.horizontalAlignment
        font: input.font
        color: "#A6A8AB"
        elide: Text.ElideRight
        visible: input.text === "" && input.preeditText === ""
    }

    TextInput {
        id: input
        anchors {
            left: parent.left
            right: parent.right
            verticalCenter: parent.verticalCenter
            leftMargin: 14
            rightMargin: 14 + root.platformRightMargin
        }
        focus: true
        clip: true
        color: "#000000"
        selectionColor: "#4DA4DA"
        selectedTextColor: "#FFFFFF"
        font.pixelSize: 24
        selectByMouse: true

        Keys.onReturnPressed: (event) => root.actionKey(event)
        Keys.onEnterPressed: (event) => root.actionKey(event)
    }

    Item {
        id: overlayItem
        anchors.fill: parent
    }

    function actionKey(event) {
        // Ctrl+Return belongs to the page (send).
        if (event.modifiers & Qt.ControlModifier) {
            event.accepted = false;
            return;
        }
        event.accepted = true;
        if (!platformSipAttributes || platformSipAttributes.actionKeyEnabled)
            accepted();
    }
}
