import QtQuick 2.15

// The look of the page stack window: background images for both orientations and the rounded
// screen corners.
QtObject {
    property string background: "image://theme/meegotouch-window-background"
    property string portraitBackground: background
    property string landscapeBackground: background
    property int backgroundFillMode: Image.Tile
    property bool cornersVisible: true
}
