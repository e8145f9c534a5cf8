// Opens alice's profile once the home page has settled, saves "screenshot.png" beside itself once
// the profile and its picture are there, then quits.
import QtQuick 2.15

Item {
    id: script

    property var root
    property bool opened: false
    property bool done: false

    function homeSettled() {
        return root && root.pageStack && root.pageStack.depth === 1 && !root.pageStack.busy
                && zirrup_account_exists && myTimelineModel.count > 0
    }

    function profileSettled() {
        return root.pageStack.depth === 2 && !root.pageStack.busy && profileview_screen_name === "alice"
                && !profileview_loading && String(profileview_profile_image_url).indexOf("image://avatar/") === 0
    }

    Timer {
        interval: 200
        repeat: true
        running: !script.done
        onTriggered: {
            if (!script.opened) {
                if (!script.homeSettled())
                    return
                script.opened = true
                dataHandler.currentUser = "alice"
                script.root.nextPage("ProfileView.qml", false)
                return
            }
            if (!script.profileSettled())
                return
            script.done = true
            // One more moment for the picture to be painted.
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
            console.warn("screenshot: the profile did not settle")
            Qt.exit(3)
        }
    }
}
