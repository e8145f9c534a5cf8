import QtQuick 2.15
import com.orvik.meego 1.0

// A framed button that spans its parent's width. Buttons stacked in one parent join into one frame:
// the first gets the top of the frame, the last the bottom, the others the middle. A screen reader
// reads `text`, or the texts of what it holds.
Item {
    id: root

    readonly property bool pressed: mouse.pressed && mouse.containsMouse
    default property alias content: contentItem.data

    property string text: ""

    signal clicked

    function __activate() {
        if (root.enabled)
            root.clicked();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: root.__accessibleName()
    Accessible.onPressAction: root.__activate()
    Keys.onSpacePressed: root.__activate()
    Keys.onReturnPressed: (event) => {
        // Ctrl+Return is the page's (send).
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.__activate();
    }
    Keys.onEnterPressed: (event) => {
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.__activate();
    }

    function __accessibleName() {
        if (root.text !== "")
            return root.text;
        var parts = [];
        for (var i = 0; i < contentItem.children.length; ++i) {
            var child = contentItem.children[i];
            if (child.text !== undefined && child.text !== "")
                parts.push(child.text);
        }
        return parts.join(" ");
    }

    // "", "-top", "-center" or "-bottom" by the place among the visible siblings.
    function framePosition() {
        if (!parent)
            return "";
        var siblings = [];
        for (var i = 0; i < parent.children.length; ++i) {
            var child = parent.children[i];
            if (child.visible && child.framePosition !== undefined)
                siblings.push(child);
        }
        if (siblings.length <= 1)
            return "";
        var index = siblings.indexOf(root);
        if (index === 0)
            return "-top";
        if (index === siblings.length - 1)
            return "-bottom";
        return "-center";
    }

    property string __position: ""

    width: parent ? parent.width : 0
    height: 70

    onVisibleChanged: if (parent) parent.childrenChanged()
    onParentChanged: __position = framePosition()
    Component.onCompleted: __position = framePosition()

    Connections {
        target: root.parent
        function onChildrenChanged() { root.__position = root.framePosition(); }
    }

    BorderImage {
        anchors.fill: parent
        border { left: 21; top: 21; right: 21; bottom: 21 }
        source: "../images/zirrup-list-frame" + root.__position + (root.pressed ? "-pressed" : "") + ".png"
    }

    Item {
        id: contentItem
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: root.enabled
        onClicked: root.__activate()
    }

    FocusFrame {}
}
