// Signed in: what a profile offers reaches the real pages. Mention opens the tweet editor with
// "@name " written, direct message opens the message editor for that user (and asks before
// dropping a draft), and a person found by the people search can be followed from the results.
import QtQuick 2.15

SmokeRunner {
    id: script

    readonly property string draft: "Smoke test draft " + Date.now()
    property bool wasFollowing: false

    steps: [
        { name: "home", ready: function () { return settled(1) && dataHandler.authenticatedUser() === "demo" },
          then: function () { openFor("alice", "ProfileView.qml") } },
        // Alice follows the user: the compose button offers mention and message.
        { name: "profile", ready: function () { return profileShown("alice", 2) && profileview_follower },
          then: function () { onPage("topBarCompose").clicked() } },
        { name: "composemenu", ready: function () { return isOpen("composeMenu") },
          then: function () { findItem(findOnTop("composeMenu"), "tweetButton").clicked() } },
        { name: "mention", ready: function () {
              var editor = onPage("composeEditor")
              return settled(3) && editor && editor.text === "@alice " && editor.cursorPosition === 7
                      && onPage("composeTopBar").okButtonEnabled
          },
          then: function () {
              onPage("composeEditor").text = ""
              onPage("composeTopBar").cancelClicked()
          } },
        { name: "backfrommention", ready: function () { return profileShown("alice", 2) },
          then: function () { onPage("topBarCompose").clicked() } },
        { name: "messagemenu", ready: function () { return isOpen("composeMenu") },
          then: function () { findItem(findOnTop("composeMenu"), "directMessageButton").clicked() } },
        { name: "message", ready: function () {
              var editor = onPage("messageEditor")
              return settled(3) && editor && editor.messagingMode && composeview_screenname === "alice"
                      && onPage("recipientHeader").zirrupName === "alice" && profileview_follower
          },
          then: function () {
              onPage("messageEditor").text = script.draft
              currentPage().cancel()
          } },
        // A draft is not dropped without asking.
        { name: "discard", ready: function () { return isOpen("discardDialog") && settled(3) },
          then: function () { findOnTop("discardDialog").accept() } },
        { name: "discarded", ready: function () { return profileShown("alice", 2) },
          then: function () {
              dataHandler.currentSearchString = "ali"
              root.nextPage("SearchView.qml", false)
          } },
        { name: "search", ready: function () { return settled(3) && !searchview_searching_tweets },
          then: function () { onPage("peopleTab").clicked() } },
        // Found people are the rows of the people lists, with their follow button.
        { name: "people", ready: function () {
              var list = onPage("resultList")
              var row = list ? list.itemAtIndex(0) : null
              return myProfileSearchModel.count > 0 && !searchview_searching_profiles && row
                      && row.zirrupName === myProfileSearchModel.get(0).peoplelistitem_zirrupname
                      && findItem(row, "peopleFollowButton").visible
          },
          then: function () {
              var row = onPage("resultList").itemAtIndex(0)
              script.wasFollowing = row.following
              findItem(row, "peopleFollowButton").clicked()
          } },
        { name: "followed", ready: function () {
              var row = onPage("resultList").itemAtIndex(0)
              return !profileview_loading && myProfileSearchModel.get(0).peoplelistitem_following !== script.wasFollowing
                      && row.following !== script.wasFollowing
          },
          then: function () { Qt.exit(0) } }
    ]
}
