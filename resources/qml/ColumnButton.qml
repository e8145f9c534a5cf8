import QtQuick 2.15

// A framed button that spans its parent's width. Buttons stacked in one parent join into one frame:
// the first gets the top of the frame, the last the bottom, the others the middle.
Item {
    id: root

    readonly property bool pressed: mouse.pressed && mouse.containsMouse
    default property alias content: contentItem.data

    signal clicked

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
        onClicked: root.clicked()
    }
}
