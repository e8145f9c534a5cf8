import QtQuick 2.15
import com.orvik.meego 1.0

// The band over a list while its newest rows are being loaded.
Rectangle {
    id: root

    color: "#333333"
    clip: true

    Row {
        anchors.centerIn: parent
        spacing: 16
        visible: root.height > 0

        BusyIndicator {
            anchors.verticalCenter: parent.verticalCenter
            platformStyle: BusyIndicatorStyle { inverted: true }
            running: root.visible && root.height > 0
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTrId("qtn_zirrup_refreshing_contents")
            color: "#E6E6E6"
            font.pixelSize: 22
        }
    }
}
