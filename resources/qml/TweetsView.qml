import QtQuick 2.15
import com.orvik.meego 1.0

// The tweets of one user, the favourites of one user, or the tweets of a list: a profile header
// (not for lists), a title bar with the count, and the list, pulled down to refresh.
ProfileListPage {
    id: page

    property bool showFavorites: false
    property bool showList: false
    // The title of a list's page, taken when the page is activated.
    property string listName: ""
    // A list of the signed-in user's own (the list pages are opened with its owner as the user).
    property bool ownList: false

    listModel: showFavorites ? myFavoritesModel : myTweetsModel
    listObjectName: showFavorites ? "favoritesList" : showList ? "listTweetsList" : "userTweetsList"
    listTitle: showFavorites ? qsTrId("qtn_zirrup_more_favorites")
             : showList ? listName
             : qsTrId("qtn_zirrup_profile_tweets")
    count: showList ? "" : showFavorites ? profile_subview_favourites_count : profile_subview_statuses_count
    emptyText: showFavorites ? qsTrId("qtn_zirrup_no_favorites") : qsTrId("qtn_zirrup_no_tweets")
    showProfileHeader: !showList
    isLoading: tweetsview_is_refreshing
    isLoadingMore: tweetsview_is_loading_more
    moreAvailable: tweetsview_more_tweets_available
    delegate: TimelineItem {}

    onRefreshWanted: {
        if (showFavorites)
            dataHandler.updateUserFavorites(dataHandler.currentUser, true);
        else if (showList)
            dataHandler.updateListTweets(dataHandler.currentListId, true);
        else
            dataHandler.updateUserTweets(dataHandler.currentUser, true);
    }

    onMoreWanted: {
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
}
