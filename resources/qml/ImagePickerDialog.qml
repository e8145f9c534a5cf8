import QtQuick 2.15
import com.orvik.meego 1.0

// The pictures of the user's gallery, newest first, three to a row. A tap on a loaded picture
// hands it to the editor and closes the dialog.
Dialog {
    id: root

    property int loadingCount: 0

    signal imagePicked(string imageUrl, bool isPortrait, real aspectRatio)

    objectName: "imagePickerDialog"
    dimOpacity: 1

    onStatusChanged: {
        if (status === DialogStatus.Opening)
            dataHandler.queryPhotosModel();
    }

    // The frame of a dialog is centred; this one fills the window instead.
    Rectangle {
        anchors.fill: parent
        color: "#000000"
        opacity: root.openness

        MouseArea {
            anchors.fill: parent
        }

        TopPane {
            id: bar
            width: parent.width

            ZirrupButton {
                objectName: "pickerDoneButton"
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
                visible: root.loadingCount > 0
                running: visible
            }
        }

        GridView {
            id: grid
            objectName: "pickerGrid"
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

                readonly property string role_image_url: model.role_image_url ?? ""
                readonly property bool role_orientation_portrait: model.role_orientation_portrait ?? false
                readonly property real role_aspect_ratio: model.role_aspect_ratio ?? 1
                property bool counted: false

                function countLoading(loading) {
                    if (loading !== counted) {
                        counted = loading;
                        root.loadingCount += loading ? 1 : -1;
                    }
                }

                width: grid.cellWidth
                height: grid.cellHeight

                Component.onDestruction: countLoading(false)

                Item {
                    anchors.fill: parent
                    anchors.margins: 2
                    clip: true

                    Image {
                        id: picture
                        anchors.centerIn: parent
                        // A portrait picture is stored lying on its side and stood up here.
                        width: cell.role_orientation_portrait ? parent.height : parent.width
                        height: cell.role_orientation_portrait ? parent.width : parent.height
                        rotation: cell.role_orientation_portrait ? 90 : 0
                        asynchronous: true
                        fillMode: Image.PreserveAspectCrop
                        sourceSize.width: 160
                        sourceSize.height: Math.round(160 * cell.role_aspect_ratio)
                        source: cell.role_image_url
                        onStatusChanged: cell.countLoading(status === Image.Loading)
                        Component.onCompleted: cell.countLoading(status === Image.Loading)
                    }
                }

                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        if (picture.status !== Image.Ready)
                            return;
                        root.imagePicked(cell.role_image_url, cell.role_orientation_portrait,
                                         cell.role_aspect_ratio);
                        root.close();
                    }
                }
            }
        }
    }
}
