import QtQuick 2.15

// Common ground of dialogs, sheets and menus: a layer over the whole window with a black dim behind
// its content. open() lifts it to the top of the window (or to visualParent) and animates
// `openness` from 0 to 1; close() runs it back. A press on the dim outside the content emits
// privateClicked.
Item {
    id: root

    property Item visualParent: null
    property int status: DialogStatus.Closed
    property real dimOpacity: 0.8
    property int transitionDuration: 300
    property int transitionEasing: Easing.InOutQuad
    property real openness: 0
    default property alias faderContent: contentLayer.data

    signal privateClicked

    function open() {
        if (status === DialogStatus.Open || status === DialogStatus.Opening)
            return;
        var target = visualParent ? visualParent : __topItem();
        if (target && parent !== target)
            parent = target;
        status = DialogStatus.Opening;
        animation.stop();
        animation.to = 1;
        animation.start();
    }

    function close() {
        if (status === DialogStatus.Closed || status === DialogStatus.Closing)
            return;
        status = DialogStatus.Closing;
        animation.stop();
        animation.to = 0;
        animation.start();
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
