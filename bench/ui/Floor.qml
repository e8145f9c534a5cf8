// The floor: a window with a list of as many empty rows as the program's home timeline, measured
// by the same script; whatever the program costs above this is its own.
import QtQuick 2.15

ListView {
    width: 480
    height: 854
    objectName: "homeList"
    model: 6000
    delegate: Item {
        width: ListView.view.width
        height: 120
    }
}
