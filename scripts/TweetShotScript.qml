// Saves a screenshot of a tweet page with a picture and its reply editor open, then quits. It
// writes "screenshot.png" beside itself.
import QtQuick 2.15

Item {
    id: script

    property var root
    property int step: 0
    property var page: null

    function settled(depth) {
        return root && root.pageStack && root.pageStack.depth === depth && !root.pageStack.busy
    }

    // Someone else's tweet with a picture, of the service's own or on a picture host, else the
    // newest tweet.
    function pictureTweet() {
        for (var i = 0; i < myTimelineModel.count; ++i) {
            var row = myTimelineModel.get(i)
            var desc = String(row.desc)
            if ((desc.indexOf("pic.zirrup.net/") >= 0 || desc.indexOf("zirpic.net/") >= 0) && row.name !== "demo")
                return row.original_tweetid
        }
        return myTimelineModel.get(0).original_tweetid
    }

    readonly property var steps: [
        { ready: function () { return settled(1) && myTimelineModel.count > 3 && !timelineview_is_refreshing },
          then: function () {
              dataHandler.currentTweetId = script.pictureTweet()
              script.page = root.nextPage("TweetView.qml", false)
          } },
        { ready: function () { return settled(2) && page.tweet_desc !== "" && !tweetview_loading && !tinyurl_thumb_loading },
          then: function () { page.openEditor() } },
        { ready: function () { return page.state === "editing" && page.validMessage },
          then: function () { paint.start() } }
    ]

    Timer {
        interval: 200
        repeat: true
        running: script.root !== undefined && script.step < script.steps.length
        onTriggered: {
            var current = script.steps[script.step]
            if (!current.ready())
                return
            script.step += 1
            current.then()
        }
    }

    Timer {
        id: paint
        interval: 800
        onTriggered: script.root.grabToImage(function (result) {
            var url = Qt.resolvedUrl("screenshot.png").toString()
            result.saveToFile(decodeURIComponent(url.replace(/^file:\/\//, "")))
            Qt.exit(0)
        })
    }

    Timer {
        interval: 60000
        running: true
        onTriggered: {
            console.warn("screenshot: the tweet page did not settle at step " + script.step)
            Qt.exit(3)
        }
    }
}
