import QtQuick 2.15
import com.orvik.meego 1.0

// The "more" tab: the signed-in user's profile, favourites and retweets, the account (sign out or
// sign in as someone else), then the lists the user made or follows.
ZirrupPage {
    id: page

    readonly property alias list: list

    function loadMore(index) {
        if (index === mySubscribedListsModel.count - 1 && !mylists_loading && !mylists_is_loading_more
                && mylists_more_available)
            dataHandler.moreSubscribedLists();
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            var user = dataHandler.authenticatedUser();
            if (user !== "") {
                dataHandler.currentUser = user;
                dataHandler.updateProfileView(user);
                dataHandler.updateSubscribedLists();
            }
        }
    }

    function refreshContent() {
        var user = dataHandler.authenticatedUser();
        if (user === "")
            return;
        dataHandler.updateProfileView(user);
        dataHandler.updateSubscribedLists();
    }

    initialFocusItem: list

    Component.onDestruction: dataHandler.cleanSubscribedLists()

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        onDoubleClicked: list.positionViewAtBeginning()
    }

    ListView {
        id: list
        objectName: "subscribedListsList"
        anchors {
            top: topBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true
        model: mySubscribedListsModel

        header: Column {
            width: ListView.view ? ListView.view.width : 0

            MenuRowButton {
                objectName: "profileRow"
                iconSource: "../images/zirrup-icon-list-profile.png"
                text: qsTrId("qtn_zirrup_more_profile")
                value: profileview_screen_name
                onClicked: {
                    dataHandler.currentUser = dataHandler.authenticatedUser();
                    window.nextPage("ProfileView.qml");
                }
            }
            MenuRowButton {
                objectName: "favoritesRow"
                iconSource: "../images/zirrup-icon-toolbar-favourite.png"
                text: qsTrId("qtn_zirrup_more_favorites")
                value: profileview_favourites_count === "" || profileview_favourites_count === undefined
                       ? "" : dataHandler.getLocalizedInt(Number(profileview_favourites_count))
                onClicked: window.nextPage("FavoritesView.qml")
            }
            MenuRowButton {
                objectName: "retweetsRow"
                iconSource: "../images/zirrup-icon-menu-retweet.png"
                text: qsTrId("qtn_zirrup_more_retweets")
                onClicked: window.nextPage("RetweetedByMeView.qml")
            }
            MenuRowButton {
                objectName: "accountRow"
                iconSource: "../images/zirrup-icon-list-profile.png"
                text: qsTrId("qtn_zirrup_more_account")
                onClicked: dataHandler.settingsClicked()
            }
            TitleBar {
                title: qsTrId("qtn_zirrup_more_lists")
            }
        }

        delegate: ListsItem {
            showAvatar: false
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
                platformStyle: BusyIndicatorStyle { size: "medium" }
                visible: mylists_loading || mylists_is_loading_more
                running: visible
            }
        }
    }

    ScrollDecorator {
        flickableItem: list
    }
}
