import QtQuick 2.15

// The dark pane at the top of a page.
Image {
    width: 480
    height: 72
    fillMode: Image.Stretch
    source: "../images/zirrup-top-pane.png"
}
