import QtQuick

// Stands in for the program's root page: every function the controller calls by name records
// the call with its arguments in `calls`.
Item {
    id: root
    width: 480
    height: 854

    property var calls: []

    function record(name, args) {
        calls = calls.concat([{ "name": name, "args": args }])
    }
    function clearCalls() {
        calls = []
    }
    function startPage(source) { record("startPage", [source]) }
    function startEventPage(mainPage, eventPage) { record("startEventPage", [mainPage, eventPage]) }
    function nextPage(source, eventPageLaunch) {
        record("nextPage", [source, eventPageLaunch])
        return null
    }
    function prevPage() { record("prevPage", []) }
    function backToMain() { record("backToMain", []) }
    function homePage() { record("homePage", []) }
    function mentionsTab() { record("mentionsTab", []) }
    function messagesTab() { record("messagesTab", []) }
    function clearNewMentions() { record("clearNewMentions", []) }
    function clearNewMessages() { record("clearNewMessages", []) }
    function showError(error) { record("showError", [error]) }
    function refreshModels() { record("refreshModels", []) }
    function prepareCleanup() { record("prepareCleanup", []) }
    function doCleanup() { record("doCleanup", []) }
    function restorePosition(index) { record("restorePosition", [index]) }
    // Set by tests that need the program's answer to a network change (window in front).
    property bool answersNetwork: false
    function onNetworkAvailableChanged(connected) {
        record("onNetworkAvailableChanged", [connected])
        if (!answersNetwork)
            return
        if (connected)
            dataHandler.startSyncTimer()
        else
            dataHandler.stopSyncTimer()
    }

    // A mouse grabber to let go of (releaseMouse).
    MouseArea {
        objectName: "grabber"
        anchors.fill: parent
    }
}
