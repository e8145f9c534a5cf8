import QtQuick 2.15

// The top item of the program's window. platformWindow tells whether the window is the active one
// and whether it can be seen (not hidden, not minimised). It is the outermost focus scope: keys
// that nothing inside takes end here, and focus given up by a page that went away returns here.
// `desktop` is false when the window fills a handset's screen.
FocusScope {
    id: root

    readonly property bool inPortrait: height >= width
    readonly property bool desktop: root.Window.visibility !== Window.FullScreen
    property var platformWindow: QtObject {
        readonly property bool active: root.Window.active
        readonly property bool visible: root.Window.visibility !== Window.Hidden
                                        && root.Window.visibility !== Window.Minimized
        readonly property bool animating: false
    }

    width: 480
    height: 854
    focus: true
}
