import QtQuick 2.15

// Common ground of dialogs, sheets and menus: a layer over the whole window with a black dim behind
// its content. open() lifts it to the top of the window (or to visualParent) and animates
// `openness` from 0 to 1; close() runs it back. A press on the dim outside the content emits
// privateClicked.
// While open it holds the keyboard focus, so keys do not reach the page below: Escape rejects it
// (closes it when it cannot reject), Ctrl+Return accepts it where it can. Closing hands the focus
// back to where it was.
FocusScope {
    id: root

    property Item visualParent: null
    property int status: DialogStatus.Closed
    property real dimOpacity: 0.8
    property int transitionDuration: 300
    property int transitionEasing: Easing.InOutQuad
    property real openness: 0
    default property alias faderContent: contentLayer.data

    property var __focusBefore: null

    signal privateClicked

    function open() {
        if (status === DialogStatus.Open || status === DialogStatus.Opening)
            return;
        var target = visualParent ? visualParent : __topItem();
        if (target && parent !== target)
            parent = target;
        __focusBefore = root.Window.activeFocusItem;
        status = DialogStatus.Opening;
        root.forceActiveFocus();
        animation.stop();
        animation.to = 1;
        animation.start();
    }

    function close() {
        if (status === DialogStatus.Closed || status === DialogStatus.Closing)
            return;
        status = DialogStatus.Closing;
        __restoreFocus();
        animation.stop();
        animation.to = 0;
        animation.start();
    }

    function __restoreFocus() {
        var before = __focusBefore;
        __focusBefore = null;
        if (!root.activeFocus)
            return;
        // The item may have gone with its page in the meantime.
        if (before && before.visible !== undefined && before.visible)
            before.forceActiveFocus();
        else if (root.parent)
            root.parent.forceActiveFocus();
    }

    function __contains(item) {
        for (; item; item = item.parent) {
            if (item === root)
                return true;
        }
        return false;
    }

    // Tab past the last control must not land on the page behind.
    function __reclaimFocus() {
        if (root.activeFocus || (status !== DialogStatus.Open && status !== DialogStatus.Opening))
            return;
        var first = root.nextItemInFocusChain(true);
        if (first && first !== root && __contains(first))
            first.forceActiveFocus(Qt.TabFocusReason);
        else
            root.forceActiveFocus();
    }

    function __escape() {
        if (typeof root.reject === "function")
            root.reject();
        else
            close();
    }

    function __topItem() {
        var item = root;
        while (item.parent)
            item = item.parent;
        return item;
    }

    function __animationStopped() {
        if (status === DialogStatus.Opening && openness === 1)
            status = DialogStatus.Open;
        else if (status === DialogStatus.Closing && openness === 0)
            status = DialogStatus.Closed;
    }

    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    z: 1000
    visible: status !== DialogStatus.Closed

    onActiveFocusChanged: {
        if (!activeFocus && (status === DialogStatus.Open || status === DialogStatus.Opening))
            Qt.callLater(root.__reclaimFocus);
    }

    Keys.onPressed: (event) => {
        if (event.key === Qt.Key_Escape) {
            root.__escape();
        } else if ((event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
                   && (event.modifiers & Qt.ControlModifier)) {
            if (typeof root.accept === "function")
                root.accept();
        } else if (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab) {
            return;
        }
        // Nothing behind an open dialog takes keys.
        event.accepted = true;
    }

    Rectangle {
        id: dim
        anchors.fill: parent
        color: "#000000"
        opacity: root.dimOpacity * root.openness

        MouseArea {
            anchors.fill: parent
            onClicked: root.privateClicked()
        }
    }

    Item {
        id: contentLayer
        anchors.fill: parent
    }

    NumberAnimation {
        id: animation
        target: root
        property: "openness"
        duration: root.transitionDuration
        easing.type: root.transitionEasing
        onStopped: root.__animationStopped()
    }
}
