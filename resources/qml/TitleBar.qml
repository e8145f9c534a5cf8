import QtQuick 2.15

// The dark band that heads a list or a part of a page: a title and, on the right, a count.
Rectangle {
    id: root

    property alias title: titleText.text
    // A count as the profile gives it; nothing shows while it is not known.
    property var count: ""

    width: parent ? parent.width : 480
    height: 40
    color: "#333333"

    Text {
        id: titleText
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.right: countText.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        textFormat: Text.PlainText
        color: "#FFFFFF"
        font.pixelSize: 22
        font.bold: true
    }

    Text {
        id: countText
        objectName: "countText"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        text: root.count === "" || root.count === undefined || root.count === null
              ? "" : dataHandler.getLocalizedInt(Number(root.count))
        color: "#E6E6E6"
        font.pixelSize: 22
    }
}
