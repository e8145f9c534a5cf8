import QtQuick 2.15
import com.orvik.meego 1.0

// A row of trends, saved searches or the search history. With a filter it shows only when the
// query contains the filter, and every occurrence of the filter is highlighted. A click searches
// for the query; so do Return and Space when Tab has reached it.
Item {
    id: root

    property string queryItem: ""
    property string filter: ""
    readonly property bool match: filter !== "" && queryItem.indexOf(filter) >= 0
    readonly property bool shown: filter === "" || match

    signal clicked

    function escapeHtml(text) {
        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
    }

    // The query as rich text: the parts between the occurrences of the filter in bold black, the
    // filter itself in bold blue.
    function markedUp() {
        if (filter === "")
            return "<b>" + escapeHtml(queryItem) + "</b>";
        var parts = queryItem.split(filter);
        for (var i = 0; i < parts.length; ++i)
            parts[i] = escapeHtml(parts[i]);
        return "<b>" + parts.join("<font color=\"#00C0FF\">" + escapeHtml(filter) + "</font>") + "</b>";
    }

    function activate() {
        dataHandler.currentSearchString = root.queryItem;
        window.nextPage("SearchView.qml");
        root.clicked();
    }

    activeFocusOnTab: shown
    Accessible.role: Accessible.Button
    Accessible.name: root.queryItem
    Accessible.onPressAction: root.activate()
    Keys.onReturnPressed: root.activate()
    Keys.onEnterPressed: root.activate()
    Keys.onSpacePressed: root.activate()

    width: parent ? parent.width : 480
    height: shown ? 80 : 0
    visible: shown

    Rectangle {
        anchors.fill: parent
        color: mouse.pressed ? "#DDDDDD" : "transparent"
    }

    Text {
        id: label
        objectName: "queryText"
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        // Aligned to the window's reading direction, whatever the query's own.
        horizontalAlignment: Text.AlignLeft
        elide: Text.ElideRight
        textFormat: Text.StyledText
        text: root.markedUp()
        color: "#000000"
        font.pixelSize: 24
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#E6E6E6"
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        onClicked: root.activate()
    }

    FocusFrame {}
}
