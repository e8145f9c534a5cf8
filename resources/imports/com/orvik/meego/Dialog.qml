import QtQuick 2.15

// A modal dialog centred over the window: a title, a content and a row of buttons on a dark dim.
// A press outside them rejects the dialog.
Fader {
    id: root

    property alias title: titleField.children
    property alias content: contentField.children
    property alias buttons: buttonsField.children
    property int platformContentMargin: 24

    signal accepted
    signal rejected
    signal clickedOutside

    function accept() {
        if (status === DialogStatus.Closed || status === DialogStatus.Closing)
            return;
        close();
        accepted();
    }

    function reject() {
        if (status === DialogStatus.Closed || status === DialogStatus.Closing)
            return;
        close();
        rejected();
    }

    dimOpacity: 0.9
    onPrivateClicked: {
        clickedOutside();
        reject();
    }

    Item {
        id: frame
        anchors.centerIn: parent
        width: parent.width - 2 * root.platformContentMargin
        height: column.height
        opacity: root.openness
        scale: 0.9 + 0.1 * root.openness

        // Presses between the parts must not reach the dim behind.
        MouseArea {
            anchors.fill: parent
        }

        Column {
            id: column
            width: parent.width
            spacing: 16

            Item {
                id: titleField
                width: parent.width
                height: childrenRect.height
            }
            Item {
                id: contentField
                width: parent.width
                height: childrenRect.height
            }
            Item {
                id: buttonsField
                width: parent.width
                height: childrenRect.height
            }
        }
    }
}
