import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// The root window: start-up, history-backed navigation, the error notice and what it tells the
// controller about the window.
TestCase {
    id: testCase
    name: "Window"
    width: 480
    height: 854
    visible: true
    when: windowShown

    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")
    property var window: null

    QtObject {
        id: fakePlatformWindow
        property bool active: false
        property bool visible: true
    }

    SignalSpy { id: homeSpy; signalName: "showHomePage" }
    SignalSpy { id: mentionsSpy; signalName: "showMentionsTab" }
    SignalSpy { id: messagesSpy; signalName: "showMessagesTab" }

    function url(name) {
        return Qt.resolvedUrl("pages/" + name + ".qml").toString();
    }

    function open(startView, startTab) {
        dataHandler.startViewResult = startView;
        if (startTab)
            dataHandler.startTabResult = startTab;
        window = createTemporaryObject(rootComponent, testCase);
        verify(window);
        window.pageStack.transitionDuration = 40;
        homeSpy.target = window;
        mentionsSpy.target = window;
        messagesSpy.target = window;
        return window;
    }

    function settle() {
        tryCompare(window.pageStack, "busy", false);
    }

    function stackLabels() {
        // find() walks from the top page down.
        var labels = [];
        window.pageStack.find(function (page) { labels.unshift(page.label); return false; });
        return labels;
    }

    function historyViews() {
        var views = [];
        for (var i = 0; i < window.historyCount(); ++i)
            views.push(window.historyEntry(i).view);
        return views;
    }

    // Opens source the way a page does: the subject first, then the page.
    function next(source, user, tweetId) {
        dataHandler.currentUser = user;
        dataHandler.currentTweetId = tweetId || "";
        var page = window.nextPage(source);
        settle();
        return page;
    }

    function init() {
        testContext.reset();
        homeSpy.clear();
        mentionsSpy.clear();
        messagesSpy.clear();
        fakePlatformWindow.active = false;
        fakePlatformWindow.visible = true;
        failOnWarning(/.?/);
    }

    function test_startUp_data() {
        return [
            { tag: "signed out", view: "SignInView.qml", tab: "Timeline", eventPage: false, mentions: 0, messages: 0 },
            { tag: "main page", view: "MainView.qml", tab: "Timeline", eventPage: false, mentions: 0, messages: 0 },
            { tag: "messages tab", view: "MainView.qml", tab: "Messages", eventPage: false, mentions: 0, messages: 1 },
            { tag: "mentions tab", view: "MainView.qml", tab: "Mentions", eventPage: false, mentions: 1, messages: 0 },
            { tag: "launched for a page", view: url("PageB"), tab: "Timeline", eventPage: true, mentions: 0, messages: 0 },
        ];
    }

    function test_startUp(data) {
        // The signals of the start-up come before a spy could be attached; the tab shows them.
        open(data.view, data.tab);
        compare(dataHandler.names(["startTab", "startView"]), ["startTab", "startView"]);
        compare(window.objectName, "viewContainer");
        compare(window.orientationLock, PageOrientation.LockPortrait);
        compare(window.eventPageLaunched, data.eventPage);
        compare(window.pageStack.depth, 1);
        compare(historyViews(), [data.view]);
        compare(window.pageStack.currentPage.status, PageStatus.Active);
        if (data.view === "MainView.qml") {
            var tabs = window.pageStack.currentPage.tabGroup;
            var expected = data.messages ? "messagesTab" : data.mentions ? "mentionsTab" : "homeTab";
            compare(tabs.currentTab.objectName, expected);
        }
    }

    function test_nextPageKeepsThreePagesAndBackRestoresSubjects() {
        open(url("PageA"));
        compare(next(url("PageB"), "u1", "11").label, "B");
        next(url("PageC"), "u2", "12");
        next(url("PageD"), "u3", "13");
        compare(stackLabels(), ["A", "C", "D"]);
        next(url("PageE"), "u4", "14");
        compare(window.pageStack.depth, 3);
        compare(stackLabels(), ["A", "D", "E"]);
        compare(historyViews(), [url("PageA"), url("PageB"), url("PageC"), url("PageD"), url("PageE")]);
        compare(window.historyEntry(2).username, "u2");
        compare(window.historyEntry(2).tweetid, "12");

        // Back to D: C is made again below it, and the controller names D's subject.
        window.prevPage();
        settle();
        compare(stackLabels(), ["A", "C", "D"]);
        compare(dataHandler.currentUser, "u3");
        compare(dataHandler.currentTweetId, "13");
        compare(window.pageStack.currentPage.shownUser, "u3");

        // Back to C, which shows C's subject although it was made while D was current.
        window.prevPage();
        settle();
        compare(stackLabels(), ["A", "B", "C"]);
        compare(dataHandler.currentUser, "u2");
        compare(window.pageStack.currentPage.label, "C");
        compare(window.pageStack.currentPage.shownUser, "u2");

        // Back to B: its subject comes back, nothing is made.
        window.prevPage();
        settle();
        compare(stackLabels(), ["A", "B"]);
        compare(dataHandler.currentUser, "u1");
        compare(dataHandler.currentTweetId, "11");
        compare(window.historyCount(), 2);

        // Back to the bottom page: the history has nothing left to restore.
        dataHandler.currentUser = "unchanged";
        window.prevPage();
        settle();
        compare(stackLabels(), ["A"]);
        compare(dataHandler.currentUser, "unchanged");
        compare(window.historyCount(), 1);

        // At the bottom "back" does nothing, and the history keeps the bottom page.
        window.prevPage();
        compare(window.pageStack.depth, 1);
        compare(window.historyCount(), 1);
    }

    function test_restoresEveryCurrentItemProperty() {
        open(url("PageA"));
        // A test page as start page counts as launched for a request; here it is the main page.
        window.eventPageLaunched = false;
        dataHandler.currentListId = "7";
        dataHandler.currentListName = "friends";
        dataHandler.currentSearchString = "#qt";
        next(url("PageB"), "bob", "21");
        dataHandler.currentListId = "8";
        dataHandler.currentListName = "family";
        dataHandler.currentSearchString = "#meego";
        window.nextPage(url("PageC"), true);
        settle();
        compare(window.eventPageLaunched, true);
        compare(window.historyEntry(2).eventpage, true);
        window.prevPage();
        settle();
        compare(dataHandler.currentUser, "bob");
        compare(dataHandler.currentTweetId, "21");
        compare(dataHandler.currentListId, "7");
        compare(dataHandler.currentListName, "friends");
        compare(dataHandler.currentSearchString, "#qt");
        compare(window.eventPageLaunched, false);
    }

    function test_samePageIsNotOpenedTwice() {
        open(url("PageA"));
        verify(next(url("PageB"), "Alice", "5"));
        // The same page for the same user and tweet, the name in another case.
        compare(next(url("PageB"), "alice", "5"), null);
        compare(next(url("PageB"), "ALICE", "5"), null);
        compare(window.pageStack.depth, 2);
        compare(window.historyCount(), 2);
        // Another tweet, another user or another page is opened.
        verify(next(url("PageB"), "alice", "6"));
        verify(next(url("PageB"), "bob", "6"));
        verify(next(url("PageC"), "bob", "6"));
        compare(window.historyCount(), 5);
    }

    function test_busyStackIgnoresNavigation() {
        open(url("PageA"));
        dataHandler.currentUser = "u1";
        verify(window.nextPage(url("PageB")));
        verify(window.pageStack.busy);
        dataHandler.currentUser = "u2";
        compare(window.nextPage(url("PageC")), null);
        compare(window.replacePage(url("PageC")), null);
        window.homePage();
        compare(homeSpy.count, 0);
        settle();
        compare(stackLabels(), ["A", "B"]);
        compare(window.historyCount(), 2);
    }

    function test_replacePage() {
        open(url("PageA"));
        next(url("PageB"), "u1");
        dataHandler.currentUser = "u2";
        compare(window.replacePage(url("PageC")).label, "C");
        settle();
        compare(stackLabels(), ["A", "C"]);
        compare(historyViews(), [url("PageA"), url("PageC")]);
        compare(window.historyEntry(1).username, "u2");
    }

    function test_startEventPage() {
        open(url("PageA"));
        next(url("PageC"), "u1");
        window.startEventPage(url("PageA"), url("PageB"));
        compare(window.pageStack.currentPage.label, "B");
        compare(stackLabels(), ["A", "B"]);
        compare(window.eventPageLaunched, true);
        compare(historyViews(), [url("PageA"), url("PageB")]);
        window.prevPage();
        settle();
        compare(stackLabels(), ["A"]);
        compare(window.pageStack.currentPage.status, PageStatus.Active);
    }

    function test_startPageClearsEverything() {
        open(url("PageA"));
        next(url("PageB"), "u1");
        next(url("PageC"), "u2");
        window.startPage(url("PageD"));
        compare(stackLabels(), ["D"]);
        compare(historyViews(), [url("PageD")]);
        compare(window.pageStack.currentPage.status, PageStatus.Active);
    }

    function test_homePageAndBackToMain() {
        open(url("PageA"));
        next(url("PageB"), "u1");
        next(url("PageC"), "u2");
        window.homePage();
        compare(stackLabels(), ["A"]);
        compare(window.historyCount(), 1);
        compare(homeSpy.count, 1);
        compare(window.pageStack.busy, false);

        next(url("PageB"), "u1");
        window.backToMain();
        compare(stackLabels(), ["A"]);
        compare(window.historyCount(), 1);
        compare(homeSpy.count, 1);
    }

    function test_errorNotice() {
        open(url("PageA"));
        var notice = findChild(window, "errorNotice");
        var text = findChild(window, "errorText");
        compare(window.errorNoticeTimeout, 2000);
        compare(notice.y, window.statusBarHeight + 80);
        compare(notice.height, 80);
        compare(notice.z, 1000);
        verify(!notice.visible);

        window.showError("Unable to post tweet.");
        window.showError("Unable to retweet.");
        compare(text.text, "Unable to post tweet.");
        compare(notice.state, "shown");
        tryCompare(notice, "opacity", 1);

        // Once the notice has had its time, the next error is shown.
        window.errorNoticeTimeout = 50;
        tryCompare(notice, "state", "", 3000);
        window.showError("Network unavailable");
        compare(text.text, "Network unavailable");
        compare(notice.state, "shown");
    }

    function test_windowActivity() {
        open(url("PageA"));
        window.platformWindow = fakePlatformWindow;
        fakePlatformWindow.active = true;
        compare(dataHandler.names(["setIsOnFullscreen", "emitUpdateTimestamp", "startSyncTimer", "stopSyncTimer"]),
                ["setIsOnFullscreen", "emitUpdateTimestamp", "startSyncTimer"]);
        compare(dataHandler.callsOf("setIsOnFullscreen"), [[true]]);

        dataHandler.calls = [];
        fakePlatformWindow.active = false;
        compare(dataHandler.names(["setIsOnFullscreen", "emitUpdateTimestamp", "startSyncTimer", "stopSyncTimer"]),
                ["setIsOnFullscreen", "stopSyncTimer"]);
        compare(dataHandler.callsOf("setIsOnFullscreen"), [[false]]);

        fakePlatformWindow.visible = false;
        compare(dataHandler.callsOf("setVisible"), [[false]]);
        fakePlatformWindow.visible = true;
        compare(dataHandler.callsOf("setVisible"), [[false], [true]]);
    }

    function test_networkAvailability() {
        open(url("PageA"));
        window.platformWindow = fakePlatformWindow;
        dataHandler.calls = [];
        window.onNetworkAvailableChanged(true);
        compare(dataHandler.names(["startSyncTimer", "stopSyncTimer"]), ["stopSyncTimer"]);
        fakePlatformWindow.active = true;
        dataHandler.calls = [];
        window.onNetworkAvailableChanged(true);
        compare(dataHandler.names(["startSyncTimer", "stopSyncTimer"]), ["startSyncTimer"]);
        dataHandler.calls = [];
        window.onNetworkAvailableChanged(false);
        compare(dataHandler.names(["startSyncTimer", "stopSyncTimer"]), ["stopSyncTimer"]);
    }

    function test_controllerCalls() {
        open(url("PageA"));
        window.mentionsTab();
        window.messagesTab();
        compare(mentionsSpy.count, 1);
        compare(messagesSpy.count, 1);

        window.unreadMentions = true;
        window.unreadMessages = true;
        window.clearNewMentions();
        compare(window.unreadMentions, false);
        compare(window.unreadMessages, true);
        window.clearNewMessages();
        compare(window.unreadMessages, false);
    }

    SignalSpy { id: refreshSpy; signalName: "refresh" }
    SignalSpy { id: saveSpy; signalName: "saveCurrentTweetId" }
    SignalSpy { id: restoreSpy; signalName: "restoreCurrentTweetId" }

    function test_cleanupAndPositionSignals() {
        open(url("PageA"));
        refreshSpy.target = window;
        saveSpy.target = window;
        restoreSpy.target = window;
        window.refreshModels();
        window.prepareCleanup();
        window.doCleanup();
        window.restorePosition(42);
        compare(refreshSpy.count, 1);
        compare(saveSpy.count, 1);
        compare(restoreSpy.count, 1);
        compare(restoreSpy.signalArguments[0][0], 42);
    }
}
