import QtQuick 2.15
import com.orvik.meego 1.0

// The search field of the search pages: no predictive text, the action key reads "Search" while
// there is text and "Done" without, and a clear button replaces the search icon while there is
// text. Longer text than maxLength characters is cut back to it.
TextField {
    id: root

    property int maxLength: 140
    property bool busy: false

    inputMethodHints: Qt.ImhNoPredictiveText
    platformRightMargin: 40
    platformSipAttributes: SipAttributes {
        actionKeyLabel: root.text !== "" ? qsTrId("qtn_zirrup_search_command") : qsTrId("qtn_zirrup_done_command")
        actionKeyHighlighted: true
    }

    onTextChanged: {
        if (text.length > maxLength) {
            text = text.substring(0, maxLength);
            cursorPosition = maxLength;
        }
    }

    BusyIndicator {
        anchors.right: parent.right
        anchors.rightMargin: 48
        anchors.verticalCenter: parent.verticalCenter
        visible: root.busy
        running: visible
    }

    Image {
        objectName: "searchFieldIcon"
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        source: root.text !== "" ? "image://theme/icon-m-input-clear" : "image://theme/icon-m-common-search"

        MouseArea {
            anchors.fill: parent
            anchors.margins: -8
            enabled: root.text !== ""
            onClicked: root.text = ""
        }
    }
}
