import QtQuick 2.15
import com.orvik.meego 1.0

// The followers or the followed users of one user: a profile header, a title with the count and
// the list, pulled down to refresh and growing by a batch when its last row appears.
ProfileListPage {
    id: page

    property bool showFollowers: true
    property int pull_down_header_height: 320

    function load(force) {
        var user = dataHandler.currentUser;
        if (showFollowers)
            dataHandler.updateFollowersView(user, force);
        else
            dataHandler.updateFollowingView(user, force);
    }

    listModel: showFollowers ? myFollowerModel : myFollowingModel
    listObjectName: showFollowers ? "followersList" : "followingList"
    listTitle: showFollowers ? qsTrId("qtn_zirrup_profile_followers") : qsTrId("qtn_zirrup_profile_following")
    count: showFollowers ? profile_subview_followers_count : profile_subview_friends_count
    emptyText: showFollowers ? qsTrId("qtn_zirrup_no_followers") : qsTrId("qtn_zirrup_no_followings")
    isLoading: peoplelistview_is_refreshing
    isLoadingMore: peoplelistview_is_loading_more
    moreAvailable: peoplelistview_more_people_available
    delegate: PeopleListItem {
        zirrupName: model.peoplelistitem_zirrupname ?? ""
        realName: model.peoplelistitem_realname ?? ""
        avatar: model.peoplelistitem_avatar ?? ""
        following: model.peoplelistitem_following ?? false
        Component.onCompleted: ListView.view.itemCreated(model.index)
    }

    onRefreshWanted: load(true)
    onMoreWanted: {
        if (showFollowers)
            dataHandler.moreFollowersView();
        else
            dataHandler.moreFollowingView();
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            var user = dataHandler.currentUser;
            load(loadedUser !== user);
            loadedUser = user;
            dataHandler.updateProfileSubView(user);
        }
    }

    Component.onDestruction: {
        if (showFollowers)
            dataHandler.cleanFollowersView();
        else
            dataHandler.cleanFollowingView();
    }

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
        ToolIcon {
            objectName: "blockButton"
            visible: zirrup_account_exists && profile_subview_own_profile !== true && profile_subview_screen_name !== ""
            iconSource: Qt.resolvedUrl(profile_subview_blocked ? "../images/zirrup-icon-toolbar-blocked.png"
                                                                : "../images/zirrup-icon-toolbar-block.png")
            onClicked: {
                if (!profileview_loading)
                    dataHandler.blockProfile(profile_subview_screen_name, !profile_subview_blocked);
            }
        }
    }
}
