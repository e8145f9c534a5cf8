import QtQuick 2.15
import com.orvik.meego 1.0

// A page on the light list background. Presses that the content does not take stop here, so they
// never reach the page below during a transition.
Page {
    id: page

    orientationLock: window.orientationLock

    Rectangle {
        anchors.fill: parent
        color: "#F2F2F2"
        z: -1

        MouseArea {
            anchors.fill: parent
        }
    }
}
