// Saves a screenshot of one direct-message conversation of the demo user (the one with most
// messages among the newest conversations), then quits. It writes "screenshot.png" beside itself.
import QtQuick 2.15

Item {
    id: script

    property var root
    property bool opened: false
    property bool done: false

    function conversationShown() {
        var stack = root.pageStack
        return stack.depth === 2 && !stack.busy && myConversationModel.count > 2
                && conversation_image_url.indexOf("image://avatar/") === 0
    }

    Timer {
        interval: 200
        repeat: true
        running: !script.done
        onTriggered: {
            var stack = script.root ? script.root.pageStack : null
            if (!stack || stack.busy)
                return
            if (!script.opened) {
                if (stack.depth !== 1 || myMessageModel.count === 0 || messagesview_loading)
                    return
                script.opened = true
                script.root.messagesTab()
                dataHandler.currentUser = myMessageModel.get(0).screen_name
                script.root.nextPage("MessagingConversationView.qml")
                return
            }
            if (!script.conversationShown())
                return
            script.done = true
            // One more moment for the images to be painted.
            paint.start()
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
            console.warn("screenshot: the conversation did not settle")
            Qt.exit(3)
        }
    }
}
