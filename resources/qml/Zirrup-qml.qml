import QtQuick 2.15
import com.orvik.meego 1.0
import "ZirrupViewHistory.js" as ViewHistory

// The program's root: the page stack window with the navigation history, the tab markers, the
// error notice, the functions the controller calls by name and the keys of the whole window.
// Keys reach handleKey() only when nothing with the focus (a field, a list, an open dialog) took
// them first; the ones with a modifier, and F5, are window shortcuts as well, so that a text field
// that would type them (Alt+1 is a "1" to it) still lets them through.
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

    // The page at the bottom of the stack: the main page once signed in.
    function bottomPage() {
        var bottom = null;
        pageStack.find(function (page) { bottom = page; return false; });
        return bottom;
    }

    // Escape: the page may want to handle it (an open editor, a query), else one page back.
    function goBack() {
        var page = pageStack.currentPage;
        if (page && typeof page.handleBack === "function" && page.handleBack())
            return true;
        if (pageStack.depth <= 1 || pageStack.busy)
            return false;
        prevPage();
        return true;
    }

    // Alt+1 to Alt+5: that tab of the main page, coming back to it from any page.
    function showMainTab(index) {
        var main = bottomPage();
        if (!zirrup_account_exists || !main || main.showTab === undefined || pageStack.busy)
            return false;
        if (pageStack.depth > 1)
            backToMain();
        main.showTab(index);
        return true;
    }

    // Ctrl+F: the search field of the page, else the search tab's.
    function openSearch() {
        var page = pageStack.currentPage;
        if (page && typeof page.focusSearch === "function") {
            page.focusSearch();
            return true;
        }
        if (!showMainTab(3))
            return false;
        var tab = bottomPage().tabGroup.currentTab;
        if (tab && typeof tab.focusSearch === "function")
            Qt.callLater(tab.focusSearch);
        return true;
    }

    function refreshCurrentPage() {
        var page = pageStack.currentPage;
        if (page && typeof page.refreshContent === "function")
            page.refreshContent();
    }

    function acceptCurrentPage() {
        var page = pageStack.currentPage;
        if (page && typeof page.accept === "function")
            page.accept();
    }

    function handleKey(event) {
        var ctrl = (event.modifiers & Qt.ControlModifier) !== 0;
        var alt = (event.modifiers & Qt.AltModifier) !== 0;
        switch (event.key) {
        case Qt.Key_Escape:
            return goBack();
        case Qt.Key_F5:
            refreshCurrentPage();
            return true;
        case Qt.Key_R:
            if (!ctrl)
                return false;
            refreshCurrentPage();
            return true;
        case Qt.Key_N:
            if (!ctrl || !zirrup_account_exists)
                return false;
            nextPage("ComposeView.qml");
            return true;
        case Qt.Key_F:
            return ctrl && openSearch();
        case Qt.Key_Return:
        case Qt.Key_Enter:
            if (!ctrl)
                return false;
            acceptCurrentPage();
            return true;
        }
        if (alt && !ctrl && event.key >= Qt.Key_1 && event.key <= Qt.Key_5)
            return showMainTab(event.key - Qt.Key_1);
        return false;
    }

    Keys.onPressed: (event) => { event.accepted = window.handleKey(event); }

    // An open dialog, sheet or menu holds the focus; the window's keys wait until it closes.
    function modalOpen() {
        for (var item = window.Window.activeFocusItem; item; item = item.parent) {
            if (item.__escape !== undefined && item.status !== undefined && item.visible)
                return true;
        }
        return false;
    }

    function shortcut(key, modifiers) {
        if (!modalOpen())
            handleKey({ "key": key, "modifiers": modifiers });
    }

    Shortcut { sequences: ["F5"]; onActivated: window.shortcut(Qt.Key_F5, Qt.NoModifier) }
    Shortcut { sequences: ["Ctrl+R"]; onActivated: window.shortcut(Qt.Key_R, Qt.ControlModifier) }
    Shortcut { sequences: ["Ctrl+N"]; onActivated: window.shortcut(Qt.Key_N, Qt.ControlModifier) }
    Shortcut { sequences: ["Ctrl+F"]; onActivated: window.shortcut(Qt.Key_F, Qt.ControlModifier) }
    Repeater {
        model: 5
        Item {
            required property int index
            Shortcut {
                sequences: ["Alt+" + (index + 1)]
                onActivated: window.shortcut(Qt.Key_1 + index, Qt.AltModifier)
            }
        }
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
            textFormat: Text.PlainText
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
