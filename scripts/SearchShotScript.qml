// Saves a screenshot of the search results for "#qt" once they show with their avatars, then
// quits. It writes "screenshot.png" beside itself.
import QtQuick 2.15

Item {
    id: script

    property var root
    property int stage: 0

    function settled(depth) {
        return root && root.pageStack && root.pageStack.depth === depth && !root.pageStack.busy
    }

    function resultsShown() {
        if (myTweetSearchModel.count < 4 || searchview_searching_tweets)
            return false
        for (var i = 0; i < 4; ++i) {
            if (String(myTweetSearchModel.get(i).image_url).indexOf("image://avatar/") !== 0)
                return false
        }
        return true
    }

    Timer {
        interval: 200
        repeat: true
        running: script.stage < 2
        onTriggered: {
            if (script.stage === 0 && script.settled(1) && myTimelineModel.count > 0) {
                script.stage = 1
                dataHandler.currentSearchString = "#qt"
                script.root.nextPage("SearchView.qml")
            } else if (script.stage === 1 && script.settled(2) && script.resultsShown()) {
                script.stage = 2
                // One more moment for the images to be painted.
                paint.start()
            }
        }
    }

    Timer {
        id: paint
        interval: 500
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
            console.warn("screenshot: the search results did not show")
            Qt.exit(3)
        }
    }
}
