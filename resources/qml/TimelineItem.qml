import QtQuick 2.15
import com.orvik.meego 1.0

// A tweet row of a list. A click opens the tweet; a press held for half a second opens the menu
// with reply, retweet, delete and favourite. From the keyboard the list's current row is framed
// while the list has the focus; Return opens it and the menu key opens its menu. A screen reader
// reads the author, the text and the time.
Item {
    id: root

    // Roles of the row.
    readonly property string desc: model.desc ?? ""
    readonly property string name: model.name ?? ""
    readonly property string place: model.place ?? ""
    readonly property string timestamp: model.timestamp ?? ""
    readonly property string image_url: model.image_url ?? ""
    readonly property string retweeted_name: model.retweeted_name ?? ""
    readonly property string reply_name: model.reply_name ?? ""
    readonly property string tweetid: model.tweetid ?? ""
    readonly property string original_tweetid: model.original_tweetid ?? ""
    readonly property bool favorited: model.favorited ?? false
    readonly property string status_text: model.status_text ?? ""
    readonly property string retweeted_by_me_id: model.retweeted_by_me_id ?? ""
    readonly property bool protected_profile: model.protected_profile ?? false

    property bool longPressed: false
    property ActionMenu menu: null

    function openMenu() {
        if (!zirrup_account_exists)
            return;
        if (!menu)
            menu = menuComponent.createObject(root);
        menu.open();
    }

    function open() {
        dataHandler.currentTweetId = root.original_tweetid;
        window.nextPage("TweetView.qml");
    }

    // One pass, so that text the author wrote never stands in for a place holder.
    function accessibleText() {
        var parts = [root.name, root.status_text, content.timeText];
        return qsTrId("qtn_zirrup_tweet_row_accessible").replace(/%([1-3])/g, function (match, n) {
            return parts[Number(n) - 1];
        });
    }

    width: ListView.view ? ListView.view.width : 480
    height: content.height + 8

    Accessible.role: Accessible.ListItem
    Accessible.name: accessibleText()
    Accessible.onPressAction: root.open()

    Component.onCompleted: {
        if (ListView.view)
            ListView.view.itemCreated(model.index);
    }

    Rectangle {
        anchors.fill: parent
        color: mouse.pressed ? "#DDDDDD" : (root.reply_name === "" ? "#F2F2F2" : "#EDEDED")
    }

    TweetContent {
        id: content
        width: parent.width
        isListItem: true
        imageUrl: root.image_url
        name: root.name
        retweetedName: root.retweeted_name
        retweetedByMeId: root.retweeted_by_me_id
        statusText: root.status_text
        place: root.place
        timestamp: root.timestamp
        favorited: root.favorited
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: "#E3E3E3"
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        // Behind the avatar, which opens the author's profile.
        z: -1
        pressAndHoldInterval: 500
        onPressed: root.longPressed = false
        onPressAndHold: {
            root.longPressed = true;
            root.openMenu();
        }
        onClicked: {
            if (!root.longPressed)
                root.open();
        }
    }

    // Made only for the framed row, not for every row of the list.
    Loader {
        anchors.fill: parent
        z: 100
        active: root.ListView.isCurrentItem && root.ListView.view !== null
                && root.ListView.view.activeFocus
        sourceComponent: FocusFrame {
            objectName: "rowFocusFrame"
            control: root.ListView.view
        }
    }

    Component {
        id: menuComponent

        ActionMenu {
            id: actionMenu

            readonly property bool ownTweet: root.name.toLowerCase() === dataHandler.authenticatedUser()

            contentArea: [
                TweetContent {
                    width: parent ? parent.width : 0
                    isListItem: false
                    imageUrl: root.image_url
                    name: root.name
                    retweetedName: root.retweeted_name
                    retweetedByMeId: root.retweeted_by_me_id
                    statusText: root.status_text
                    place: root.place
                    timestamp: root.timestamp
                    favorited: root.favorited
                },
                Column {
                    width: parent ? parent.width : 0

                    ColumnButton {
                        objectName: "replyButton"
                        onClicked: {
                            actionMenu.close();
                            dataHandler.currentTweetId = root.original_tweetid;
                            var page = window.nextPage("TweetView.qml");
                            if (page) {
                                page.tweet_name = root.name;
                                page.goBackOnDone = true;
                                page.openEditor();
                            }
                        }
                        MenuRow {
                            text: qsTrId("qtn_zirrup_reply_tweet_command")
                        }
                    }

                    ColumnButton {
                        objectName: "retweetButton"
                        visible: !actionMenu.ownTweet && !root.protected_profile
                        onClicked: {
                            actionMenu.close();
                            if (root.retweeted_by_me_id !== "")
                                dataHandler.undoRetweet(root.retweeted_by_me_id, root.original_tweetid);
                            else
                                dataHandler.retweetMessage(root.original_tweetid);
                        }
                        MenuRow {
                            iconSource: "../images/zirrup-icon-menu-retweet"
                                        + (root.retweeted_by_me_id !== "" ? "-marked" : "") + ".png"
                            text: root.retweeted_by_me_id !== "" ? qsTrId("qtn_zirrup_undo_retweet_command")
                                                                  : qsTrId("qtn_zirrup_retweet_command")
                        }
                    }

                    ColumnButton {
                        objectName: "deleteButton"
                        visible: actionMenu.ownTweet
                        onClicked: {
                            actionMenu.close();
                            deleteDialog.open();
                        }
                        MenuRow {
                            text: qsTrId("qtn_zirrup_delete_command")
                        }
                    }

                    ColumnButton {
                        objectName: "favoriteButton"
                        onClicked: {
                            actionMenu.close();
                            dataHandler.favoriteTweet(root.original_tweetid, !root.favorited);
                        }
                        MenuRow {
                            iconSource: "../images/zirrup-icon-toolbar-favourite"
                                        + (root.favorited ? "-marked" : "") + ".png"
                            text: root.favorited ? qsTrId("qtn_zirrup_unfavorite_command")
                                                 : qsTrId("qtn_zirrup_favorite_command")
                        }
                    }
                }
            ]

            ZirrupConfirmationDialog {
                id: deleteDialog
                objectName: "deleteDialog"
                titleText: qsTrId("qtn_zirrup_delete_query")
                okButtonText: qsTrId("qtn_zirrup_delete_command")
                onAccepted: dataHandler.deleteTweet(root.tweetid)
            }
        }
    }
}
