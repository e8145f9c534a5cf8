// Signed in: home, its next page, mentions, a user's tweets and back.
import QtQuick 2.15

SmokeRunner {
    id: script

    property int homeRows: 0

    steps: [
        { name: "home", ready: function () { return homeShown() && avatarsLoaded(myTimelineModel) },
          then: function () {
              script.homeRows = myTimelineModel.count
              findItem(root, "homeList").positionViewAtEnd()
          } },
        // Reaching the end of the list loads the next page.
        { name: "more", ready: function () { return myTimelineModel.count > script.homeRows && !timelineview_is_loading_more },
          then: function () { root.mentionsTab() } },
        { name: "mentions", ready: function () { return myMentionsModel.count > 0 && avatarsLoaded(myMentionsModel) },
          then: function () { openFor(myTimelineModel.get(0).name, "UserTweetsView.qml") } },
        { name: "usertweets", ready: function () { return settled(2) && myTweetsModel.count > 0 && !tweetsview_is_refreshing },
          then: function () { root.prevPage() } },
        { name: "back", ready: function () { return settled(1) },
          then: function () { Qt.exit(0) } }
    ]
}
