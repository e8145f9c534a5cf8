import QtQuick 2.15

// An icon button of the tool bar. iconId names a theme icon ("toolbar-back" is
// "image://theme/icon-m-toolbar-back"); iconSource names any image and wins over iconId.
// `text` is what a screen reader says; the common theme icons name themselves.
Item {
    id: root

    property string iconId: ""
    property string platformIconId: ""
    property url iconSource: ""
    readonly property bool pressed: mouse.pressed && mouse.containsMouse

    property string text: __defaultText()

    signal clicked

    function __defaultText() {
        var id = iconId !== "" ? iconId : platformIconId;
        switch (id.replace(/^icon-m-/, "")) {
        case "toolbar-back": return qsTrId("qtn_zirrup_back_command");
        case "toolbar-refresh": return qsTrId("qtn_zirrup_refresh_command");
        case "toolbar-delete": return qsTrId("qtn_zirrup_delete_command");
        case "toolbar-favorite-mark": return qsTrId("qtn_zirrup_unfavorite_command");
        case "toolbar-favorite-unmark": return qsTrId("qtn_zirrup_favorite_command");
        case "toolbar-view-menu": return qsTrId("qtn_zirrup_menu_command");
        case "toolbar-add": return qsTrId("qtn_zirrup_add_command");
        }
        return "";
    }

    function __activate() {
        if (root.enabled)
            root.clicked();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: root.text
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
        onClicked: root.__activate()
    }

    FocusFrame {}
}
