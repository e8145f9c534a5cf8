import QtQuick 2.15
import com.orvik.meego 1.0

// The tweets of one user, the favourites of one user, or the tweets of a list: a profile header
// (not for lists), a title bar with the count, and the list, pulled down to refresh.
ZirrupPage {
    id: page

    property bool showFavorites: false
    property bool showList: false
    // The user (or list id) whose tweets were last requested; a different one forces a reload.
    property string loadedUser: ""
    // The title of a list's page, taken when the page is activated.
    property string listName: ""
    // A list of the signed-in user's own (the list pages are opened with its owner as the user).
    property bool ownList: false
    readonly property var listModel: showFavorites ? myFavoritesModel : myTweetsModel
    readonly property bool isLoading: tweetsview_is_refreshing
    readonly property alias pullThreshold: pullHeader.threshold
    readonly property alias list: list

    function requestRefresh() {
        var user = dataHandler.currentUser;
        dataHandler.updateProfileView(user);
        dataHandler.releaseMouse(list.objectName);
        // The request must go out even though the user (or list) is still the current one.
        if (showFavorites)
            dataHandler.updateUserFavorites(user, true);
        else if (showList)
            dataHandler.updateListTweets(dataHandler.currentListId, true);
        else
            dataHandler.updateUserTweets(user, true);
    }

    // Pulled down far enough: the newest from the start.
    function pullRefresh() {
        list.positionViewAtBeginning();
        requestRefresh();
    }

    function loadMore(index) {
        if (index !== listModel.count - 1 || tweetsview_is_loading_more || isLoading
                || !tweetsview_more_tweets_available)
            return;
        if (showFavorites)
            dataHandler.moreUserFavorites(dataHandler.currentUser);
        else if (showList)
            dataHandler.moreListTweets(dataHandler.currentListId);
        else
            dataHandler.moreUserTweets(dataHandler.currentUser);
    }

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
        ToolIcon {
            objectName: "blockButton"
            visible: !page.showList && zirrup_account_exists && profile_subview_own_profile !== true
            iconSource: Qt.resolvedUrl(profile_subview_blocked ? "../images/zirrup-icon-toolbar-blocked.png"
                                                                : "../images/zirrup-icon-toolbar-block.png")
            onClicked: {
                if (!profileview_loading)
                    dataHandler.blockProfile(profile_subview_screen_name, !profile_subview_blocked);
            }
        }
        ToolIcon {
            // Subscribes to the list, or ends the subscription; not offered on the own lists.
            objectName: "followListButton"
            visible: page.showList && zirrup_account_exists && !page.ownList
            iconSource: Qt.resolvedUrl(tweetsview_following_list ? "../images/zirrup-icon-toolbar-following.png"
                                                                  : "../images/zirrup-icon-toolbar-follow.png")
            onClicked: {
                if (tweetsview_following_list)
                    dataHandler.unsubscribeList(dataHandler.currentListId);
                else
                    dataHandler.subscribeList(dataHandler.currentListId);
            }
        }
    }

    Component.onDestruction: {
        if (showFavorites)
            dataHandler.cleanFavoritesView();
        else
            dataHandler.cleanTweetsView();
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
        height: page.showList ? 0 : 105
        visible: !page.showList
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

    TitleBar {
        id: titleBar
        anchors.top: profileHeader.bottom
        title: page.showFavorites ? qsTrId("qtn_zirrup_more_favorites")
             : page.showList ? page.listName
             : qsTrId("qtn_zirrup_profile_tweets")
        count: page.showList ? "" : page.showFavorites ? profile_subview_favourites_count
                                                       : profile_subview_statuses_count
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
            id: pullHeader
            list: list
            loading: page.isLoading
            onPulled: page.pullRefresh()
        }

        RefreshingHeader {
            id: refreshingHeader
            width: parent.width
            height: page.isLoading ? 60 : 0
            visible: page.isLoading
            z: 1
        }

        ListView {
            id: list
            objectName: page.showFavorites ? "favoritesList" : page.showList ? "listTweetsList" : "userTweetsList"
            anchors.fill: parent
            anchors.topMargin: refreshingHeader.height
            model: page.listModel
            cacheBuffer: 800
            delegate: TimelineItem {}

            function itemCreated(index) {
                page.loadMore(index);
            }

            footer: Item {
                width: ListView.view ? ListView.view.width : 0
                height: 80

                BusyIndicator {
                    anchors.centerIn: parent
                    running: visible
                    visible: tweetsview_is_loading_more && !refreshingHeader.visible
                }
            }
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
            text: page.showFavorites ? qsTrId("qtn_zirrup_no_favorites") : qsTrId("qtn_zirrup_no_tweets")
            color: "#A6A8AB"
            font.pixelSize: 50
        }
    }
}
