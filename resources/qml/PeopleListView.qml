import QtQuick 2.15
import com.orvik.meego 1.0

// The followers or the followed users of one user: a profile header, a title with the count and
// the list, pulled down to refresh and growing by a batch when its last row appears.
ZirrupPage {
    id: page

    property bool showFollowers: true
    // The user whose list was last requested; a different one forces a reload.
    property string loadedUser: ""
    property int pull_down_header_height: 320
    readonly property bool isLoading: peoplelistview_is_refreshing
    readonly property var listModel: showFollowers ? myFollowerModel : myFollowingModel
    readonly property alias list: list

    function load(force) {
        var user = dataHandler.currentUser;
        if (showFollowers)
            dataHandler.updateFollowersView(user, force);
        else
            dataHandler.updateFollowingView(user, force);
    }

    // Pulled down far enough: the newest from the start.
    function pullRefresh() {
        dataHandler.releaseMouse(list.objectName);
        list.positionViewAtBeginning();
        dataHandler.updateProfileView(dataHandler.currentUser);
        // The list is the current user's own; without force nothing would be asked.
        load(true);
    }

    function loadMore(index) {
        if (index !== listModel.count - 1 || isLoading || peoplelistview_is_loading_more
                || !peoplelistview_more_people_available)
            return;
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
        height: 105
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
        title: page.showFollowers ? qsTrId("qtn_zirrup_profile_followers") : qsTrId("qtn_zirrup_profile_following")
        count: page.showFollowers ? profile_subview_followers_count : profile_subview_friends_count
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
            objectName: page.showFollowers ? "followersList" : "followingList"
            anchors.fill: parent
            anchors.topMargin: refreshingHeader.height
            model: page.listModel
            cacheBuffer: 800

            delegate: PeopleListItem {
                zirrupName: model.peoplelistitem_zirrupname ?? ""
                realName: model.peoplelistitem_realname ?? ""
                avatar: model.peoplelistitem_avatar ?? ""
                following: model.peoplelistitem_following ?? false
                Component.onCompleted: page.loadMore(model.index)
            }

            footer: Item {
                width: ListView.view ? ListView.view.width : 0
                height: 80

                BusyIndicator {
                    anchors.centerIn: parent
                    running: visible
                    visible: peoplelistview_is_loading_more && !refreshingHeader.visible
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
            text: page.showFollowers ? qsTrId("qtn_zirrup_no_followers") : qsTrId("qtn_zirrup_no_followings")
            color: "#A6A8AB"
            font.pixelSize: 50
        }
    }
}
