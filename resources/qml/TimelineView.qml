import QtQuick 2.15
import com.orvik.meego 1.0

// The home timeline, the mentions or the user's retweets: one list with sections by age, pulled
// down to refresh and loading older tweets when its last row appears.
ZirrupPage {
    id: page

    property bool showMentions: false
    property bool showRetweetedByMe: false
    readonly property var listModel: showMentions ? myMentionsModel
                                   : showRetweetedByMe ? myRetweetedModel : myTimelineModel
    readonly property bool isHome: !showMentions && !showRetweetedByMe
    readonly property bool isLoading: (!showMentions && (timelineview_is_refreshing || timelineview_is_catching_up))
                                      || (showMentions && mentions_is_refreshing)
                                      || zirrup_authenticating
    readonly property bool moreAvailable: showMentions ? timelineview_more_mentions_available
                                        : showRetweetedByMe ? timelineview_more_retweets_available
                                        : timelineview_more_tweets_available
    readonly property int pullThreshold: 120
    readonly property alias list: list
    // Pixels the list is scrolled from its top; negative while pulled down.
    readonly property real position: list.visibleArea.yPosition * Math.max(list.height, list.contentHeight)
    property bool refreshRequested: false

    function clearUnreadMark() {
        if (showMentions)
            window.unreadMentions = false;
        else if (isHome)
            window.unreadTweets = false;
    }

    function requestRefresh() {
        if (showMentions)
            dataHandler.refreshMentionsView();
        else if (showRetweetedByMe)
            dataHandler.updateRetweetedByMeView();
        else
            dataHandler.refreshTimelineView();
    }

    function checkPosition() {
        if (position <= 10)
            clearUnreadMark();
        if (position < -pullThreshold && list.moving && !list.flicking && !refreshRequested) {
            refreshRequested = true;
            dataHandler.releaseMouse(list.objectName);
            list.positionViewAtBeginning();
            requestRefresh();
        }
    }

    function loadMore(index) {
        if (index !== listModel.count - 1 || timelineview_is_loading_more || isLoading || !moreAvailable)
            return;
        if (showMentions)
            dataHandler.moreMentionsView();
        else if (showRetweetedByMe)
            dataHandler.moreRetweetedByMeView();
        else
            dataHandler.moreTimelineView();
    }

    // F5, Ctrl+R and the top bar's refresh button: the newest tweets, from the top.
    function refreshContent() {
        list.positionViewAtBeginning();
        if (list.count > 0)
            list.currentIndex = 0;
        requestRefresh();
    }

    tools: showRetweetedByMe ? backTools : null
    initialFocusItem: list

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            dataHandler.emitUpdateTimestamp();
            if (showMentions && listModel.count === 0)
                dataHandler.updateMentionsView();
            if (showRetweetedByMe)
                dataHandler.updateRetweetedByMeView();
        }
    }

    Component.onDestruction: {
        if (showRetweetedByMe)
            dataHandler.cleanRetweetsView();
    }

    ToolBarLayout {
        id: backTools
        visible: false

        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
    }

    Connections {
        target: window
        function onShowHomePage() {
            if (page.isHome) {
                window.unreadTweets = false;
                list.positionViewAtBeginning();
            }
        }
        function onShowMentionsTab() {
            if (page.showMentions) {
                window.unreadMentions = false;
                list.positionViewAtBeginning();
            }
        }
        function onSaveCurrentTweetId() {
            if (!page.isHome)
                return;
            var index = list.indexAt(25, list.contentY + 25);
            if (index < 0)
                return;
            var id = page.listModel.get(index).original_tweetid;
            if (id)
                dataHandler.setCurrentVisibleTweetId(id);
        }
        function onRestoreCurrentTweetId(index) {
            if (page.isHome)
                list.positionViewAtIndex(index, ListView.Beginning);
        }
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
        onDoubleClicked: list.positionViewAtBeginning()
    }

    RefreshingHeader {
        id: refreshingHeader
        objectName: "refreshingHeader"
        anchors.top: topBar.bottom
        width: parent.width
        height: page.isLoading ? 60 : 0
        visible: page.isLoading && !(page.showRetweetedByMe && list.count === 0)
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
            id: pulldownHeader
            objectName: "pulldownHeader"
            width: parent.width
            y: list.originY - list.contentY - height
            visible: list.moving && !page.isLoading
            armed: page.position < -page.pullThreshold
        }

        TweetListView {
            id: list
            objectName: page.showMentions ? "mentionsList" : page.showRetweetedByMe ? "retweetsList" : "homeList"
            anchors.fill: parent
            model: page.listModel
            cacheBuffer: 800
            delegate: TimelineItem {}

            function itemCreated(index) {
                page.loadMore(index);
            }

            section.property: "section_timestamp"
            section.criteria: ViewSection.FullString
            section.delegate: Rectangle {
                required property string section
                width: ListView.view ? ListView.view.width : 0
                height: sectionText.height + 12
                color: "#D8D8D8"

                Text {
                    id: sectionText
                    anchors.verticalCenter: parent.verticalCenter
                    x: 12
                    width: parent.width - 24
                    textFormat: Text.PlainText
                    text: parent.section.replace(/\u2028/g, "")
                    color: "#555555"
                    font.pixelSize: 18
                    font.bold: true
                    elide: Text.ElideRight
                }
            }

            footer: Item {
                width: ListView.view ? ListView.view.width : 0
                height: 80

                BusyIndicator {
                    anchors.centerIn: parent
                    running: visible
                    visible: timelineview_is_loading_more && !refreshingHeader.visible
                }
            }

            onContentYChanged: page.checkPosition()
            onMovementEnded: page.refreshRequested = false
            onFlickEnded: {
                if (page.position <= 10)
                    page.clearUnreadMark();
            }
        }

        ScrollDecorator {
            flickableItem: list
        }

        ZirrupSectionScroller {
            listView: list
        }

        Text {
            objectName: "emptyText"
            anchors.centerIn: parent
            width: parent.width - 48
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            visible: list.count === 0 && !page.isLoading
            text: page.showMentions ? qsTrId("qtn_zirrup_no_mentions")
                : page.showRetweetedByMe ? qsTrId("qtn_zirrup_no_retweets")
                : qsTrId("qtn_zirrup_no_tweets")
            color: "#A6A8AB"
            font.pixelSize: 50
        }

        BusyIndicator {
            anchors.centerIn: parent
            platformStyle: BusyIndicatorStyle { size: "large" }
            visible: page.showRetweetedByMe && page.isLoading && list.count === 0
            running: visible
        }
    }
}
