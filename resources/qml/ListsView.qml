import QtQuick 2.15
import com.orvik.meego 1.0

// The lists a user was added to, pulled down to refresh and loading more at the end. On the
// signed-in user's own profile a switch also shows the own and subscribed lists.
ZirrupPage {
    id: page

    property string loadedUser: ""
    property int pull_down_header_height: 320
    // Whether the lists are the signed-in user's; taken on activation.
    property bool ownProfile: false
    // Own and subscribed lists instead of the lists the user was added to.
    property bool showOwnLists: false
    readonly property var listModel: showOwnLists ? mySubscribedListsModel : myAddedToListsModel
    readonly property bool isLoading: showOwnLists ? mylists_loading : listsview_loading
    readonly property bool isLoadingMore: showOwnLists ? mylists_is_loading_more : listsview_is_loading_more
    readonly property bool moreAvailable: showOwnLists ? mylists_more_available : listsview_more_available

    function refresh() {
        var user = dataHandler.currentUser;
        dataHandler.updateProfileView(user);
        // Forced: the lists shown are the current user's, which would otherwise be kept.
        if (showOwnLists)
            dataHandler.updateSubscribedLists();
        else
            dataHandler.updateAddedToLists(user, true);
    }

    // Pulled down far enough: the newest from the start.
    function pullRefresh() {
        dataHandler.releaseMouse(list.objectName);
        list.positionViewAtBeginning();
        refresh();
    }

    // F5, Ctrl+R and the top bar's refresh button.
    function refreshContent() {
        list.positionViewAtBeginning();
        refresh();
    }

    initialFocusItem: list

    function loadMore(index) {
        if (index !== listModel.count - 1 || isLoading || isLoadingMore || !moreAvailable)
            return;
        if (showOwnLists)
            dataHandler.moreSubscribedLists();
        else
            dataHandler.moreAddedToLists(dataHandler.currentUser);
    }

    onShowOwnListsChanged: {
        if (showOwnLists && mySubscribedListsModel.count === 0 && !mylists_loading)
            dataHandler.updateSubscribedLists();
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            var user = dataHandler.currentUser;
            ownProfile = user !== "" && user.toLowerCase() === dataHandler.authenticatedUser();
            dataHandler.updateProfileSubView(user);
            dataHandler.updateAddedToLists(user, loadedUser !== user);
            loadedUser = user;
        }
    }

    // The own and subscribed lists stay: the menu shows them too.
    Component.onDestruction: dataHandler.cleanAddedToLists()

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        onDoubleClicked: list.positionViewAtBeginning()
    }

    TitleBar {
        id: titleBar
        anchors.top: topBar.bottom
        title: qsTrId("qtn_zirrup_more_lists")
        count: profile_subview_listed_count
    }

    ButtonRow {
        id: switchRow
        objectName: "listsSwitch"
        anchors.top: titleBar.bottom
        anchors.topMargin: visible ? 8 : 0
        x: 12
        width: parent.width - 24
        height: visible ? 52 : 0
        visible: page.ownProfile

        Button {
            objectName: "addedToButton"
            checkable: true
            checked: !page.showOwnLists
            text: qsTrId("qtn_zirrup_profile_listed")
            onClicked: page.showOwnLists = false
        }
        Button {
            objectName: "ownListsButton"
            checkable: true
            checked: page.showOwnLists
            text: qsTrId("qtn_zirrup_more_lists")
            onClicked: page.showOwnLists = true
        }
    }

    RefreshingHeader {
        id: refreshingHeader
        anchors.top: switchRow.bottom
        anchors.topMargin: switchRow.visible ? 8 : 0
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
            objectName: "listsList"
            anchors.fill: parent
            model: page.listModel
            delegate: ListsItem {
                name: model.name ?? ""
                desc: model.desc ?? ""
                isprivate: model.isprivate ?? false
                listId: model.id ?? ""
                screenName: model.screenName ?? ""
                avatar: model.avatar ?? ""
                Component.onCompleted: page.loadMore(model.index)
            }

            footer: Item {
                width: ListView.view ? ListView.view.width : 0
                height: 80

                BusyIndicator {
                    anchors.centerIn: parent
                    visible: page.isLoadingMore
                    running: visible
                }
            }
        }

        ScrollDecorator {
            flickableItem: list
        }
    }
}
