import QtQml 2.15

// What the input panel's action key (Return) reads and whether it can be used.
QtObject {
    property string actionKeyLabel: ""
    property string actionKeyIcon: ""
    property bool actionKeyEnabled: true
    property bool actionKeyHighlighted: false
}
