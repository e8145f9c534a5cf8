import QtQuick 2.15
import com.orvik.meego 1.0

// The window frame: status bar at the top, the page stack in the middle and the tool bar with the
// current page's tools at the bottom. The tool bar steps aside only while an on-screen keyboard
// is shown; a field that merely has the focus leaves it in place.
Window {
    id: root

    property bool showStatusBar: true
    property bool showToolBar: true
    property var initialPage: null
    property alias pageStack: stack
    property PageStackWindowStyle platformStyle: PageStackWindowStyle {}
    readonly property real statusBarHeight: statusBar.height

    objectName: "pageStackWindow"

    Image {
        id: background
        anchors.fill: parent
        fillMode: root.platformStyle.backgroundFillMode
        source: root.inPortrait ? root.platformStyle.portraitBackground
                                : root.platformStyle.landscapeBackground
    }

    StatusBar {
        id: statusBar
        anchors.top: parent.top
        width: parent.width
        height: root.showStatusBar ? implicitHeight : 0
        visible: root.showStatusBar
    }

    Item {
        id: contentArea
        anchors {
            top: statusBar.bottom
            left: parent.left
            right: parent.right
            bottom: toolBar.top
        }
        clip: true

        ZirrupPageStack {
            id: stack
            anchors.fill: parent
            toolBar: toolBar
        }
    }

    ToolBar {
        id: toolBar
        objectName: "toolBar"
        anchors.bottom: parent.bottom
        width: parent.width
        height: visible ? implicitHeight : 0
        visible: root.showToolBar && !Qt.inputMethod.visible
    }

    // While pages move, input would reach pages half on screen.
    MouseArea {
        anchors.fill: parent
        enabled: stack.busy
        z: 10000
    }

    Repeater {
        model: root.platformStyle.cornersVisible ? ["top-left", "top-right", "bottom-left", "bottom-right"] : []

        Image {
            required property string modelData
            z: 10001
            source: "image://theme/meegotouch-screen-corner-" + modelData
            x: modelData.indexOf("left") >= 0 ? 0 : root.width - width
            y: modelData.indexOf("top") >= 0 ? 0 : root.height - height
        }
    }

    Component.onCompleted: {
        if (initialPage)
            stack.push(initialPage);
    }
}
