// Drives the real program through one signed-in session (home, its next page, mentions, a
// user's tweets and back) and saves a screenshot of each step next to this file. Exit status: 0 when every step was reached, 3 when one timed out.
import QtQuick 2.15

Item {
    id: script

    property var root
    property int step: 0
    property int homeRows: 0
    property var steps: [
        { name: "home", ready: function () { return homeReady() },
          then: function () {
              script.homeRows = myTimelineModel.count
              findItem(root, "homeList").positionViewAtEnd()
          } },
        // Reaching the end of the list loads the next page.
        { name: "more", ready: function () { return myTimelineModel.count > script.homeRows && !timelineview_is_loading_more },
          then: function () { root.mentionsTab() } },
        { name: "mentions", ready: function () { return myMentionsModel.count > 0 && avatarsLoaded(myMentionsModel) },
          then: function () {
              dataHandler.currentUser = myTimelineModel.get(0).name
              root.nextPage("UserTweetsView.qml", false)
          } },
        { name: "usertweets", ready: function () { return root.pageStack.depth === 2 && !root.pageStack.busy && myTweetsModel.count > 0 && !tweetsview_is_refreshing },
          then: function () { root.prevPage() } },
        { name: "back", ready: function () { return root.pageStack.depth === 1 && !root.pageStack.busy },
          then: function () { Qt.exit(0) } }
    ]

    function homeReady() {
        return root && root.pageStack && root.pageStack.depth === 1 && !root.pageStack.busy
                && myTimelineModel.count > 0 && !timelineview_is_refreshing && avatarsLoaded(myTimelineModel)
    }

    // The first rows show downloaded avatars, not the default picture.
    function avatarsLoaded(model) {
        for (var i = 0; i < Math.min(3, model.count); ++i) {
            if (String(model.get(i).image_url).indexOf("image://avatar/") !== 0)
                return false
        }
        return true
    }

    function findItem(item, name) {
        if (item.objectName === name)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = findItem(item.children[i], name)
            if (found)
                return found
        }
        return null
    }

    function shotPath(name) {
        return decodeURIComponent(Qt.resolvedUrl(name + ".png").toString().replace(/^file:\/\//, ""))
    }

    Timer {
        interval: 100
        repeat: true
        running: script.root !== undefined && script.step < script.steps.length
        property bool grabbing: false
        onTriggered: {
            var current = script.steps[script.step]
            if (grabbing || !current.ready())
                return
            grabbing = true
            var timer = this
            script.root.grabToImage(function (result) {
                result.saveToFile(script.shotPath(current.name))
                console.warn("SMOKE: reached " + current.name)
                script.step += 1
                timer.grabbing = false
                current.then()
            })
        }
    }

    Timer {
        interval: 90000
        running: true
        onTriggered: {
            if (script.step >= script.steps.length)
                return
            console.warn("SMOKE: timed out at step " + script.steps[script.step].name)
            Qt.exit(3)
        }
    }
}
