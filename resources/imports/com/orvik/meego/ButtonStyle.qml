import QtQuick 2.15

// The look of a Button: its background images (drawn as bordered images), text colours and size.
QtObject {
    property bool inverted: false

    property string background: inverted ? "image://theme/meegotouch-sheet-button-inverted-background"
                                         : "image://theme/meegotouch-button-background"
    property string pressedBackground: inverted ? "image://theme/meegotouch-sheet-button-inverted-background-pressed"
                                                : "image://theme/meegotouch-button-background-pressed"
    property string disabledBackground: "image://theme/meegotouch-button-background-disabled"
    property string checkedBackground: "image://theme/meegotouch-button-background-selected"
    property string checkedDisabledBackground: "image://theme/meegotouch-button-background-disabled"

    property int backgroundMarginLeft: 12
    property int backgroundMarginRight: 12
    property int backgroundMarginTop: 12
    property int backgroundMarginBottom: 12

    property color textColor: inverted ? "#FFFFFF" : "#000000"
    property color pressedTextColor: inverted ? "#FFFFFF" : "#000000"
    property color disabledTextColor: "#A6A8AB"
    property color checkedTextColor: "#FFFFFF"

    property string fontFamily: ""
    property int fontPixelSize: 24
    property int fontWeight: Font.Bold

    property int buttonWidth: 322
    property int buttonHeight: 51
    property int paddingLeft: 12
    property int paddingRight: 12
}
