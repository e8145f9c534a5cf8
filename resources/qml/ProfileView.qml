import QtQuick 2.15
import com.orvik.meego 1.0

// A user's profile: picture, names, bio, place and web address, whether the user follows the
// signed-in one, the counters that open the user's tweets, favourites, following, followers and
// lists, and follow, block, mention and message. The own profile offers the editor instead.
ZirrupPage {
    id: page

    property bool navigatedToProfileEdit: false
    property bool profile_image_reloaded: false

    readonly property bool ownProfile: profileview_own_profile === true
    readonly property bool isProtected: profileview_protected === true
    // An approved follower sees a protected account's tweets; everyone else is asked to request.
    readonly property bool locked: isProtected && !profileview_following
    readonly property bool loading: profileview_loading || zirrup_authenticating
    readonly property bool hasProfile: profileview_screen_name !== ""

    function countText(count) {
        return count === "" || count === undefined || count === null ? "" : dataHandler.getLocalizedInt(Number(count));
    }

    function openCounter(file) {
        if (!hasProfile)
            return;
        if (locked) {
            protectedDialog.open();
            return;
        }
        dataHandler.currentUser = profileview_screen_name;
        window.nextPage(file);
    }

    // The tweet editor with "@name " written and the cursor at its end.
    function mention() {
        var text = "@" + profileview_screen_name + " ";
        var compose = window.nextPage("ComposeView.qml");
        var editor = compose ? findItem(compose, "composeEditor") : null;
        if (editor) {
            editor.text = text;
            editor.cursorPosition = text.length;
        }
    }

    function sendMessage() {
        dataHandler.prepareComposeTo(profileview_screen_name, profileview_profile_image_url, profileview_firstname);
        window.nextPage("MessageComposeView.qml");
    }

    function refreshContent() {
        dataHandler.updateProfileView(dataHandler.currentUser, true);
    }

    function findItem(item, name) {
        if (!item)
            return null;
        if (item.objectName === name)
            return item;
        for (var i = 0; i < item.children.length; ++i) {
            var found = findItem(item.children[i], name);
            if (found)
                return found;
        }
        return null;
    }

    // A profile opened from the rows shown while signing in is asked for once signed in.
    property bool signingIn: zirrup_authenticating
    onSigningInChanged: {
        if (!signingIn && status !== PageStatus.Inactive)
            dataHandler.updateProfileView(dataHandler.currentUser, true);
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            if (window.eventPageLaunched) {
                backIcon.iconSource = "image://theme/icon-l-zirrup-main-view";
                window.eventPageLaunched = false;
            }
            // Back from the editor the page shows what the service answered to the change.
            if (navigatedToProfileEdit)
                navigatedToProfileEdit = false;
            else
                dataHandler.updateProfileView(dataHandler.currentUser, !profile_image_reloaded);
            profile_image_reloaded = true;
        }
    }

    initialFocusItem: followButton

    tools: ToolBarLayout {
        ToolIcon {
            id: backIcon
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
        ToolIcon {
            objectName: "blockButton"
            visible: zirrup_account_exists && !page.ownProfile && page.hasProfile
            text: profileview_blocked ? qsTrId("qtn_zirrup_unblock_command") : qsTrId("qtn_zirrup_block_command")
            iconSource: Qt.resolvedUrl("../images/zirrup-icon-toolbar-" + (profileview_blocked ? "blocked" : "block") + ".png")
            onClicked: {
                if (!profileview_loading)
                    dataHandler.blockProfile(profileview_screen_name, !profileview_blocked);
            }
        }
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        editButton: page.ownProfile
        composeButton: page.hasProfile
        composeTweet: false
        onDoubleClicked: flickable.contentY = 0
        onEditClicked: {
            page.navigatedToProfileEdit = true;
            window.nextPage("OwnProfileEditView.qml");
        }
        onComposeClicked: {
            if (profileview_follower)
                composeMenu.open();
            else
                page.mention();
        }
    }

    Flickable {
        id: flickable
        anchors {
            top: topBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        contentHeight: body.height + 24
        clip: true

        Column {
            id: body
            width: parent.width

            BasicProfileHeader {
                id: header
                objectName: "profileHeader"
                width: parent.width
                avatarSize: 80
                avatarURL: profileview_profile_image_url
                zirrupName: profileview_screen_name
                firstName: profileview_firstname
                buttonItem: trailing

                MouseArea {
                    objectName: "avatarArea"
                    width: parent.width - trailing.width - 24
                    height: parent.height
                    enabled: page.hasProfile
                    onClicked: pictureDialog.open()
                }
            }

            Item {
                width: parent.width
                height: requestButton.visible ? requestButton.height + 32 : 0
                visible: requestButton.visible

                ZirrupButton {
                    id: requestButton
                    objectName: "followRequestButton"
                    anchors.centerIn: parent
                    width: parent.width - 48
                    inverted: false
                    visible: page.locked && !page.ownProfile && zirrup_account_exists && !page.loading
                    text: qsTrId("qtn_zirrup_profile_follow_request")
                    onClicked: dataHandler.followProfile(profileview_screen_name, true)
                }
            }

            Column {
                x: 16
                width: parent.width - 32
                spacing: 8
                bottomPadding: 16

                Text {
                    objectName: "descriptionText"
                    width: parent.width
                    text: profileview_description
                    visible: text !== ""
                    wrapMode: Text.Wrap
                    textFormat: Text.PlainText
                    color: "#000000"
                    font.pixelSize: 22
                }
                Text {
                    objectName: "locationText"
                    width: parent.width
                    text: profileview_location
                    visible: text !== ""
                    elide: Text.ElideRight
                    textFormat: Text.PlainText
                    color: "#A6A8AB"
                    font.pixelSize: 20
                }
                Text {
                    objectName: "urlText"
                    width: parent.width
                    text: profileview_ui_url
                    visible: text !== ""
                    elide: Text.ElideRight
                    textFormat: Text.RichText
                    font.pixelSize: 20
                    onLinkActivated: function (link) { dataHandler.linkClicked(link); }
                }
                Text {
                    objectName: "followStatusText"
                    width: parent.width
                    visible: page.hasProfile && zirrup_account_exists && !page.ownProfile
                    text: profileview_blocked ? qsTrId("qtn_zirrup_profile_user_blocked").arg(profileview_screen_name)
                        : profileview_follower ? qsTrId("qtn_zirrup_profile_user_following").arg(profileview_screen_name)
                        : qsTrId("qtn_zirrup_profile_user_not_following").arg(profileview_screen_name)
                    wrapMode: Text.Wrap
                    textFormat: Text.PlainText
                    color: "#555555"
                    font.pixelSize: 20
                }
            }

            Column {
                x: 16
                width: parent.width - 32

                Repeater {
                    model: [
                        { name: "tweetsCounter", label: "qtn_zirrup_profile_tweets", key: "statuses", file: "UserTweetsView.qml" },
                        { name: "favoritesCounter", label: "qtn_zirrup_more_favorites", key: "favourites", file: "FavoritesView.qml" },
                        { name: "followingCounter", label: "qtn_zirrup_profile_following", key: "friends", file: "FollowingView.qml" },
                        { name: "followersCounter", label: "qtn_zirrup_profile_followers", key: "followers", file: "FollowersView.qml" },
                        { name: "listedCounter", label: "qtn_zirrup_profile_listed", key: "listed", file: "ListsView.qml" }
                    ]

                    ColumnButton {
                        id: counter
                        required property var modelData
                        readonly property var count: modelData.key === "statuses" ? profileview_statuses_count
                                                   : modelData.key === "favourites" ? profileview_favourites_count
                                                   : modelData.key === "friends" ? profileview_friends_count
                                                   : modelData.key === "followers" ? profileview_followers_count
                                                   : profileview_listed_count
                        objectName: modelData.name
                        onClicked: page.openCounter(modelData.file)

                        Text {
                            anchors.left: parent.left
                            anchors.leftMargin: 20
                            anchors.verticalCenter: parent.verticalCenter
                            text: qsTrId(counter.modelData.label)
                            color: "#000000"
                            font.pixelSize: 24
                        }
                        Text {
                            anchors.right: parent.right
                            anchors.rightMargin: 20
                            anchors.verticalCenter: parent.verticalCenter
                            text: page.countText(counter.count)
                            color: "#4D6980"
                            font.pixelSize: 24
                            font.bold: true
                        }
                    }
                }
            }
        }
    }

    ScrollDecorator {
        flickableItem: flickable
    }

    // On the right of the header: follow or unfollow, else a busy indicator, else the lock.
    Item {
        id: trailing
        width: followButton.visible ? followButton.width : 50
        height: 51

        ZirrupButton {
            id: followButton
            objectName: "followButton"
            anchors.centerIn: parent
            width: 170
            height: 51
            inverted: false
            visible: !page.loading && !page.isProtected && !profileview_blocked && !page.ownProfile
                     && zirrup_account_exists && page.hasProfile
            text: profileview_following ? qsTrId("qtn_zirrup_profile_unfollow") : qsTrId("qtn_zirrup_profile_follow")
            onClicked: dataHandler.followProfile(profileview_screen_name, !profileview_following)
        }
        BusyIndicator {
            anchors.centerIn: parent
            visible: !followButton.visible && page.loading && !updatingProfileImage
            running: visible
        }
        // The lock is drawn for the dark top pane; a dark tile keeps it visible on the page.
        Rectangle {
            anchors.centerIn: parent
            width: 44
            height: 44
            radius: 8
            color: "#333333"
            visible: !followButton.visible && !(page.loading && !updatingProfileImage) && page.isProtected

            Image {
                objectName: "lockImage"
                anchors.centerIn: parent
                source: "../images/zirrup-icon-top-pane-locked.png"
            }
        }
    }

    Dialog {
        id: pictureDialog
        objectName: "pictureDialog"

        content: Image {
            width: parent.width
            height: Math.min(width, 480)
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            cache: false
            source: profileview_profile_image_url_original !== "" ? profileview_profile_image_url_original
                                                                   : profileview_profile_image_url
        }
        onClickedOutside: close()
    }

    Dialog {
        id: protectedDialog
        objectName: "protectedDialog"

        title: Column {
            width: parent.width
            spacing: 16

            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                width: 80
                height: 80
                fillMode: Image.PreserveAspectCrop
                source: profileview_profile_image_url !== "" ? profileview_profile_image_url
                                                             : "../images/default_profile_0_bigger.png"
            }
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
                text: qsTrId("qtn_zirrup_follow_request_head").arg("@" + profileview_screen_name)
                color: "#FFFFFF"
                font.pixelSize: 26
                font.bold: true
            }
        }
        content: Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            text: qsTrId("qtn_zirrup_follow_request").arg("@" + profileview_screen_name)
            color: "#FFFFFF"
            font.pixelSize: 22
        }
        buttons: Column {
            width: parent.width
            spacing: 16
            topPadding: 32

            ZirrupButton {
                objectName: "sendRequestButton"
                anchors.horizontalCenter: parent.horizontalCenter
                isDialogButton: true
                isPositiveAnswer: true
                text: qsTrId("qtn_zirrup_follow_request_command")
                onClicked: {
                    protectedDialog.accept();
                    dataHandler.followProfile(profileview_screen_name, true);
                }
            }
            ZirrupButton {
                objectName: "cancelRequestButton"
                anchors.horizontalCenter: parent.horizontalCenter
                isDialogButton: true
                text: qsTrId("qtn_zirrup_cancel_command")
                onClicked: protectedDialog.reject()
            }
        }
    }

    TweetOrMessageMenu {
        id: composeMenu
        objectName: "composeMenu"
        imageSource: profileview_profile_image_url
        labelText: profileview_screen_name
        tweetText: qsTrId("qtn_zirrup_mention_command")
        onTweetClicked: page.mention()
        onDirectMessageClicked: page.sendMessage()
    }
}
