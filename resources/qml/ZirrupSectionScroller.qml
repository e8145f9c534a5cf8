import QtQuick 2.15
import "ZirrupSectionScroller.js" as Sections

// A strip over the right edge of a list for jumping between its sections. Held for a moment it
// starts dragging: a label shows the section under the finger and the list jumps to that section's
// first row. While the list moves, a handle shows where it is.
Item {
    id: root

    property ListView listView: null
    property var sections: []
    property bool dragging: false
    property string currentSection: ""
    readonly property bool active: dragging || (listView !== null && listView.moving)

    // The table is made when a drag needs it: rebuilding it on every change would walk all the
    // rows of a long list at every page it loads and every update of the ages.
    property bool stale: true

    function rebuild() {
        sections = Sections.buildSections(listView ? listView.model : null,
                                          listView ? listView.section.property : "");
        stale = false;
    }

    function positionAt(y) {
        if (stale)
            rebuild();
        var i = Sections.sectionAt(sections, y, height);
        if (i < 0)
            return;
        currentSection = sections[i].value !== undefined ? String(sections[i].value) : "";
        listView.positionViewAtIndex(sections[i].index, ListView.Beginning);
    }

    parent: listView
    anchors.right: parent ? parent.right : undefined
    anchors.top: parent ? parent.top : undefined
    anchors.bottom: parent ? parent.bottom : undefined
    width: 64
    z: 10

    onListViewChanged: stale = true

    Connections {
        target: root.listView
        function onModelChanged() { root.stale = true; }
    }

    Connections {
        target: root.listView ? root.listView.model : null
        ignoreUnknownSignals: true
        function onCountChanged() { root.stale = true; }
        function onDataChanged() { root.stale = true; }
        function onRowsInserted() { root.stale = true; }
        function onRowsMoved() { root.stale = true; }
        function onRowsRemoved() { root.stale = true; }
        function onModelReset() { root.stale = true; }
    }

    Rectangle {
        id: background
        anchors.fill: parent
        color: "#000000"
        opacity: 0

        states: State {
            name: "active"
            when: root.active
            PropertyChanges { target: background; opacity: 0.2 }
        }
        transitions: [
            Transition {
                to: "active"
                NumberAnimation { property: "opacity"; duration: 300 }
            },
            Transition {
                from: "active"
                NumberAnimation { property: "opacity"; duration: 700 }
            }
        ]
    }

    Image {
        id: handle
        anchors.horizontalCenter: parent.horizontalCenter
        source: "image://theme/meegotouch-fast-scroll-handle"
        visible: root.active && root.listView !== null && root.listView.visibleArea.heightRatio < 1
        y: root.listView ? Math.max(0, Math.min(root.height - height,
               root.listView.visibleArea.yPosition / Math.max(0.0001, 1 - root.listView.visibleArea.heightRatio)
               * (root.height - height))) : 0
    }

    Rectangle {
        id: label
        objectName: "sectionLabel"
        visible: root.dragging
        width: 300
        height: 178
        x: -width - 8
        y: Math.max(0, Math.min(root.height - height, mouse.mouseY - height / 2))
        radius: 12
        color: "#000000"
        opacity: 0.8

        Text {
            anchors.fill: parent
            anchors.margins: 16
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            text: root.currentSection
            color: "#FFFFFF"
            font.pixelSize: 28
            font.bold: true
        }
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        pressAndHoldInterval: 150
        preventStealing: root.dragging
        onPressAndHold: (mouse) => {
            root.dragging = true;
            root.positionAt(mouse.y);
        }
        onPositionChanged: (mouse) => {
            if (root.dragging)
                root.positionAt(mouse.y);
        }
        onReleased: root.dragging = false
        onCanceled: root.dragging = false
    }
}
