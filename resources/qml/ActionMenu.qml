import QtQuick 2.15
import com.orvik.meego 1.0

// A menu about one thing that rises from the bottom: its items (contentArea) on a panel over a
// black fade. A tap outside the panel closes it.
Sheet {
    id: root

    property alias contentArea: panelContent.children

    showHeader: false
    showBackground: false
    dimOpacity: 0.8
    onPrivateClicked: close()

    Item {
        anchors.fill: parent

        BorderImage {
            id: panel
            anchors.bottom: parent.bottom
            width: parent.width
            height: panelContent.height + 32
            border { left: 19; top: 0; right: 19; bottom: 19 }
            source: "../images/zirrup-object-menu-background.png"

            // Presses on the panel stay on it.
            MouseArea {
                anchors.fill: parent
            }

            Column {
                id: panelContent
                x: 16
                y: 16
                width: parent.width - 32
                spacing: 0
            }
        }
    }
}
