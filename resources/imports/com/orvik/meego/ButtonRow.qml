import QtQuick 2.15

// Places buttons side by side at equal widths. With exclusive set, clicking a checkable button
// checks it and unchecks the others; checkedButton is the one checked.
Item {
    id: root

    property bool exclusive: true
    property Item checkedButton: null
    property var __watched: null

    function __layout() {
        // Also called while the item is being torn down.
        if (!root)
            return;
        if (!root.__watched)
            root.__watched = [];
        var items = [];
        for (var i = 0; i < children.length; ++i) {
            var child = children[i];
            if (root.__watched.indexOf(child) < 0) {
                root.__watched.push(child);
                child.visibleChanged.connect(root.__layout);
                if (child.clicked !== undefined)
                    child.clicked.connect(root.__clickedHandler(child));
            }
            if (child.visible)
                items.push(child);
        }
        var w = items.length > 0 ? width / items.length : 0;
        for (var j = 0; j < items.length; ++j) {
            items[j].x = j * w;
            items[j].y = 0;
            items[j].width = w;
            items[j].height = height;
        }
    }

    function __clickedHandler(button) {
        return function () {
            if (!root.exclusive || button.checkable !== true)
                return;
            for (var i = 0; i < root.children.length; ++i) {
                var other = root.children[i];
                if (other !== button && other.checkable === true)
                    other.checked = false;
            }
            button.checked = true;
            root.checkedButton = button;
        };
    }

    implicitWidth: 322
    implicitHeight: 64
    width: parent ? parent.width : implicitWidth
    height: implicitHeight

    onChildrenChanged: __layout()
    onWidthChanged: __layout()
    onHeightChanged: __layout()
    Component.onCompleted: __layout()
}
