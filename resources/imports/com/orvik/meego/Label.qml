import QtQuick 2.15

// Text in the platform's look: 24 pixels, black, wrapped at word boundaries.
Text {
    textFormat: Text.PlainText
    font.pixelSize: 24
    color: "#000000"
    wrapMode: Text.Wrap
}
