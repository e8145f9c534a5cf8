// Signed out: a search typed on the start page shows tweets, on two tabs only; back clears it.
import QtQuick 2.15

SmokeRunner {
    id: script

    function page() {
        return root.pageStack.currentPage
    }

    // A button of the current page's tool bar.
    function tool(name) {
        return findItem(page().tools, name)
    }

    steps: [
        { name: "start", ready: function () { return settled(1) && myTrendsModel.count > 0 },
          then: function () {
              var field = findItem(page(), "searchField")
              field.openSoftwareInputPanel()
              field.text = "#qt"
              field.accepted()
          } },
        { name: "results", ready: function () {
              return settled(2) && myTweetSearchModel.count > 0 && !searchview_searching_tweets
                      && avatarsLoaded(myTweetSearchModel) && !findItem(page(), "peopleTab").visible
                      && !tool("saveButton").visible
          },
          then: function () { findItem(page(), "nearbyTab").clicked() } },
        { name: "nearby", ready: function () {
              return !page().searching && findItem(page(), "resultList").visible && myTweetSearchModel.count > 0
                      && myTweetSearchModel.count < 5
          },
          then: function () { tool("backButton").clicked() } },
        { name: "back", ready: function () { return settled(1) && dataHandler.currentSearchString === "" },
          then: function () { Qt.exit(0) } }
    ]
}
