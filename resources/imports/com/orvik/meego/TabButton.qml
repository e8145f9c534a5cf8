import QtQuick 2.15

// A button that makes its tab the current tab of the TabGroup holding it. activate() does what a
// click does, for the keyboard and for screen readers.
Item {
    id: root

    property Item tab: null
    property url iconSource: ""
    property string text: ""
    readonly property bool checked: tab !== null && tab.parent !== null && tab.parent.currentTab === tab
    readonly property bool pressed: mouse.pressed && mouse.containsMouse

    signal clicked

    function activate() {
        if (!root.enabled)
            return;
        if (root.tab && root.tab.parent && root.tab.parent.currentTab !== undefined)
            root.tab.parent.currentTab = root.tab;
        root.clicked();
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.PageTab
    Accessible.name: root.text
    Accessible.checkable: true
    Accessible.checked: root.checked
    Accessible.onPressAction: root.activate()
    Keys.onSpacePressed: root.activate()
    Keys.onReturnPressed: (event) => {
        // Ctrl+Return is the page's (send).
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.activate();
    }
    Keys.onEnterPressed: (event) => {
        event.accepted = !(event.modifiers & Qt.ControlModifier);
        if (event.accepted)
            root.activate();
    }

    implicitWidth: 96
    implicitHeight: 64

    Rectangle {
        anchors.fill: parent
        anchors.margins: 4
        radius: 8
        color: "#FFFFFF"
        opacity: root.pressed ? 0.22 : root.checked ? 0.12 : 0
    }

    Column {
        anchors.centerIn: parent

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: root.iconSource
            visible: root.iconSource != ""
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            textFormat: Text.PlainText
            text: root.text
            visible: text !== ""
            color: root.checked ? "#FFFFFF" : "#A6A8AB"
            font.pixelSize: 18
        }
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        enabled: root.enabled
        onClicked: root.activate()
    }

    FocusFrame {}
}
