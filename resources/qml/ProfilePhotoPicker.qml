import QtQuick 2.15
import com.orvik.meego 1.0

// The gallery's pictures, newest first, three to a row, for the own profile photo. A tap on a
// picture hands it over and closes the picker.
Dialog {
    id: root

    signal imagePicked(string imageUrl, bool isPortrait, real aspectRatio)

    objectName: "profilePhotoPicker"
    dimOpacity: 1

    onStatusChanged: {
        if (status === DialogStatus.Opening)
            dataHandler.queryPhotosModel();
    }

    Rectangle {
        anchors.fill: parent
        color: "#000000"
        opacity: root.openness

        // Presses between the pictures stay in the picker.
        MouseArea {
            anchors.fill: parent
        }

        TopPane {
            id: bar
            width: parent.width

            ZirrupButton {
                objectName: "photoPickerDoneButton"
                anchors.left: parent.left
                anchors.leftMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                width: 130
                height: 51
                isTopButton: true
                text: qsTrId("qtn_zirrup_done_command")
                onClicked: root.close()
            }

            BusyIndicator {
                anchors.centerIn: parent
                platformStyle: BusyIndicatorStyle { size: "medium"; inverted: true }
                visible: !dataHandler.photosModel
                running: visible
            }
        }

        GridView {
            id: grid
            objectName: "photoPickerGrid"
            anchors {
                top: bar.bottom
                left: parent.left
                right: parent.right
                bottom: parent.bottom
            }
            clip: true
            cellWidth: Math.floor(width / 3) - 1
            cellHeight: cellWidth
            model: dataHandler.photosModel

            delegate: Item {
                id: cell

                required property string role_image_url
                required property bool role_orientation_portrait
                required property real role_aspect_ratio

                width: grid.cellWidth
                height: grid.cellHeight

                Item {
                    anchors.fill: parent
                    anchors.margins: 2
                    clip: true

                    Image {
                        id: picture
                        anchors.centerIn: parent
                        // A picture turned by its tag is stored on its side and stood up here.
                        width: cell.role_orientation_portrait ? parent.height : parent.width
                        height: cell.role_orientation_portrait ? parent.width : parent.height
                        rotation: cell.role_orientation_portrait ? 90 : 0
                        asynchronous: true
                        fillMode: Image.PreserveAspectCrop
                        sourceSize.width: 160
                        sourceSize.height: Math.round(160 * cell.role_aspect_ratio)
                        source: cell.role_image_url
                    }
                }

                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        if (picture.status !== Image.Ready)
                            return;
                        root.imagePicked(cell.role_image_url, cell.role_orientation_portrait, cell.role_aspect_ratio);
                        root.close();
                    }
                }
            }
        }
    }
}
