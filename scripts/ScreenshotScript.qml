// Saves one screenshot of the program once its first page has settled, then quits.
// It writes "screenshot.png" beside itself. Signed out the page waits for the trends, signed in for the
// home timeline with its avatars.
import QtQuick 2.15

Item {
    id: script

    property var root
    property bool done: false

    function settled() {
        if (!root || !root.pageStack || root.pageStack.depth !== 1 || root.pageStack.busy)
            return false
        if (!zirrup_account_exists)
            return myTrendsModel.count > 0
        if (myTimelineModel.count < 4 || timelineview_is_refreshing)
            return false
        for (var i = 0; i < 4; ++i) {
            if (String(myTimelineModel.get(i).image_url).indexOf("image://avatar/") !== 0)
                return false
        }
        return true
    }

    Timer {
        interval: 200
        repeat: true
        running: !script.done
        onTriggered: {
            if (!script.settled())
                return
            script.done = true
            // One more moment for the images to be painted.
            paint.start()
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
            console.warn("screenshot: the page did not settle")
            Qt.exit(3)
        }
    }
}
