import QtQuick 2.15
import com.orvik.meego 1.0
import Zirrup.Positioning 1.0

// The results of a search: all tweets, the home timeline, tweets near the user, or people; the
// query can be saved. While the user types, the search history takes the page.
ZirrupPage {
    id: page

    property string search_text: ""
    readonly property bool searchProfiles: currentTab === peopleTab
    readonly property bool saved: savedFor(searchField.text, isLoadingFav, mySavedSearchesModel.count)
    readonly property bool isLoadingFav: savedsearches_is_loading
    property bool prevClicked: false
    property Item currentTab: tweetsTab
    readonly property bool historyShown: InputContext.softwareInputPanelVisible && InputContext.editor === searchField
    // A source that never answers counts as none.
    property bool positionTimedOut: false
    // No position source answers here: the nearby tab says so instead of waiting.
    readonly property bool positionMissing: currentTab === nearbyTab && (!positionSource.available || positionTimedOut)
    readonly property bool searching: searchProfiles ? searchview_searching_profiles
                                                     : positionSource.active || searchview_searching_tweets
    readonly property bool searchingMore: searchProfiles ? searchview_searching_more_profiles
                                                         : searchview_searching_more_tweets

    // The saved state follows the field, and is looked up again whenever a save or delete ends
    // or the saved searches arrive.
    function savedFor(text, loading, savedCount) {
        return dataHandler.savedSearchId(text) !== "";
    }

    function runSearch() {
        if (currentTab === peopleTab) {
            dataHandler.searchProfiles(search_text);
        } else if (currentTab === timelineTab) {
            dataHandler.searchTimeline(search_text);
        } else if (currentTab === nearbyTab) {
            positionTimedOut = false;
            positionSource.active = true;
        } else {
            dataHandler.searchTweets(search_text);
        }
    }

    // Ctrl+F.
    function focusSearch() {
        searchField.openSoftwareInputPanel();
    }

    // F5, Ctrl+R and the top bar's refresh button: the tab shown asks again.
    function refreshContent() {
        runSearch();
    }

    initialFocusItem: resultList

    function selectTab(tab) {
        if (tab === currentTab)
            return;
        positionSource.active = false;
        currentTab = tab;
        runSearch();
    }

    function toggleSaved() {
        // One save or delete at a time; an empty query is nothing to keep.
        if (isLoadingFav || searchField.text === "")
            return;
        if (saved)
            dataHandler.deleteSearch(searchField.text);
        else
            dataHandler.saveSearch(searchField.text);
    }

    function loadMore(index) {
        if (index !== resultList.count - 1 || searching || searchingMore)
            return;
        if (searchProfiles) {
            if (searchview_more_profiles_available)
                dataHandler.searchMoreProfiles();
        } else if (currentTab !== timelineTab && searchview_more_tweets_available) {
            dataHandler.searchMoreTweets();
        }
    }

    onHistoryShownChanged: {
        if (historyShown)
            return;
        if (searchField.text === "") {
            if (search_text !== "") {
                search_text = "";
                runSearch();
            }
        } else {
            searchField.text = search_text;
        }
    }

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            search_text = dataHandler.currentSearchString;
            searchField.text = search_text;
            // Coming back from a page opened from here repeats the search of the tab shown.
            runSearch();
        } else if (status === PageStatus.Active) {
            dataHandler.updateSearchHistory(50);
            dataHandler.emitUpdateTimestamp();
            // Opened from a link, the saved searches may not be known yet; without them the
            // toggle would offer to save a query that is saved already.
            if (zirrup_account_exists && !savedsearches_is_loading)
                dataHandler.updateSavedSearches();
        } else if (status === PageStatus.Inactive) {
            positionSource.active = false;
            if (prevClicked)
                dataHandler.currentSearchString = "";
        }
    }

    Connections {
        target: dataHandler
        function onPositioningTermsRejected() {
            positionSource.active = false;
            dataHandler.searchTweets("");
        }
    }

    ZirrupPositionSource {
        id: positionSource
        updateInterval: 1000
        active: false
        onPositionChanged: {
            if (!active)
                return;
            active = false;
            dataHandler.searchTweets(page.search_text, String(latitude), String(longitude));
        }
    }

    Timer {
        id: positionTimeout
        interval: 15000
        running: positionSource.active
        onTriggered: {
            positionSource.active = false;
            page.positionTimedOut = true;
        }
    }

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: {
                page.prevClicked = true;
                window.prevPage();
            }
        }
        ToolIcon {
            objectName: "saveButton"
            visible: zirrup_account_exists
            iconSource: page.saved ? Qt.resolvedUrl("../images/zirrup-icon-toolbar-favourite-marked.png")
                                   : "image://theme/icon-m-toolbar-favorite-unmark"
            onClicked: page.toggleSaved()
        }
        // Keeps the save toggle in the middle.
        Item {
            width: 80
            height: 64
            visible: zirrup_account_exists
        }
    }

    TopPane {
        id: topPane
        anchors.top: parent.top
        width: parent.width

        SearchField {
            id: searchField
            objectName: "searchField"
            anchors.centerIn: parent
            width: parent.width - 24
            placeholderText: qsTrId("qtn_zirrup_search_command")
            busy: page.searching
            onAccepted: {
                page.search_text = text;
                page.runSearch();
                dataHandler.updateSearchHistory(50);
                closeSoftwareInputPanel();
            }
        }
    }

    ListView {
        id: historyList
        objectName: "historyList"
        anchors {
            top: topPane.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true
        visible: page.historyShown
        model: mySearchHistoryModel
        delegate: TrendingItem {
            queryItem: model.query_item ?? ""
            // With nothing typed no row shows: a row never contains "!" and itself.
            filter: searchField.text !== "" ? searchField.text : "!" + queryItem
            onClicked: {
                page.search_text = queryItem;
                page.runSearch();
                dataHandler.updateSearchHistory(50);
                searchField.closeSoftwareInputPanel();
            }
        }
    }

    Item {
        id: results
        anchors.fill: historyList
        visible: !page.historyShown

        Rectangle {
            id: tabStrip
            objectName: "tabStrip"
            width: parent.width
            height: 50
            color: "#242424"

            Row {
                anchors.fill: parent

                SearchTab {
                    id: tweetsTab
                    objectName: "tweetsTab"
                    current: page.currentTab === tweetsTab
                    onClicked: page.selectTab(tweetsTab)
                    text: qsTrId("qtn_zirrup_search_filter_all")
                }
                SearchTab {
                    id: timelineTab
                    objectName: "timelineTab"
                    current: page.currentTab === timelineTab
                    onClicked: page.selectTab(timelineTab)
                    visible: zirrup_account_exists
                    text: qsTrId("qtn_zirrup_search_filter_timeline")
                }
                SearchTab {
                    id: nearbyTab
                    objectName: "nearbyTab"
                    current: page.currentTab === nearbyTab
                    onClicked: page.selectTab(nearbyTab)
                    text: qsTrId("qtn_zirrup_search_filter_geo")
                }
                SearchTab {
                    id: peopleTab
                    objectName: "peopleTab"
                    current: page.currentTab === peopleTab
                    onClicked: page.selectTab(peopleTab)
                    visible: zirrup_account_exists
                    text: qsTrId("qtn_zirrup_search_filter_people")
                }
            }
        }

        ListView {
            id: resultList
            objectName: "resultList"
            anchors {
                top: tabStrip.bottom
                left: parent.left
                right: parent.right
                bottom: parent.bottom
            }
            clip: true
            visible: !positionSource.active && !page.positionMissing
            model: page.searchProfiles ? myProfileSearchModel : myTweetSearchModel
            delegate: page.searchProfiles ? peopleRow : tweetRow
            cacheBuffer: 800

            function itemCreated(index) {
                page.loadMore(index);
            }

            footer: Item {
                width: ListView.view ? ListView.view.width : 0
                height: 80

                BusyIndicator {
                    anchors.centerIn: parent
                    visible: page.searchingMore
                    running: visible
                }
            }
        }

        ScrollDecorator {
            flickableItem: resultList
        }

        Text {
            id: emptyText
            objectName: "emptyText"
            anchors.centerIn: resultList
            width: resultList.width - 24
            horizontalAlignment: Text.AlignHCenter
            visible: resultList.visible && resultList.count === 0 && !page.searching
            textFormat: Text.PlainText
            text: (page.searchProfiles ? qsTrId("qtn_zirrup_no_people_results")
                                       : qsTrId("qtn_zirrup_no_search_results")).arg("\"" + page.search_text + "\"")
            color: "#A6A8AB"
            font.pixelSize: emptyMetrics.advanceWidth > width ? Math.floor(50 * width / emptyMetrics.advanceWidth) : 50

            TextMetrics {
                id: emptyMetrics
                font.pixelSize: 50
                text: emptyText.text
            }
        }

        Text {
            objectName: "noPositionText"
            anchors.centerIn: resultList
            width: resultList.width - 48
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            visible: page.positionMissing
            text: qsTrId("qtn_zirrup_error_no_position")
            color: "#A6A8AB"
            font.pixelSize: 32
        }
    }

    Component {
        id: tweetRow
        TimelineItem {}
    }

    Component {
        id: peopleRow
        PeopleListItem {
            zirrupName: model.peoplelistitem_zirrupname ?? ""
            realName: model.peoplelistitem_realname ?? ""
            avatar: model.peoplelistitem_avatar ?? ""
            following: model.peoplelistitem_following ?? false
            Component.onCompleted: page.loadMore(model.index)
        }
    }

    // A tab of the strip: half the width without an account (two tabs), else a quarter.
    component SearchTab: Rectangle {
        property alias text: label.text
        property bool current: false

        signal clicked

        width: (parent ? parent.width : 480) / (zirrup_account_exists ? 4 : 2)
        height: 50
        color: current ? "#505050" : "#242424"

        Text {
            id: label
            anchors.centerIn: parent
            width: parent.width - 8
            horizontalAlignment: Text.AlignHCenter
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: 14
            color: parent.current ? "#FFFFFF" : "#929292"
            font.pixelSize: 22
            font.bold: parent.current
        }

        MouseArea {
            anchors.fill: parent
            onClicked: parent.clicked()
        }
    }
}
