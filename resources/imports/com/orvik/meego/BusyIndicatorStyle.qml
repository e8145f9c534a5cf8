import QtQml 2.15

// Size ("small", "medium" or "large") and colour scheme of a BusyIndicator; inverted is for dark
// backgrounds.
QtObject {
    property string size: "small"
    property bool inverted: false
    property int period: 1000
}
