import QtQuick 2.15

// The top item of the program's window. platformWindow tells whether the window is the active one
// and whether it can be seen (not hidden, not minimised).
Item {
    id: root

    readonly property bool inPortrait: height >= width
    property var platformWindow: QtObject {
        readonly property bool active: root.Window.active
        readonly property bool visible: root.Window.visibility !== Window.Hidden
                                        && root.Window.visibility !== Window.Minimized
        readonly property bool animating: false
    }

    width: 480
    height: 854
}
