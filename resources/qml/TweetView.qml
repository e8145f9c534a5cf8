import QtQuick 2.15
import com.orvik.meego 1.0

// One tweet: its author, text, time, place and client, with back and favourite in the tool bar.
// The reply editor and the other actions come with the compose pages; until then openEditor()
// only remembers that a reply was asked for.
SimplePage {
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
    property bool replyRequested: false
    readonly property bool editable: tweet_tweetid !== "" && zirrup_account_exists
    readonly property bool loading: tweetview_loading || zirrup_authenticating

    function openEditor() {
        replyRequested = true;
    }

    title: tweet_name
    subtitle: !loading && tweet_desc === "" ? qsTrId("qtn_zirrup_no_tweet_found") : ""

    tools: ToolBarLayout {
        ToolIcon {
            id: backIcon
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
        ToolIcon {
            objectName: "favoriteButton"
            visible: page.editable
            iconSource: page.tweet_favorited ? Qt.resolvedUrl("../images/zirrup-icon-toolbar-favourite-marked.png")
                                             : "image://theme/icon-m-toolbar-favorite-unmark"
            onClicked: dataHandler.favoriteTweet(page.tweet_tweetid, !page.tweet_favorited)
        }
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
        }
    }

    Flickable {
        anchors.fill: parent
        contentHeight: body.height + 32
        clip: true
        visible: page.tweet_desc !== ""

        Column {
            id: body
            x: 16
            y: 16
            width: parent.width - 32
            spacing: 12

            BasicProfileHeader {
                width: parent.width
                avatarURL: tweetview_profile_name.toLowerCase() === page.tweet_name.toLowerCase()
                           && tweetview_profile_avatar !== "" ? tweetview_profile_avatar : page.tweet_image_url
                zirrupName: page.tweet_name
                firstName: page.tweet_firstname
            }
            HighlightText {
                width: parent.width
                text: page.tweet_desc
            }
            Text {
                width: parent.width
                wrapMode: Text.Wrap
                text: page.tweet_timestamp !== "" ? dataHandler.createDetailTimeString(page.tweet_timestamp) : ""
                visible: text !== ""
                color: "#A6A8AB"
                font.pixelSize: 18
            }
            Text {
                width: parent.width
                wrapMode: Text.Wrap
                text: page.tweet_place !== "" ? qsTrId("qtn_zirrup_tweet_location").arg(page.tweet_place) : ""
                visible: text !== ""
                color: "#A6A8AB"
                font.pixelSize: 18
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
        }
    }

    BusyIndicator {
        anchors.centerIn: parent
        platformStyle: BusyIndicatorStyle { size: "large" }
        visible: page.loading
        running: visible
    }
}
