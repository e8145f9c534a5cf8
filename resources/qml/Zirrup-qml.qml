import QtQuick 2.15
import com.orvik.meego 1.0
import "ZirrupViewHistory.js" as ViewHistory

// The program's root: the page stack window with the navigation history, the tab markers, the
// error notice and the functions the controller calls by name.
ZirrupPageStackWindow {
    id: window

    property int orientationLock: PageOrientation.LockPortrait
    property bool eventPageLaunched: false
    property bool unreadTweets: false
    property bool unreadMentions: false
    property bool unreadMessages: false
    property alias errorNoticeTimeout: errorTimer.interval

    signal showHomePage
    signal showMentionsTab
    signal showMessagesTab
    signal refresh
    signal saveCurrentTweetId
    signal restoreCurrentTweetId(int index)

    objectName: "viewContainer"
    // Right-to-left languages mirror every page; texts keep their own direction.
    LayoutMirroring.enabled: Qt.application.layoutDirection === Qt.RightToLeft
    LayoutMirroring.childrenInherit: true

    function pushHistory(source) {
        ViewHistory.push(source, dataHandler.currentUser, dataHandler.currentTweetId,
                         dataHandler.currentListId, dataHandler.currentListName,
                         eventPageLaunched, dataHandler.currentSearchString);
    }

    function startPage(source) {
        ViewHistory.clear();
        pageStack.clear();
        pushHistory(source);
        pageStack.push(source);
    }

    function startEventPage(mainPage, eventPage) {
        ViewHistory.clear();
        pageStack.clear();
        pushHistory(mainPage);
        eventPageLaunched = true;
        pushHistory(eventPage);
        pageStack.push(eventPage);
        pageStack.insert(0, mainPage);
    }

    function nextPage(source, eventPageLaunch) {
        if (pageStack.busy)
            return null;
        var last = ViewHistory.count() - 1;
        if (last >= 0 && ViewHistory.viewName(last) === source
                && ViewHistory.tweetId(last) === dataHandler.currentTweetId
                && String(ViewHistory.username(last)).toLowerCase() === String(dataHandler.currentUser).toLowerCase())
            return null;
        if (eventPageLaunch)
            eventPageLaunched = true;
        pushHistory(source);
        var page = pageStack.push(source);
        // Only the bottom page and the two newest stay; prevPage() brings back the others.
        if (pageStack.depth > 3)
            pageStack.remove(1, 1);
        return page;
    }

    function replacePage(source) {
        if (pageStack.busy)
            return null;
        ViewHistory.pop();
        pushHistory(source);
        return pageStack.replace(source);
    }

    function prevPage() {
        // The bottom page has nowhere to go back to; dropping its history entry would leave the
        // pages above it later without the subject to restore.
        if (pageStack.depth <= 1)
            return;
        var count = ViewHistory.count();
        if (count > 2) {
            var i = count - 2;
            eventPageLaunched = ViewHistory.eventPage(i);
            dataHandler.currentUser = ViewHistory.username(i);
            dataHandler.currentTweetId = ViewHistory.tweetId(i);
            dataHandler.currentListId = ViewHistory.listId(i);
            dataHandler.currentListName = ViewHistory.listName(i);
            dataHandler.currentSearchString = ViewHistory.searchString(i);
        }
        ViewHistory.pop();
        pageStack.pop();
        if (pageStack.depth === 2 && ViewHistory.count() > 2)
            pageStack.insert(1, ViewHistory.viewName(ViewHistory.count() - 2));
    }

    function homePage() {
        if (pageStack.busy)
            return;
        ViewHistory.clearToBeginning();
        pageStack.pop(null, true);
        showHomePage();
    }

    function backToMain() {
        ViewHistory.clearToBeginning();
        pageStack.pop(null, true);
    }

    function mentionsTab() {
        showMentionsTab();
    }

    function messagesTab() {
        showMessagesTab();
    }

    function clearNewMentions() {
        unreadMentions = false;
    }

    function clearNewMessages() {
        unreadMessages = false;
    }

    function showError(error) {
        if (errorTimer.running)
            return;
        errorText.text = error;
        errorNotice.state = "shown";
        errorTimer.start();
    }

    function refreshModels() {
        refresh();
    }

    function prepareCleanup() {
        saveCurrentTweetId();
    }

    function doCleanup() {
        gc();
    }

    function restorePosition(index) {
        restoreCurrentTweetId(index);
    }

    function onNetworkAvailableChanged(connected) {
        if (connected && platformWindow.active)
            dataHandler.startSyncTimer();
        else
            dataHandler.stopSyncTimer();
    }

    function historyCount() {
        return ViewHistory.count();
    }

    function historyEntry(i) {
        return {
            "view": ViewHistory.viewName(i),
            "username": ViewHistory.username(i),
            "tweetid": ViewHistory.tweetId(i),
            "listid": ViewHistory.listId(i),
            "listname": ViewHistory.listName(i),
            "eventpage": ViewHistory.eventPage(i),
            "searchstring": ViewHistory.searchString(i)
        };
    }

    Connections {
        target: window.platformWindow

        function onActiveChanged() {
            var active = window.platformWindow.active;
            dataHandler.setIsOnFullscreen(active);
            if (active) {
                dataHandler.emitUpdateTimestamp();
                dataHandler.startSyncTimer();
            } else {
                dataHandler.stopSyncTimer();
                gc();
            }
        }

        function onVisibleChanged() {
            dataHandler.setVisible(window.platformWindow.visible);
        }
    }

    BorderImage {
        id: errorNotice
        objectName: "errorNotice"
        x: 8
        y: window.statusBarHeight + 80
        width: parent.width - 16
        height: 80
        z: 1000
        opacity: 0
        visible: opacity > 0
        border { left: 20; top: 20; right: 20; bottom: 20 }
        source: "image://theme/meegotouch-notification-event-background"

        Text {
            id: errorText
            objectName: "errorText"
            anchors.fill: parent
            anchors.margins: 16
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.WordWrap
            elide: Text.ElideRight
            color: "#FFFFFF"
            font.pixelSize: 24
        }

        states: State {
            name: "shown"
            PropertyChanges { target: errorNotice; opacity: 1 }
        }

        transitions: Transition {
            reversible: true
            NumberAnimation {
                property: "opacity"
                duration: 500
                easing.type: Easing.InOutExpo
            }
        }

        Timer {
            id: errorTimer
            interval: 2000
            onTriggered: errorNotice.state = ""
        }
    }

    Component.onCompleted: {
        var tab = dataHandler.startTab();
        console.log("startTab", tab);
        var view = dataHandler.startView();
        if (view !== "MainView.qml" && view !== "SignInView.qml")
            eventPageLaunched = true;
        pushHistory(view);
        pageStack.push(view);
        if (tab === "Messages")
            showMessagesTab();
        else if (tab === "Mentions")
            showMentionsTab();
    }
}
