pragma Singleton
import QtQuick 2.15

// The software input panel as the pages see it. On a handset it is the on-screen keyboard; on a
// desktop, where typing needs no panel, an editor that holds the keyboard focus counts as an open
// panel, so that pages which show suggestions while the user types behave the same on both.
QtObject {
    id: root

    property bool softwareInputPanelVisible: false
    // The editor the panel is open for, or null.
    property Item editor: null
    readonly property rect softwareInputPanelRect: Qt.inputMethod.keyboardRectangle

    function open(item) {
        editor = item;
        softwareInputPanelVisible = true;
        Qt.inputMethod.show();
    }

    function close(item) {
        // Another editor may have taken over in the meantime.
        if (item && editor && item !== editor)
            return;
        editor = null;
        softwareInputPanelVisible = false;
        Qt.inputMethod.hide();
    }
}
