import QtQuick 2.15

// Lays out the tools of a page in the tool bar: the first at the left edge, the last at the right
// edge and the others evenly between them. A lone ButtonRow (tab buttons) takes the whole width.
Item {
    id: root

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
                child.widthChanged.connect(root.__layout);
            }
            if (child.visible)
                items.push(child);
        }
        if (items.length === 1 && items[0].checkedButton !== undefined) {
            items[0].x = 0;
            items[0].width = width;
            items[0].y = (height - items[0].height) / 2;
            return;
        }
        var used = 0;
        for (var j = 0; j < items.length; ++j)
            used += items[j].width;
        var gap = items.length > 1 ? (width - used) / (items.length - 1) : 0;
        var x = 0;
        for (var k = 0; k < items.length; ++k) {
            items[k].x = x;
            items[k].y = (height - items[k].height) / 2;
            x += items[k].width + gap;
        }
    }

    width: parent ? parent.width : 0
    height: parent ? parent.height : 0

    onChildrenChanged: __layout()
    onWidthChanged: __layout()
    onHeightChanged: __layout()
    Component.onCompleted: __layout()
}
