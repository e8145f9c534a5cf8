// Runs one smoke session: each step waits until its `ready()` holds, saves a screenshot named after
// the step beside the script, then runs its `then()`. The last step's `then()` should call
// Qt.exit(0). Exit status 3 when a step does not become ready in time.
import QtQuick 2.15

Item {
    id: runner

    property var root
    // Types keys into the window: driver.keyClick(Qt.Key_Return).
    property var driver: null
    property var steps: []
    property int step: 0
    property int timeout: 90000

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

    // The first rows show downloaded avatars, not the default picture.
    function avatarsLoaded(model) {
        for (var i = 0; i < Math.min(3, model.count); ++i) {
            if (String(model.get(i).image_url).indexOf("image://avatar/") !== 0)
                return false
        }
        return true
    }

    function currentPage() {
        return root.pageStack.currentPage
    }

    // A button of the current page's tool bar.
    function tool(name) {
        return findItem(currentPage().tools, name)
    }

    // Menus and dialogs move to the top of the scene when they open.
    function findOnTop(name) {
        var top = root
        while (top.parent)
            top = top.parent
        return findItem(top, name)
    }

    // The named item of the current page.
    function onPage(name) {
        return findItem(currentPage(), name)
    }

    // The first row of the model for which test(row) holds, or null.
    function rowWhere(model, test) {
        for (var i = 0; i < model.count; ++i) {
            if (test(model.get(i)))
                return model.get(i)
        }
        return null
    }

    // A menu or dialog of that name is open.
    function isOpen(name) {
        var item = findOnTop(name)
        return item !== null && item.status === 1 /* DialogStatus.Open */
    }

    // Opens a page about a user, as a tap on the name does.
    function openFor(user, page) {
        dataHandler.currentUser = user
        return root.nextPage(page, false)
    }

    // The user's profile is on top of a stack of the given depth, loaded.
    function profileShown(user, depth) {
        return settled(depth) && profileview_screen_name === user && !profileview_loading
    }

    // The home list has its first rows.
    function homeShown() {
        return settled(1) && myTimelineModel.count > 0 && !timelineview_is_refreshing
    }

    // Types a query into the current page's search field and runs it.
    function search(text) {
        var field = onPage("searchField")
        field.openSoftwareInputPanel()
        field.text = text
        field.accepted()
    }

    // False, with the reason in the log, when ok is not.
    function check(ok, what) {
        if (!ok)
            console.warn("SMOKE: wrong " + what)
        return ok
    }

    // The stack has settled at the given depth.
    function settled(depth) {
        return root && root.pageStack && root.pageStack.depth === depth && !root.pageStack.busy
    }

    // One step on the signed-out start page in the script's language: the buttons' words, a time
    // and (where given) a number in words of the language, and the reading direction.
    function languageSteps(words) {
        return [
            { name: "start", ready: function () {
                  var trends = findItem(root, "trendsList")
                  return settled(1) && trends && trends.count > 0
              },
              then: function () {
                  var signIn = findItem(root, "signInButton")
                  var signUp = findItem(root, "signUpButton")
                  var rightToLeft = signIn.mapToItem(root, 0, 0).x > signUp.mapToItem(root, 0, 0).x
                  var ok = check(signIn.text === words.signIn && signUp.text === words.signUp, "button texts")
                          && check(qsTrId("qtn_comm_time_minute_ago", 5) === words.fiveMinutesAgo, "time text")
                          && check(!words.number || dataHandler.getLocalizedInt(12345) === words.number, "number")
                          && check(root.LayoutMirroring.enabled === words.mirrored && rightToLeft === words.mirrored,
                                   "reading direction")
                  Qt.exit(ok ? 0 : 4)
              } }
        ]
    }

    function shotPath(name) {
        return decodeURIComponent(Qt.resolvedUrl(name + ".png").toString().replace(/^file:\/\//, ""))
    }

    Component.onCompleted: console.warn("SMOKE: steps " + steps.length)

    Timer {
        interval: 100
        repeat: true
        running: runner.root !== undefined && runner.step < runner.steps.length
        property bool grabbing: false
        onTriggered: {
            var current = runner.steps[runner.step]
            if (grabbing || !current.ready())
                return
            grabbing = true
            var timer = this
            runner.root.grabToImage(function (result) {
                result.saveToFile(runner.shotPath(current.name))
                console.warn("SMOKE: reached " + current.name)
                runner.step += 1
                timer.grabbing = false
                current.then()
            })
        }
    }

    Timer {
        interval: runner.timeout
        running: true
        onTriggered: {
            if (runner.step >= runner.steps.length)
                return
            console.warn("SMOKE: timed out at step " + runner.steps[runner.step].name)
            Qt.exit(3)
        }
    }
}
