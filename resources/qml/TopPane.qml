import QtQuick 2.15

// The dark pane at the top of a page.
Image {
    width: 480
    height: 72
    fillMode: Image.Stretch
    // Resolved here: the root of a component resolves relative addresses where it is used.
    source: Qt.resolvedUrl("../images/zirrup-top-pane.png")
}
