import QtQuick 2.15

// An icon button of the tool bar. iconId names a theme icon ("toolbar-back" is
// "image://theme/icon-m-toolbar-back"); iconSource names any image and wins over iconId.
Item {
    id: root

    property string iconId: ""
    property string platformIconId: ""
    property url iconSource: ""
    readonly property bool pressed: mouse.pressed && mouse.containsMouse

    signal clicked

    function __themeSource() {
        var id = iconId !== "" ? iconId : platformIconId;
        if (id === "")
            return "";
        if (id.indexOf("icon-") !== 0)
            id = "icon-m-" + id;
        return "image://theme/" + id + (enabled ? "" : "-dimmed");
    }

    implicitWidth: 80
    implicitHeight: 64
    width: implicitWidth
    height: implicitHeight

    Rectangle {
        anchors.fill: parent
        anchors.margins: 4
        radius: 8
        color: "#FFFFFF"
        opacity: root.pressed ? 0.2 : 0
    }

    Image {
        anchors.centerIn: parent
        source: root.iconSource != "" ? root.iconSource : root.__themeSource()
        // Back and forward point the other way when the window reads right to left.
        mirror: root.LayoutMirroring.enabled
                && /(^|-)(back|next|forward|previous)$/.test(root.iconId || root.platformIconId)
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: root.enabled
        onClicked: root.clicked()
    }
}
