// Saves a screenshot of the compose page with a picture and a place, then quits. It writes
// "screenshot.png" beside itself. Needs a picture in the Pictures folder and a position source
// (ZIRRUP_POSITION_LOG); screenshots.sh provides both.
import QtQuick 2.15

Item {
    id: script

    property var root
    property int step: 0
    property var page: null
    property var editor: null

    function findItem(item, name) {
        if (!item)
            return null
        if (item.objectName === name)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = findItem(item.children[i], name)
            if (found)
                return found
        }
        return null
    }

    function settled(depth) {
        return root && root.pageStack && root.pageStack.depth === depth && !root.pageStack.busy
    }

    readonly property var steps: [
        { ready: function () { return settled(1) && myTimelineModel.count > 0 && !timelineview_is_refreshing },
          then: function () { script.page = root.nextPage("ComposeView.qml", false) } },
        { ready: function () { return settled(2) && findItem(page, "composeEditor") },
          then: function () {
              script.editor = findItem(page, "composeEditor")
              editor.text = "Evening light over the lake. Who's coming for a swim tomorrow, @alice?"
              editor.openPicker()
          } },
        { ready: function () { return editor.picker.status === 1 && dataHandler.photosModel && dataHandler.photosModel.count > 0 },
          then: function () {
              var photo = dataHandler.photosModel.get(0)
              editor.picker.imagePicked(photo.role_image_url, photo.role_orientation_portrait, photo.role_aspect_ratio)
              editor.picker.close()
          } },
        { ready: function () { return tweetImageUploadModel.count === 1 && editor.picker.status === 3 },
          then: function () { editor.toggleLocation() } },
        { ready: function () { return editor.locationEnabled && !editor.locating },
          then: function () {
              // The page as it looks once the keyboard is put away.
              editor.closeKeyboard()
              paint.start()
          } }
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
            console.warn("screenshot: the compose page did not settle at step " + script.step)
            Qt.exit(3)
        }
    }
}
