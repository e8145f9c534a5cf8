import QtQuick 2.15

// The bar at the bottom of the window that shows the tools of the current page. setTools() swaps
// them; "push", "pop" and "replace" fade the new tools in, "set" shows them at once.
Item {
    id: root

    property Item tools: null

    function setTools(newTools, transition) {
        if (newTools === tools)
            return;
        if (tools)
            tools.visible = false;
        tools = newTools;
        if (!newTools)
            return;
        newTools.parent = container;
        newTools.visible = true;
        fadeIn.stop();
        if (transition && transition !== "set") {
            newTools.opacity = 0;
            fadeIn.target = newTools;
            fadeIn.start();
        } else {
            newTools.opacity = 1;
        }
    }

    implicitHeight: 72
    width: parent ? parent.width : 0
    height: implicitHeight

    BorderImage {
        anchors.fill: parent
        border { top: 2; bottom: 2 }
        source: "image://theme/meegotouch-toolbar-background"
    }

    // Presses between the tools stay in the bar.
    MouseArea {
        anchors.fill: parent
    }

    Item {
        id: container
        anchors.fill: parent
    }

    NumberAnimation {
        id: fadeIn
        property: "opacity"
        to: 1
        duration: 250
    }
}
