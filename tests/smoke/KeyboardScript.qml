// Signed in, with keys alone: down the home list to a tweet that names someone, Return opens it,
// Tab reaches the name's link, Return opens that profile, Escape twice comes back home.
import QtQuick 2.15

SmokeRunner {
    id: script

    property string tweetId: ""
    property bool sawProfile: false

    // The target of the link that has the focus, or "".
    function focusedLink() {
        var item = root.Window.activeFocusItem
        return item && item.link !== undefined ? String(item.link) : ""
    }

    function topView() {
        return root.historyEntry(root.historyCount() - 1).view
    }

    // The first row whose text names a user.
    function rowWithMention() {
        for (var i = 0; i < myTimelineModel.count; ++i) {
            if (/(^|\s)@\w+/.test(myTimelineModel.get(i).status_text))
                return i
        }
        return -1
    }

    steps: [
        { name: "keyboard-home", ready: function () { return homeShown() && findItem(root, "homeList").activeFocus },
          then: function () {
              var row = script.rowWithMention()
              if (row < 0) {
                  console.warn("SMOKE: no tweet with a mention on the home list")
                  Qt.exit(4)
                  return
              }
              for (var i = 0; i < row; ++i)
                  driver.keyClick(Qt.Key_Down)
              script.tweetId = myTimelineModel.get(row).original_tweetid
              driver.keyClick(Qt.Key_Return)
          } },
        { name: "keyboard-tweet", ready: function () {
              var page = root.pageStack.currentPage
              return settled(2) && topView() === "TweetView.qml" && page.tweet_desc !== ""
          },
          then: function () {
              for (var i = 0; i < 40; ++i) {
                  driver.keyClick(Qt.Key_Tab)
                  if (script.focusedLink().indexOf("@") === 0)
                      return
              }
              console.warn("SMOKE: Tab never reached a link to a profile")
              Qt.exit(4)
          } },
        // The shot shows the focused link.
        { name: "keyboard-link", ready: function () { return script.focusedLink().indexOf("@") === 0 },
          then: function () { driver.keyClick(Qt.Key_Return) } },
        // The profile itself is seen on the way: its page is not yet more than a title to take a
        // picture of.
        { name: "keyboard-back-to-tweet", ready: function () {
              if (!script.sawProfile && settled(3) && topView() === "ProfileView.qml"
                      && profileview_screen_name !== "") {
                  script.sawProfile = true
                  driver.keyClick(Qt.Key_Escape)
              }
              return script.sawProfile && settled(2) && dataHandler.currentTweetId === script.tweetId
          },
          then: function () { driver.keyClick(Qt.Key_Escape) } },
        { name: "keyboard-back-home", ready: function () {
              var list = findItem(root, "homeList")
              return settled(1) && list.activeFocus
                      && myTimelineModel.get(list.currentIndex).original_tweetid === script.tweetId
          },
          then: function () { Qt.exit(0) } }
    ]
}
