import QtQuick 2.15
import com.orvik.meego 1.0
import Zirrup.Positioning 1.0

// The editor of a tweet or a reply: the text with the characters left as the service counts them,
// and buttons to mention someone, attach a picture and add the place. Minimised, it is a one-line
// field that the tweet page opens on a press. In messaging mode only the text and the counter show.
FocusScope {
    id: root

    property alias text: area.text
    property alias cursorPosition: area.cursorPosition
    property alias placeholderText: area.placeholderText
    property int initialHeight: 220
    property bool messagingMode: false
    // A direct message carries no picture.
    property int uploadImagesCount: !messagingMode && tweetImageUploadModel ? tweetImageUploadModel.count : 0
    property bool locationEnabled: false
    property bool locating: false
    readonly property string locationId: locationEnabled ? geo_id : ""
    // The service wraps the links of tweets but not of direct messages, whose limit is the plain
    // length of the text.
    readonly property int textLenght: messagingMode ? area.text.length + area.platformPreedit.length
                                                    : dataHandler.countTweetTextLength(area.text + area.platformPreedit,
                                                                                       uploadImagesCount)
    readonly property bool minimized: state === "minimized"
    readonly property bool pictureAttached: uploadImagesCount > 0
    readonly property bool canLocate: positionSource.available

    // A press on the minimised editor; the page decides how it opens.
    signal pressedWhileMinimized

    function openKeyboard() {
        area.openSoftwareInputPanel();
    }

    function closeKeyboard() {
        area.closeSoftwareInputPanel();
    }

    function select(start, end) {
        area.select(start, end);
    }

    function insertMention(screenName) {
        var insertion = "@" + screenName + " ";
        var at = area.cursorPosition;
        area.insert(at, insertion);
        area.openSoftwareInputPanel();
        area.cursorPosition = at + insertion.length;
    }

    function openMentions() {
        if (!mentionSheet)
            mentionSheet = mentionComponent.createObject(root);
        mentionSheet.open();
    }

    function openPicker() {
        if (!picker)
            picker = pickerComponent.createObject(root);
        picker.open();
    }

    function resetLocation() {
        locating = false;
        locationEnabled = false;
        positionSource.active = false;
        dataHandler.getGeoLocation("", "");
    }

    function toggleLocation() {
        if (locationEnabled || locating) {
            resetLocation();
            return;
        }
        if (!positionSource.available) {
            window.showError(qsTrId("qtn_zirrup_error_no_position"));
            return;
        }
        locating = true;
        positionSource.active = true;
        // The source may find out only now that there is none.
        if (!positionSource.available) {
            locating = false;
            window.showError(qsTrId("qtn_zirrup_error_no_position"));
        }
    }

    property Item mentionSheet: null
    property Item picker: null

    width: parent ? parent.width : 480
    height: column.height

    Component.onCompleted: {
        dataHandler.refreshConfigurationData();
        // The place belongs to a tweet being written: a message page must not drop it.
        if (!messagingMode && !positionSource.available)
            dataHandler.getGeoLocation("", "");
    }

    ZirrupPositionSource {
        id: positionSource
        updateInterval: 1000
        active: false

        onPositionChanged: {
            if (!root.locating || !positionValid)
                return;
            active = false;
            dataHandler.getGeoLocation(String(latitude), String(longitude));
        }
        onAvailableChanged: {
            if (!available && root.locating) {
                root.locating = false;
                window.showError(qsTrId("qtn_zirrup_error_no_position"));
            }
        }
    }

    // A source that exists but never finds the position (a desktop without a receiver, or one
    // that is not allowed to ask) must not keep the user waiting.
    Timer {
        id: locateTimeout
        objectName: "locateTimeout"
        interval: 30000
        running: root.locating
        onTriggered: {
            root.resetLocation();
            window.showError(qsTrId("qtn_zirrup_error_no_position"));
        }
    }

    Connections {
        target: dataHandler

        function onPositioningTermsRejected() {
            root.resetLocation();
        }
    }

    // The place the service found for the position; "error" when it found none.
    property string geoLocation: geo_location
    onGeoLocationChanged: {
        if (geoLocation === "" || !locating)
            return;
        locating = false;
        if (geoLocation !== "error")
            locationEnabled = true;
    }

    Column {
        id: column
        width: parent.width

        TextArea {
            id: area
            objectName: "tweetEditArea"
            width: parent.width
            height: root.minimized ? 80 : Math.max(root.initialHeight, implicitHeight)
            focus: true
            platformRightMargin: root.messagingMode ? 60 : 0

            Behavior on height {
                enabled: !root.messagingMode
                NumberAnimation { duration: 300; easing.type: root.minimized ? Easing.InOutQuart : Easing.OutQuart }
            }

            MouseArea {
                anchors.fill: parent
                enabled: root.minimized
                onClicked: root.pressedWhileMinimized()
            }

            Text {
                objectName: "messagingCounter"
                anchors.right: parent.right
                anchors.rightMargin: 14
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 10
                visible: root.messagingMode && !root.minimized
                text: dataHandler.getLocalizedInt(140 - root.textLenght)
                color: root.textLenght > 140 ? "#CC3333" : "#A6A8AB"
                font.pixelSize: 18
            }
        }

        Item {
            id: controls
            objectName: "tweetEditControls"
            width: parent.width
            height: root.messagingMode || root.minimized ? 0 : 80 + (locationLabel.visible ? locationLabel.height : 0)
            clip: true
            visible: height > 0

            Behavior on height {
                NumberAnimation { duration: 300; easing.type: root.minimized ? Easing.InOutQuart : Easing.OutQuart }
            }

            ZirrupImageButton {
                id: mentionButton
                objectName: "mentionButton"
                x: 8
                y: 16
                unpressedImage: "../images/zirrup-icon-compose-mention.png"
                pressedImage: "../images/zirrup-icon-compose-mention-pressed.png"
                onClicked: root.openMentions()
            }

            ZirrupImageButton {
                id: pictureButton
                objectName: "pictureButton"
                anchors.left: mentionButton.right
                anchors.leftMargin: 24
                y: 16
                unpressedImage: root.pictureAttached ? "../images/zirrup-icon-compose-picture-on.png"
                                                     : "../images/zirrup-icon-compose-picture.png"
                pressedImage: root.pictureAttached ? "../images/zirrup-icon-compose-picture-on.png"
                                                   : "../images/zirrup-icon-compose-picture-pressed.png"
                onClicked: {
                    if (!root.pictureAttached)
                        root.openPicker();
                }
            }

            Text {
                id: counter
                objectName: "counter"
                anchors.horizontalCenter: parent.horizontalCenter
                y: 40 - height / 2
                text: dataHandler.getLocalizedInt(140 - root.textLenght)
                color: root.textLenght > 140 ? "#CC3333" : "#8A8A8A"
                font.pixelSize: 28
                font.bold: true
            }

            ZirrupImageButton {
                id: locationButton
                objectName: "locationButton"
                anchors.right: parent.right
                anchors.rightMargin: 8
                y: 16
                visible: !root.locating
                unpressedImage: !root.canLocate ? "../images/zirrup-icon-compose-location-disabled.png"
                              : root.locationEnabled ? "../images/zirrup-icon-compose-location-on.png"
                              : "../images/zirrup-icon-compose-location.png"
                pressedImage: !root.canLocate ? "../images/zirrup-icon-compose-location-disabled.png"
                                              : "../images/zirrup-icon-compose-location-pressed.png"
                onClicked: root.toggleLocation()
            }

            BusyIndicator {
                objectName: "locationBusy"
                anchors.centerIn: locationButton
                visible: root.locating
                running: visible

                MouseArea {
                    anchors.fill: parent
                    anchors.margins: -12
                    onClicked: root.resetLocation()
                }
            }

            Text {
                id: locationLabel
                objectName: "locationLabel"
                anchors.left: parent.left
                anchors.leftMargin: 16
                anchors.right: parent.right
                anchors.rightMargin: 16
                y: 80
                visible: root.locationEnabled
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideRight
                textFormat: Text.PlainText
                text: qsTrId("qtn_zirrup_tweet_location").arg(geo_location)
                color: "#8A8A8A"
                font.pixelSize: 18
            }
        }

        Item {
            id: pictures
            objectName: "pictureArea"
            width: parent.width
            height: root.pictureAttached && !root.minimized && !root.messagingMode && !Qt.inputMethod.visible ? 320 : 0
            clip: true
            visible: height > 0

            Grid {
                x: 16
                y: 8
                columns: 3
                spacing: 16

                Repeater {
                    model: tweetImageUploadModel

                    Item {
                        id: tile

                        readonly property string pic_url: model.pic_url ?? ""
                        readonly property bool role_orientation_portrait: model.role_orientation_portrait ?? false

                        width: 110
                        height: 110

                        Image {
                            anchors.centerIn: parent
                            width: tile.role_orientation_portrait ? parent.height : parent.width
                            height: tile.role_orientation_portrait ? parent.width : parent.height
                            rotation: tile.role_orientation_portrait ? 90 : 0
                            asynchronous: true
                            fillMode: Image.PreserveAspectCrop
                            sourceSize.width: 220
                            source: tile.pic_url
                        }
                        Image {
                            anchors.fill: parent
                            source: "../images/zirrup-gallery-mask.png"
                        }
                        Image {
                            objectName: "removePictureBadge"
                            anchors.right: parent.right
                            anchors.rightMargin: -10
                            anchors.top: parent.top
                            anchors.topMargin: -10
                            source: "../images/zirrup-icon-remove-badge.png"

                            MouseArea {
                                anchors.fill: parent
                                anchors.margins: -8
                                onClicked: dataHandler.removeUploadImage(tile.pic_url)
                            }
                        }
                    }
                }

                Image {
                    objectName: "galleryTile"
                    source: "../images/zirrup-gallery-button.png"

                    MouseArea {
                        anchors.fill: parent
                        onClicked: root.openPicker()
                    }
                }
            }
        }
    }

    states: State {
        name: "minimized"
    }

    Component {
        id: mentionComponent

        MentionSelectionSheet {
            onClicked: (screenName) => root.insertMention(screenName)
        }
    }

    Component {
        id: pickerComponent

        ImagePickerDialog {
            onImagePicked: (imageUrl, isPortrait, aspectRatio) => {
                dataHandler.addUploadImage(imageUrl, isPortrait, aspectRatio);
                // The count includes the picture's characters now.
                root.text = root.text;
            }
        }
    }
}
