// Signed in: the lists the user was added to, one list's tweets, subscribing to that list (another
// user's), and the subscription showing among the user's own and subscribed lists.
import QtQuick 2.15

SmokeRunner {
    id: script

    property var target: null

    function findList(model, owner) {
        return rowWhere(model, function (row) { return row.screenName === owner })
    }

    steps: [
        { name: "home", ready: function () { return settled(1) && dataHandler.authenticatedUser() !== "" },
          then: function () { openFor(dataHandler.authenticatedUser(), "ListsView.qml") } },
        // emma's "Design" has the user as a member; the user does not subscribe to it.
        { name: "lists", ready: function () {
              return settled(2) && !listsview_loading && findList(myAddedToListsModel, "emma") !== null
          },
          then: function () {
              var list = findList(myAddedToListsModel, "emma")
              script.target = { id: list.id, name: list.name }
              // What a tap on the row does.
              dataHandler.currentUser = list.screenName
              dataHandler.currentListId = list.id
              dataHandler.currentListName = list.name
              root.nextPage("ListTweetsView.qml")
          } },
        { name: "listtweets", ready: function () {
              var follow = findItem(root, "followListButton")
              return settled(3) && myTweetsModel.count > 0 && !tweetsview_is_refreshing
                      && follow && follow.visible && !tweetsview_following_list
                      && String(follow.iconSource).indexOf("toolbar-follow.png") > 0
          },
          then: function () { findItem(root, "followListButton").clicked() } },
        { name: "subscribed", ready: function () {
              return tweetsview_following_list
                      && String(findItem(root, "followListButton").iconSource).indexOf("toolbar-following.png") > 0
          },
          then: function () { root.prevPage() } },
        { name: "back", ready: function () { return settled(2) && onPage("ownListsButton").visible },
          then: function () { onPage("ownListsButton").clicked() } },
        { name: "ownlists", ready: function () {
              return !mylists_loading && onPage("listsList").model === mySubscribedListsModel
                      && rowWhere(mySubscribedListsModel, function (row) { return row.id === script.target.id }) !== null
          },
          then: function () { Qt.exit(0) } }
    ]
}
