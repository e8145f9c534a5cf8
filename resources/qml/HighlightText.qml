import QtQuick 2.15

// Rich text laid out piece by piece so that it flows in either direction without breaking links.
// A link shows a dark highlight while pressed and goes to the controller when clicked.
Flow {
    id: root

    property string text: ""
    property bool alignRight: false
    property bool split: true
    property color textColor: "#000000"
    property int fontPixelSize: 24
    property string pressedLink: ""

    // The text's own direction decides the flow, not the window's: a mirrored window would
    // otherwise run a left-to-right tweet backwards.
    LayoutMirroring.enabled: false

    function linkTarget(piece) {
        var match = /<a href="([^"]*)"/.exec(piece);
        return match ? match[1] : "";
    }

    function pieces() {
        if (text === "")
            return [];
        if (split)
            return dataHandler.splitText(text, alignRight);
        var words = text.split(" ");
        for (var i = 0; i < words.length - 1; ++i)
            words[i] += " ";
        return words;
    }

    layoutDirection: alignRight || dataHandler.hasRightToLeftText(text) ? Qt.RightToLeft : Qt.LeftToRight

    Repeater {
        model: root.pieces()

        Item {
            id: piece

            required property string modelData
            readonly property bool isLink: modelData.indexOf("<a href=") >= 0
            readonly property bool isBlank: modelData === " "

            width: label.paintedWidth
            height: label.paintedHeight

            Rectangle {
                anchors.fill: parent
                anchors.margins: -2
                radius: 4
                color: "#000000"
                opacity: 0.5
                visible: piece.isLink && linkMouse.pressed
            }

            Text {
                id: label
                // A lone blank would take no room; it is as wide as an "i".
                text: piece.isBlank ? "i" : piece.modelData
                opacity: piece.isBlank ? 0 : 1
                textFormat: Text.RichText
                color: root.textColor
                font.pixelSize: root.fontPixelSize
                width: Math.min(implicitWidth, root.width)
                wrapMode: Text.Wrap
            }

            MouseArea {
                id: linkMouse
                anchors.fill: parent
                enabled: piece.isLink
                onPressedChanged: root.pressedLink = pressed ? root.linkTarget(piece.modelData) : ""
                onClicked: dataHandler.linkClicked(root.linkTarget(piece.modelData))
            }
        }
    }
}
