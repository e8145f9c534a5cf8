// Signed out: a search typed on the start page shows tweets, on two tabs only; back clears it.
import QtQuick 2.15

SmokeRunner {
    id: script

    steps: [
        { name: "start", ready: function () { return settled(1) && myTrendsModel.count > 0 },
          then: function () { search("#qt") } },
        { name: "results", ready: function () {
              return settled(2) && myTweetSearchModel.count > 0 && !searchview_searching_tweets
                      && avatarsLoaded(myTweetSearchModel) && !onPage("peopleTab").visible
                      && !tool("saveButton").visible
          },
          then: function () { onPage("nearbyTab").clicked() } },
        { name: "nearby", ready: function () {
              return !currentPage().searching && onPage("resultList").visible && myTweetSearchModel.count > 0
                      && myTweetSearchModel.count < 5
          },
          then: function () { tool("backButton").clicked() } },
        { name: "back", ready: function () { return settled(1) && dataHandler.currentSearchString === "" },
          then: function () { Qt.exit(0) } }
    ]
}
