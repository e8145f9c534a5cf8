import QtQuick 2.15
import com.orvik.meego 1.0

// One tweet: its author, text, pictures, time, place, client and what it replies to, with the
// reply editor at the bottom and back, delete or retweet, and favourite in the tool bar. The
// timeline adapter fills the tweet_ properties of the page named "TweetView_" + its id.
ZirrupPage {
    id: page

    property string tweet_desc: ""
    property string tweet_name: ""
    property string tweet_place: ""
    property string tweet_timestamp: ""
    property string tweet_image_url: ""
    property string tweet_retweeted_name: ""
    property string tweet_retweeted_by_me_id: ""
    property string tweet_reply_status_id: ""
    property string tweet_reply_name: ""
    property string tweet_source: ""
    property string tweet_tweetid: ""
    property string tweet_firstname: ""
    property bool tweet_favorited: false
    property string tweet_original_status: ""
    property bool tweet_protected_profile: false
    property bool goBackOnDone: false
    property bool previewOpen: false
    readonly property bool editable: tweet_tweetid !== "" && zirrup_account_exists
    readonly property bool loading: tweetview_loading || zirrup_authenticating
    readonly property bool ownTweet: tweet_name !== "" && tweet_name.toLowerCase() === dataHandler.authenticatedUser()
    readonly property string authorMention: "@" + tweet_name + " "
    readonly property bool validMessage: tweet_name !== "" && editor.textLenght > 0 && editor.textLenght < 141

    // Opens the reply editor: keyboard up at once, the addressees a moment later, when the editor
    // has grown.
    function openEditor() {
        editor.state = "";
        editor.openKeyboard();
        fillTimer.restart();
    }

    function closeEditor() {
        fillTimer.stop();
        editor.text = "";
        dataHandler.cleanUploadImages();
        editor.closeKeyboard();
        editor.state = "minimized";
    }

    function sendReply() {
        if (editor.pictureAttached)
            dataHandler.replyToTweetWithMedia(editor.text, tweet_tweetid, editor.locationId);
        else
            dataHandler.replyToTweetMessage(editor.text, tweet_tweetid, editor.locationId);
        closeEditor();
        if (goBackOnDone)
            window.prevPage();
    }

    function cancelReply() {
        if ((editor.text === "" || editor.text === authorMention) && !editor.pictureAttached)
            closeEditor();
        else
            discardDialog.open();
    }

    function openAuthor() {
        dataHandler.currentUser = page.tweet_name;
        window.nextPage("ProfileView.qml");
    }

    function refreshContent() {
        dataHandler.updateTweetView(dataHandler.currentTweetId);
    }

    // Ctrl+Return sends a reply that can be sent; it never opens the editor by itself.
    function accept() {
        if (!editor.minimized && page.validMessage)
            page.sendReply();
    }

    // Escape first shuts the preview or the reply editor (asking before text is lost).
    function handleBack() {
        if (page.previewOpen) {
            page.previewOpen = false;
            return true;
        }
        if (discardDialog.status === DialogStatus.Open || discardDialog.status === DialogStatus.Opening)
            return true;
        if (!editor.minimized) {
            page.cancelReply();
            return true;
        }
        return false;
    }

    function openPreview(link) {
        dataHandler.updateImagePreview(link);
        previewOpen = true;
    }

    initialFocusItem: header

    tools: ToolBarLayout {
        ToolIcon {
            id: backIcon
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
        ToolIcon {
            objectName: page.ownTweet ? "deleteButton" : "retweetButton"
            visible: page.editable && (page.ownTweet || !page.tweet_protected_profile)
            text: page.ownTweet ? qsTrId("qtn_zirrup_delete_command")
                : page.tweet_retweeted_by_me_id !== "" ? qsTrId("qtn_zirrup_undo_retweet_command")
                : qsTrId("qtn_zirrup_retweet_command")
            iconSource: page.ownTweet ? "image://theme/icon-m-toolbar-delete"
                      : page.tweet_retweeted_by_me_id !== "" ? Qt.resolvedUrl("../images/zirrup-icon-toolbar-retweet-marked.png")
                      : Qt.resolvedUrl("../images/zirrup-icon-toolbar-retweet.png")
            onClicked: {
                if (page.ownTweet)
                    deleteDialog.open();
                else if (page.tweet_retweeted_by_me_id !== "")
                    dataHandler.undoRetweet(page.tweet_retweeted_by_me_id, page.tweet_tweetid);
                else
                    dataHandler.retweetMessage(page.tweet_tweetid);
            }
        }
        ToolIcon {
            objectName: "favoriteButton"
            visible: page.editable
            text: page.tweet_favorited ? qsTrId("qtn_zirrup_unfavorite_command") : qsTrId("qtn_zirrup_favorite_command")
            iconSource: page.tweet_favorited ? Qt.resolvedUrl("../images/zirrup-icon-toolbar-favourite-marked.png")
                                             : "image://theme/icon-m-toolbar-favorite-unmark"
            onClicked: dataHandler.favoriteTweet(page.tweet_tweetid, !page.tweet_favorited)
        }
    }

    // A tweet opened from the rows shown while signing in is asked for once signed in.
    property bool signingIn: zirrup_authenticating
    onSigningInChanged: {
        if (!signingIn && status !== PageStatus.Inactive)
            refreshContent();
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            if (window.eventPageLaunched) {
                backIcon.iconSource = "image://theme/icon-l-zirrup-main-view";
                window.eventPageLaunched = false;
            }
            var id = dataHandler.currentTweetId;
            objectName = "TweetView_" + id;
            dataHandler.updateTweetView(id);
            if (editor.text !== "")
                editor.state = "";
        } else if (status === PageStatus.Deactivating) {
            previewOpen = false;
        }
    }

    // The window's tool bar makes room for the editor and the preview.
    Binding {
        target: window
        property: "showToolBar"
        value: false
        when: (page.state === "editing" || page.previewOpen) && page.status === PageStatus.Active
    }

    Timer {
        id: fillTimer
        interval: 300
        onTriggered: {
            var start = page.authorMention;
            var others = dataHandler.getMentions(page.tweet_original_status, "@" + page.tweet_name);
            editor.text = start + others;
            if (others !== "")
                editor.select(start.length, editor.text.length);
            else
                editor.cursorPosition = editor.text.length;
        }
    }

    TopBar {
        id: topBar
        width: parent.width

        BusyIndicator {
            anchors.centerIn: parent
            platformStyle: BusyIndicatorStyle { size: "medium"; inverted: true }
            visible: !posting_tweet && (tweetview_loading || tinyurl_thumb_loading || zirrup_authenticating)
            running: visible
        }
    }

    OkCancelTopBar {
        id: commitBar
        objectName: "replyCommitBar"
        width: parent.width
        z: 1
        opacity: page.state === "editing" ? 1 : 0
        visible: opacity > 0
        okText: qsTrId("qtn_zirrup_reply_tweet_command")
        okButtonEnabled: page.validMessage
        onOkClicked: page.sendReply()
        onCancelClicked: page.cancelReply()

        Behavior on opacity {
            NumberAnimation { duration: 300 }
        }
    }

    Text {
        objectName: "noTweetText"
        anchors.centerIn: body
        width: parent.width - 48
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        visible: !page.loading && page.tweet_desc === ""
        text: qsTrId("qtn_zirrup_no_tweet_found")
        color: "#A6A8AB"
        font.pixelSize: 50
    }

    Flickable {
        id: body
        objectName: "tweetBody"
        anchors {
            top: topBar.bottom
            left: parent.left
            right: parent.right
            bottom: editorFrame.top
        }
        contentHeight: content.height + 32
        clip: true
        visible: page.tweet_desc !== ""
        onMovementStarted: {
            tweetText.pressedLink = "";
            retweetLine.pressedLink = "";
        }

        Column {
            id: content
            x: 16
            y: 16
            width: parent.width - 32
            spacing: 12

            BasicProfileHeader {
                id: header
                objectName: "tweetHeader"
                width: parent.width
                visible: page.state !== "editing"
                avatarURL: tweetview_profile_name.toLowerCase() === page.tweet_name.toLowerCase()
                           && tweetview_profile_avatar !== "" ? tweetview_profile_avatar : page.tweet_image_url
                zirrupName: page.tweet_name
                firstName: page.tweet_firstname
                activeFocusOnTab: page.tweet_name !== ""
                Accessible.role: Accessible.Button
                Accessible.name: page.tweet_firstname !== "" ? page.tweet_name + ", " + page.tweet_firstname : page.tweet_name
                Accessible.onPressAction: page.openAuthor()
                Keys.onReturnPressed: page.openAuthor()
                Keys.onEnterPressed: page.openAuthor()

                MouseArea {
                    objectName: "avatarArea"
                    width: 74
                    height: parent.height
                    onClicked: page.openAuthor()
                }

                FocusFrame {}
            }

            HighlightText {
                id: tweetText
                width: parent.width
                text: page.tweet_desc
            }

            Grid {
                id: thumbs
                objectName: "thumbGrid"
                columns: 3
                spacing: 8
                visible: thumbRepeater.count > 0

                Repeater {
                    id: thumbRepeater
                    model: tweetThumbModel

                    Item {
                        id: thumb

                        readonly property string pic_source: model.pic_source ?? ""
                        readonly property string pic_url: model.pic_url ?? ""

                        width: Math.floor((content.width - 16) / 3)
                        height: width

                        Image {
                            anchors.fill: parent
                            asynchronous: true
                            fillMode: Image.PreserveAspectCrop
                            clip: true
                            source: thumb.pic_source
                        }
                        Rectangle {
                            anchors.fill: parent
                            color: "#000000"
                            opacity: 0.5
                            visible: thumbMouse.pressed
                        }
                        MouseArea {
                            id: thumbMouse
                            anchors.fill: parent
                            onClicked: page.openPreview(thumb.pic_url)
                        }
                    }
                }
            }

            Row {
                width: parent.width
                spacing: 8

                Text {
                    id: timeText
                    objectName: "timeText"
                    text: page.tweet_timestamp !== "" ? dataHandler.createDetailTimeString(page.tweet_timestamp) : ""
                    visible: text !== ""
                    color: "#A6A8AB"
                    font.pixelSize: 18
                }
                Image {
                    anchors.verticalCenter: timeText.verticalCenter
                    visible: page.tweet_place !== ""
                    source: "../images/zirrup-icon-detail-location.png"
                }
                Text {
                    objectName: "placeText"
                    width: parent.width - timeText.width - 40
                    elide: Text.ElideRight
                    textFormat: Text.PlainText
                    text: page.tweet_place
                    visible: text !== ""
                    color: "#A6A8AB"
                    font.pixelSize: 18
                }
            }

            HighlightText {
                id: retweetLine
                objectName: "retweetedByLine"
                width: parent.width
                visible: page.tweet_retweeted_name !== ""
                text: page.tweet_retweeted_name !== ""
                      ? qsTrId("qtn_zirrup_tweet_retweet").arg(dataHandler.findLinks("@" + page.tweet_retweeted_name, false))
                      : ""
                textColor: "#A6A8AB"
                fontPixelSize: 18
            }

            Text {
                width: parent.width
                wrapMode: Text.Wrap
                text: page.tweet_source
                textFormat: Text.PlainText
                visible: text !== ""
                color: "#A6A8AB"
                font.pixelSize: 18
            }

            Item {
                objectName: "inReplyToLine"
                width: parent.width
                height: replyText.height
                visible: page.tweet_reply_name !== ""

                Rectangle {
                    anchors.right: parent.right
                    anchors.rightMargin: -2
                    y: -2
                    width: replyText.paintedWidth + 4
                    height: replyText.height + 4
                    radius: 4
                    color: "#000000"
                    opacity: 0.5
                    visible: replyMouse.pressed
                }
                Text {
                    id: replyText
                    width: parent.width
                    horizontalAlignment: Text.AlignRight
                    elide: Text.ElideLeft
                    textFormat: Text.PlainText
                    text: qsTrId("qtn_zirrup_inreply_to").arg("@" + page.tweet_reply_name)
                    color: page.tweet_reply_status_id !== "" ? "#4D6980" : "#A6A8AB"
                    font.pixelSize: 18
                }
                MouseArea {
                    id: replyMouse
                    anchors.fill: parent
                    enabled: page.tweet_reply_status_id !== ""
                    onClicked: dataHandler.linkClicked("$" + page.tweet_reply_status_id)
                }
            }
        }
    }

    Item {
        id: editorFrame
        objectName: "replyEditorFrame"
        anchors.bottom: parent.bottom
        width: parent.width
        height: page.editable && !page.loading ? editor.height + 16 : 0
        clip: true
        visible: height > 0

        Behavior on height {
            NumberAnimation { duration: 300; easing.type: Easing.InOutQuart }
        }

        TweetEdit {
            id: editor
            objectName: "replyEditor"
            x: 16
            y: 8
            width: parent.width - 32
            state: "minimized"
            placeholderText: qsTrId("qtn_zirrup_reply_hint")
            onPressedWhileMinimized: page.openEditor()
        }
    }

    states: [
        State {
            name: "loading"
            when: page.loading
        },
        State {
            name: "editing"
            when: !editor.minimized
        }
    ]

    Rectangle {
        id: preview
        objectName: "imagePreview"
        anchors.fill: parent
        z: 10
        color: "#000000"
        visible: page.previewOpen

        MouseArea {
            anchors.fill: parent
            onClicked: page.previewOpen = false
        }
        Image {
            objectName: "previewImage"
            anchors.fill: parent
            anchors.margins: 8
            asynchronous: true
            fillMode: Image.PreserveAspectFit
            source: page.previewOpen ? tinyUrlPreview : ""
        }
        BusyIndicator {
            anchors.centerIn: parent
            platformStyle: BusyIndicatorStyle { size: "large"; inverted: true }
            visible: tinyurl_preview_loading
            running: visible
        }
    }

    ZirrupConfirmationDialog {
        id: deleteDialog
        objectName: "deleteDialog"
        titleText: qsTrId("qtn_zirrup_delete_query")
        okButtonText: qsTrId("qtn_zirrup_delete_command")
        onAccepted: {
            dataHandler.deleteTweet(page.tweet_tweetid);
            window.prevPage();
        }
    }

    TweetDiscardConfirmationDialog {
        id: discardDialog
        onAccepted: page.closeEditor()
    }
}
