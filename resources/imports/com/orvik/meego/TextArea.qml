import QtQuick 2.15

// A multi-line text editor that grows with its text, with a placeholder and the input method's
// pre-edit text. Return breaks the line.
FocusScope {
    id: root

    property alias text: edit.text
    property alias placeholderText: placeholder.text
    property alias inputMethodHints: edit.inputMethodHints
    property alias readOnly: edit.readOnly
    property alias cursorPosition: edit.cursorPosition
    property alias selectedText: edit.selectedText
    property alias selectionStart: edit.selectionStart
    property alias selectionEnd: edit.selectionEnd
    property alias horizontalAlignment: edit.horizontalAlignment
    property alias wrapMode: edit.wrapMode
    property alias textFormat: edit.textFormat
    property alias font: edit.font
    property alias textColor: edit.color
    readonly property string platformPreedit: edit.preeditText
    property SipAttributes platformSipAttributes: null
    property bool errorHighlight: false
    property real platformRightMargin: 0
    property real minimumHeight: 52
    default property alias overlay: overlayItem.data

    function selectAll() { edit.selectAll(); }
    function select(start, end) { edit.select(start, end); }
    function deselect() { edit.deselect(); }
    function copy() { edit.copy(); }
    function cut() { edit.cut(); }
    function paste() { edit.paste(); }
    function insert(position, text) { edit.insert(position, text); }
    function positionAt(x, y) { return edit.positionAt(x - edit.x, y - edit.y); }
    function positionToRectangle(pos) { return edit.positionToRectangle(pos); }

    function openSoftwareInputPanel() {
        edit.forceActiveFocus();
        InputContext.open(root);
    }
    function closeSoftwareInputPanel() {
        InputContext.close(root);
        root.focus = false;
        edit.focus = false;
    }
    function platformOpenSoftwareInputPanel() { openSoftwareInputPanel(); }
    function platformCloseSoftwareInputPanel() { closeSoftwareInputPanel(); }

    implicitWidth: 300
    implicitHeight: Math.max(minimumHeight, edit.contentHeight + 28)
    activeFocusOnTab: true
    Accessible.role: Accessible.EditableText
    Accessible.name: root.placeholderText
    Accessible.multiLine: true

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
        anchors.fill: edit
        font: edit.font
        color: "#A6A8AB"
        wrapMode: Text.Wrap
        visible: edit.text === "" && edit.preeditText === ""
    }

    TextEdit {
        id: edit
        anchors {
            fill: parent
            leftMargin: 14
            rightMargin: 14 + root.platformRightMargin
            topMargin: 14
            bottomMargin: 14
        }
        focus: true
        clip: true
        color: "#000000"
        selectionColor: "#4DA4DA"
        selectedTextColor: "#FFFFFF"
        font.pixelSize: 24
        wrapMode: TextEdit.Wrap
        selectByMouse: true

        // A tweet has no use for tab characters: Tab moves on, as everywhere else.
        Keys.onTabPressed: root.nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
        Keys.onBacktabPressed: root.nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
    }

    Item {
        id: overlayItem
        anchors.fill: parent
    }
}
