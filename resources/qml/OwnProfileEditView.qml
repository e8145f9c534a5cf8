import QtQuick 2.15
import com.orvik.meego 1.0

// Editing the own profile: photo, name, web address, place and bio. Save sends the changes and the
// page closes when the service has taken them; the profile then shows the service's answer.
ZirrupPage {
    id: page

    property bool imageChanged: false
    property string photoUrl: ""
    property bool photoPortrait: false
    readonly property bool validValues: nameLine.valid && urlLine.valid && locationLine.valid && bioLength < 161
    readonly property int bioLength: bio.text.length + bio.platformPreedit.length

    function save() {
        if (!validValues)
            return;
        dataHandler.updateAccountData(nameLine.text, urlLine.text, locationLine.text, bio.text);
        if (imageChanged)
            dataHandler.updateAccountImage(photoUrl);
    }

    function accept() {
        save();
    }

    initialFocusItem: nameLine.field

    tools: null

    onStatusChanged: {
        if (status === PageStatus.Active)
            nameLine.forceInputFocus();
    }

    Component.onCompleted: {
        nameLine.text = profileview_firstname;
        urlLine.text = profileview_url;
        locationLine.text = profileview_location;
        bio.text = profileview_description;
    }

    OkCancelTopBar {
        id: topBar
        objectName: "editTopBar"
        width: parent.width
        okText: qsTrId("qtn_zirrup_save_command")
        okButtonEnabled: page.validValues
        onOkClicked: page.save()
        onCancelClicked: window.prevPage()
    }

    Flickable {
        id: flickable
        anchors {
            top: topBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        contentHeight: form.height + 32
        clip: true

        Column {
            id: form
            x: 16
            y: 16
            width: parent.width - 32
            spacing: 16

            Row {
                spacing: 16

                Item {
                    width: 80
                    height: 80
                    anchors.verticalCenter: parent.verticalCenter

                    Image {
                        objectName: "editPhoto"
                        anchors.centerIn: parent
                        width: 80
                        height: 80
                        rotation: page.imageChanged && page.photoPortrait ? 90 : 0
                        asynchronous: true
                        fillMode: Image.PreserveAspectCrop
                        sourceSize.width: 160
                        sourceSize.height: 160
                        source: page.imageChanged ? page.photoUrl
                              : profileview_profile_image_url !== "" ? profileview_profile_image_url
                              : "../images/default_profile_0_bigger.png"
                    }
                    Image {
                        anchors.fill: parent
                        source: "../images/zirrup-avatar-image-mask.png"
                        visible: page.imageChanged
                    }
                }

                ZirrupButton {
                    objectName: "changePhotoButton"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 240
                    inverted: false
                    text: qsTrId("qtn_zirrup_change_photo_command")
                    onClicked: picker.open()
                }
            }

            ProfileEditLine {
                id: nameLine
                objectName: "nameLine"
                labelText: qsTrId("qtn_zirrup_profile_name")
                limit: 21
                // The service refuses an empty name.
                mandatory: true
                onEnterPressed: urlLine.forceInputFocus()
            }
            ProfileEditLine {
                id: urlLine
                objectName: "urlLine"
                labelText: qsTrId("qtn_zirrup_profile_url")
                limit: 101
                inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoPredictiveText
                onEnterPressed: locationLine.forceInputFocus()
            }
            ProfileEditLine {
                id: locationLine
                objectName: "locationLine"
                labelText: qsTrId("qtn_zirrup_profile_location")
                limit: 31
                onEnterPressed: bio.openSoftwareInputPanel()
            }

            Column {
                width: parent.width
                spacing: 6

                Text {
                    text: qsTrId("qtn_zirrup_profile_bio") + ":"
                    color: "#555555"
                    font.pixelSize: 20
                }
                TextArea {
                    id: bio
                    objectName: "bioArea"
                    width: parent.width
                    minimumHeight: 120
                    wrapMode: TextEdit.Wrap
                    textColor: page.bioLength < 161 ? "#000000" : "#CC0000"
                }
            }
        }
    }

    ImagePickerDialog {
        id: picker
        objectName: "profilePhotoPicker"
        onImagePicked: function (imageUrl, isPortrait, aspectRatio) {
            page.photoUrl = imageUrl;
            page.photoPortrait = isPortrait;
            page.imageChanged = true;
        }
    }
}
