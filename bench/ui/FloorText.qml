// A second floor: the same list with rows drawn like the program's tweet rows (a grey square for
// the avatar, a bold name, three lines of text, the age), but fixed text and no model, bindings or
// pictures: what drawing and making such rows costs the renderer by itself.
import QtQuick 2.15

ListView {
    width: 480
    height: 854
    objectName: "homeList"
    model: 6000
    cacheBuffer: 800
    delegate: Rectangle {
        required property int index
        width: ListView.view.width
        height: column.height + 28
        color: "#F2F2F2"

        Rectangle {
            x: 12
            y: 16
            width: 50
            height: 50
            color: "#A6A8AB"
        }
        Column {
            id: column
            x: 74
            y: 12
            width: parent.width - 86
            spacing: 4

            Text {
                text: "Author " + parent.parent.index
                font.pixelSize: 24
                font.bold: true
            }
            Text {
                width: parent.width
                wrapMode: Text.Wrap
                font.pixelSize: 24
                text: "Row " + parent.parent.index + " of the floor: about as much text as a "
                      + "tweet of a hundred and forty characters, wrapped over three lines."
            }
            Text {
                text: parent.parent.index % 60 + " minutes ago"
                color: "#A6A8AB"
                font.pixelSize: 18
            }
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: "#E3E3E3"
        }
    }
}
