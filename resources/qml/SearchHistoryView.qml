import QtQuick 2.15
import com.orvik.meego 1.0

// The search tab: a search field, the saved searches and the trending topics. While the user
// types, the search history takes the page.
ZirrupPage {
    id: page

    readonly property bool historyShown: InputContext.softwareInputPanelVisible && InputContext.editor === searchField

    // Ctrl+F.
    function focusSearch() {
        searchField.openSoftwareInputPanel();
    }

    // F5, Ctrl+R and the top bar's refresh button.
    function refreshContent() {
        dataHandler.updateTrendingTopics();
        if (!savedsearches_is_loading)
            dataHandler.updateSavedSearches();
    }

    // No initial focus on the field: a focused field shows the history over the trends.

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            searchField.text = "";
        } else if (status === PageStatus.Active) {
            dataHandler.updateSearchHistory(50);
            dataHandler.updateTrendingTopics();
            if (!savedsearches_is_loading)
                dataHandler.updateSavedSearches();
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
            placeholderText: qsTrId("qtn_zirrup_seach_topic_name_hint")
            onAccepted: {
                closeSoftwareInputPanel();
                if (text !== "") {
                    dataHandler.currentSearchString = text;
                    window.nextPage("SearchView.qml");
                }
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
            filter: searchField.text
        }
    }

    Flickable {
        id: normalContent
        anchors.fill: historyList
        clip: true
        visible: !page.historyShown
        contentHeight: column.height

        Column {
            id: column
            width: parent.width

            TitleBar {
                title: qsTrId("qtn_zirrup_search_saved_head")
            }
            Repeater {
                model: mySavedSearchesModel
                delegate: TrendingItem {
                    queryItem: model.query_item ?? ""
                }
            }
            TitleBar {
                title: qsTrId("qtn_zirrup_first_run_trends")
            }
            Repeater {
                model: myTrendsModel
                delegate: TrendingItem {
                    queryItem: model.query_item ?? ""
                }
            }
            Item {
                width: parent.width
                height: trends_is_loading ? 16 : 0
            }
        }
    }

    BusyIndicator {
        anchors.centerIn: normalContent
        platformStyle: BusyIndicatorStyle { size: "large" }
        visible: trends_is_loading && myTrendsModel.count === 0 && mySavedSearchesModel.count === 0
        running: visible
    }
}
