import QtQuick 2.15

// The text styles of the pages, a to g: colour and pixel size of each.
QtObject {
    readonly property color a_color: "#FFFFFF"
    readonly property int a_size: 40
    readonly property color b_color: "#000000"
    readonly property int b_size: 24
    readonly property color c_color: "#000000"
    readonly property int c_size: 24
    readonly property color d_color: "#A6A8AB"
    readonly property int d_size: 18
    readonly property color e_color: "#A6A8AB"
    readonly property int e_size: 18
    readonly property color f_color: "#FFFFFF"
    readonly property int f_size: 24
    readonly property color g_color: "#4DA4DA"
    readonly property int g_size: 24
}
