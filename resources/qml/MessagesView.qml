import QtQuick 2.15
import com.orvik.meego 1.0

// The direct-message conversations: one row per partner with the newest message, pulled down to
// refresh. The compose button offers a new direct message or a tweet.
ZirrupPage {
    id: page

    property int pull_down_header_height: 320
    readonly property bool isLoading: messagesview_loading
    property TweetOrMessageMenu composeMenu: null

    // Pulled down far enough: the newest from the start.
    function pullRefresh() {
        dataHandler.releaseMouse(list.objectName);
        list.positionViewAtBeginning();
        dataHandler.updateMessagesView();
    }

    // F5, Ctrl+R and the top bar's refresh button.
    function refreshContent() {
        list.positionViewAtBeginning();
        dataHandler.updateMessagesView(false);
    }

    initialFocusItem: list

    function openComposeMenu() {
        if (!composeMenu)
            composeMenu = composeMenuComponent.createObject(page);
        composeMenu.open();
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            dataHandler.emitUpdateTimestamp();
            if (myMessageModel.count === 0)
                dataHandler.updateMessagesView();
        }
    }

    Connections {
        target: window
        function onShowMessagesTab() {
            window.unreadMessages = false;
            list.positionViewAtBeginning();
        }
    }

    Component {
        id: composeMenuComponent

        TweetOrMessageMenu {
            objectName: "composeMenu"
            labelText: qsTrId("qtn_zirrup_compose_new")
            onDirectMessageClicked: {
                dataHandler.prepareComposeTo("", "", "");
                window.nextPage("RecipientSelectionView.qml");
            }
            onTweetClicked: window.nextPage("ComposeView.qml")
        }
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        composeTweet: false
        onComposeClicked: page.openComposeMenu()
        onDoubleClicked: list.positionViewAtBeginning()
    }

    RefreshingHeader {
        id: refreshingHeader
        anchors.top: topBar.bottom
        width: parent.width
        height: page.isLoading ? 60 : 0
        visible: page.isLoading
    }

    Item {
        id: listArea
        anchors {
            top: refreshingHeader.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true

        PulldownHeader {
            id: pullHeader
            list: list
            loading: page.isLoading
            height: page.pull_down_header_height
            onPulled: page.pullRefresh()
        }

        ListView {
            id: list
            objectName: "messagesList"
            anchors.fill: parent
            model: myMessageModel
            delegate: MessagesListDelegate {}
            activeFocusOnTab: true
            keyNavigationEnabled: true
            Accessible.role: Accessible.List
            Keys.onReturnPressed: if (currentItem) currentItem.open()
            Keys.onEnterPressed: if (currentItem) currentItem.open()
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
            text: qsTrId("qtn_zirrup_no_direct_messages")
            color: "#A6A8AB"
            font.pixelSize: 50
        }

        BusyIndicator {
            objectName: "sendingIndicator"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.top: parent.top
            anchors.topMargin: 12
            visible: messagesview_refresh_after_sending && !page.isLoading
            running: visible
        }
    }
}
