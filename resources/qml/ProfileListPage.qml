import QtQuick 2.15
import com.orvik.meego 1.0

// A list that belongs to one user: a profile header, a title bar with the count, and the list,
// pulled down to refresh and growing by a batch when its last row appears. The pages built on it
// say what to load: refreshWanted asks for a forced reload, moreWanted for the next batch.
ZirrupPage {
    id: page

    // The user (or list id) whose rows were last requested; a different one forces a reload.
    property string loadedUser: ""
    property var listModel: null
    property alias delegate: list.delegate
    property alias listObjectName: list.objectName
    property string listTitle: ""
    // The count beside the title; empty or undefined shows none.
    property var count: ""
    property string emptyText: ""
    property bool showProfileHeader: true
    property bool isLoading: false
    property bool isLoadingMore: false
    property bool moreAvailable: false
    readonly property int pullThreshold: window.inPortrait ? 120 : 100
    readonly property alias list: list
    readonly property real position: list.visibleArea.yPosition * Math.max(list.height, list.contentHeight)
    property bool refreshRequested: false

    signal refreshWanted
    signal moreWanted

    function checkPosition() {
        if (position < -pullThreshold && list.moving && !list.flicking && !refreshRequested) {
            refreshRequested = true;
            list.positionViewAtBeginning();
            dataHandler.updateProfileView(dataHandler.currentUser);
            dataHandler.releaseMouse(list.objectName);
            // Forced, or the controller would skip the subject it already shows.
            refreshWanted();
        }
    }

    // F5, Ctrl+R and the top bar's refresh button.
    function refreshContent() {
        list.positionViewAtBeginning();
        refreshWanted();
    }

    initialFocusItem: list

    function loadMore(index) {
        if (index !== listModel.count - 1 || isLoading || isLoadingMore || !moreAvailable)
            return;
        moreWanted();
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        onDoubleClicked: list.positionViewAtBeginning()
    }

    ProfileHeader {
        id: profileHeader
        objectName: "profileHeader"
        anchors.top: topBar.bottom
        width: parent.width
        height: page.showProfileHeader ? 105 : 0
        visible: page.showProfileHeader
        avatarURL: profile_subview_profile_image_url
        zirrupName: profile_subview_screen_name
        firstName: profile_subview_firstname
        onClicked: {
            if (profile_subview_screen_name === "")
                return;
            dataHandler.currentUser = profile_subview_screen_name;
            window.nextPage("ProfileView.qml");
        }
    }

    Rectangle {
        id: titleBar
        anchors.top: profileHeader.bottom
        width: parent.width
        height: 40
        color: "#333333"

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.right: countText.left
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            textFormat: Text.PlainText
            text: page.listTitle
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
            text: page.count === "" || page.count === undefined ? "" : dataHandler.getLocalizedInt(Number(page.count))
            color: "#E6E6E6"
            font.pixelSize: 22
        }
    }

    Item {
        id: listArea
        anchors {
            top: titleBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true

        PulldownHeader {
            width: parent.width
            y: list.originY - list.contentY - height
            visible: list.moving && !page.isLoading
            armed: page.position < -page.pullThreshold
        }

        RefreshingHeader {
            id: refreshingHeader
            width: parent.width
            height: page.isLoading ? 60 : 0
            visible: page.isLoading
            z: 1
        }

        TweetListView {
            id: list
            anchors.fill: parent
            anchors.topMargin: refreshingHeader.height
            model: page.listModel
            cacheBuffer: 800

            function itemCreated(index) {
                page.loadMore(index);
            }

            footer: Item {
                width: ListView.view ? ListView.view.width : 0
                height: 80

                BusyIndicator {
                    anchors.centerIn: parent
                    running: visible
                    visible: page.isLoadingMore && !refreshingHeader.visible
                }
            }

            onContentYChanged: page.checkPosition()
            onMovementEnded: page.refreshRequested = false
        }

        ScrollDecorator {
            flickableItem: list
        }

        Text {
            objectName: "emptyText"
            anchors.centerIn: parent
            width: parent.width - 48
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            visible: list.count === 0 && !page.isLoading
            text: page.emptyText
            color: "#A6A8AB"
            font.pixelSize: 50
        }
    }
}
