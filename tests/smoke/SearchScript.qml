// Signed in: search tweets and their next page, save the search and find it among the saved
// searches, unsave it, search people, search nearby with the recorded position and the home
// timeline, and open a trend and a hashtag.
import QtQuick 2.15

SmokeRunner {
    id: script

    property int firstPage: 0
    property string trend: ""

    // The shown row of trends, saved searches or history for a query.
    function row(item, query) {
        if (!item || !item.visible)
            return null
        if (item.queryItem === query && item.height > 0)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = row(item.children[i], query)
            if (found)
                return found
        }
        return null
    }


    function idle() {
        return !currentPage().searching && !searchview_searching_more_tweets
    }

    steps: [
        { name: "home", ready: homeShown,
          then: function () {
              // As a tap on the tab button does.
              var button = findItem(root, "searchTabButton")
              button.tab.parent.currentTab = button.tab
              button.clicked()
          } },
        { name: "searchtab", ready: function () {
              var tab = findItem(root, "searchTab")
              return tab.visible && myTrendsModel.count > 0 && row(tab, "#qt") !== null
          },
          then: function () { search("coffee") } },
        { name: "tweets", ready: function () {
              return settled(2) && myTweetSearchModel.count > 0 && idle() && avatarsLoaded(myTweetSearchModel)
          },
          then: function () {
              script.firstPage = myTweetSearchModel.count
              onPage("resultList").positionViewAtEnd()
          } },
        // Reaching the end of the results loads the next page.
        { name: "moretweets", ready: function () { return myTweetSearchModel.count > script.firstPage && idle() },
          then: function () { tool("saveButton").clicked() } },
        { name: "saved", ready: function () { return currentPage().saved && !savedsearches_is_loading },
          then: function () { tool("backButton").clicked() } },
        { name: "savedlist", ready: function () { return settled(1) && row(findItem(root, "searchTab"), "coffee") !== null },
          then: function () { row(findItem(root, "searchTab"), "coffee").activate() } },
        { name: "savedresults", ready: function () {
              return settled(2) && currentPage().saved && myTweetSearchModel.count > 0 && idle()
          },
          then: function () { tool("saveButton").clicked() } },
        { name: "unsaved", ready: function () {
              return !currentPage().saved && !savedsearches_is_loading
                      && rowWhere(mySavedSearchesModel, function (row) { return row.query_item === "coffee" }) === null
          },
          then: function () {
              onPage("peopleTab").clicked()
              search("ali")
          } },
        { name: "people", ready: function () {
              return myProfileSearchModel.count > 0 && !searchview_searching_profiles
                      && onPage("resultList").visible
          },
          then: function () { search("#qt") } },
        { name: "nopeople", ready: function () { return idle() && onPage("emptyText").visible },
          then: function () { onPage("nearbyTab").clicked() } },
        { name: "nearby", ready: function () {
              return idle() && onPage("resultList").visible && myTweetSearchModel.count > 0
                      && myTweetSearchModel.get(0).status_text.toLowerCase().indexOf("#qt") >= 0
          },
          then: function () { onPage("timelineTab").clicked() } },
        { name: "timeline", ready: function () { return idle() && onPage("resultList").visible },
          then: function () { tool("backButton").clicked() } },
        { name: "back", ready: function () {
              return settled(1) && dataHandler.currentSearchString === "" && row(findItem(root, "searchTab"), "coffee") === null
          },
          then: function () {
              script.trend = myTrendsModel.get(0).query_item
              row(findItem(root, "searchTab"), script.trend).activate()
          } },
        { name: "trend", ready: function () {
              return settled(2) && currentPage().search_text === script.trend && myTweetSearchModel.count > 0 && idle()
          },
          then: function () { tool("backButton").clicked() } },
        // A hashtag link, as in a tweet's text.
        { name: "main", ready: function () { return settled(1) },
          then: function () { dataHandler.linkClicked("#coffee") } },
        { name: "hashtag", ready: function () {
              return settled(2) && currentPage().search_text === "#coffee" && myTweetSearchModel.count > 0 && idle()
          },
          then: function () { Qt.exit(0) } }
    ]
}
