import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// The root window: start-up, history-backed navigation, the error notice and what it tells the
// controller about the window.
PageTestCase {
    id: testCase
    name: "Window"

    property var window: null

    QtObject {
        id: fakePlatformWindow
        property bool active: false
        property bool visible: true
    }

    SignalSpy { id: homeSpy; signalName: "showHomePage" }

    function url(name) {
        return Qt.resolvedUrl("pages/" + name + ".qml").toString();
    }

    function open(startView, startTab) {
        dataHandler.startTabResult = startTab || "Timeline";
        window = startWindow(startView);
        homeSpy.target = window;
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

    function back() {
        window.prevPage();
        settle();
    }

    function setUp() {
        homeSpy.clear();
        fakePlatformWindow.active = false;
        fakePlatformWindow.visible = true;
    }

    function test_startUp_data() {
        return testContext.readJson("data/window.json").startUp;
    }

    function test_startUp(data) {
        var view = data.eventPage ? url(data.view) : data.view;
        open(view, data.tab);
        compare([dataHandler.names(["startTab", "startView"]), window.eventPageLaunched, historyViews(), window.pageStack.currentPage.status],
                [["startTab", "startView"], data.eventPage, [view], PageStatus.Active]);
        if (data.shown)
            compare(window.pageStack.currentPage.tabGroup.currentTab.objectName, data.shown);
    }

    function test_nextPageKeepsThreePagesAndBackRestoresSubjects() {
        open(url("PageA"));
        // A test page as start page counts as launched for a request; here it is the main page.
        window.eventPageLaunched = false;
        dataHandler.currentListId = "7";
        dataHandler.currentListName = "friends";
        dataHandler.currentSearchString = "#qt";
        compare(next(url("PageB"), "u1", "11").label, "B");
        dataHandler.currentListId = "8";
        dataHandler.currentListName = "family";
        dataHandler.currentSearchString = "#meego";
        next(url("PageC"), "u2", "12");
        next(url("PageD"), "u3", "13");
        dataHandler.currentUser = "u4";
        window.nextPage(url("PageE"), true);
        settle();
        // The pages the window drops are destroyed (destruction waits for the event loop).
        wait(0);
        compare([window.eventPageLaunched, stackLabels(), dataHandler.callsOf("pageDestroyed"), historyViews()],
                [true, ["A", "D", "E"], [["B"], ["C"]], [url("PageA"), url("PageB"), url("PageC"), url("PageD"), url("PageE")]]);
        var entry = window.historyEntry(2);
        compare([entry.username, entry.tweetid, window.historyEntry(4).eventpage], ["u2", "12", true]);

        // Back to D: C is made again below it, and the controller names D's subject.
        back();
        compare([stackLabels(), dataHandler.currentUser, dataHandler.currentTweetId, window.pageStack.currentPage.shownUser,
                 window.eventPageLaunched], [["A", "C", "D"], "u3", "13", "u3", false]);
        // Back to C, which shows C's subject although it was made while D was current.
        back();
        compare([stackLabels(), window.pageStack.currentPage.shownUser], [["A", "B", "C"], "u2"]);
        // Back to B: every subject of its time comes back.
        back();
        compare([stackLabels(), dataHandler.currentUser, dataHandler.currentTweetId, dataHandler.currentListId,
                 dataHandler.currentListName, dataHandler.currentSearchString], [["A", "B"], "u1", "11", "7", "friends", "#qt"]);
        // Back to the bottom page: the history has nothing left to restore, and "back" stops there.
        dataHandler.currentUser = "unchanged";
        back();
        back();
        compare([stackLabels(), dataHandler.currentUser, window.historyCount()], [["A"], "unchanged", 1]);
    }

    function test_samePageIsNotOpenedTwice() {
        open(url("PageA"));
        // The same page for the same user and tweet (the name in another case) is not opened again;
        // another tweet, another user or another page is.
        var opened = [["B", "Alice", "5"], ["B", "alice", "5"], ["B", "ALICE", "5"], ["B", "alice", "6"], ["B", "bob", "6"],
                      ["C", "bob", "6"]].map(function (a) { return next(url("Page" + a[0]), a[1], a[2]) !== null; });
        compare([opened, window.historyCount()], [[true, false, false, true, true, true], 5]);

        // A busy stack ignores navigation.
        dataHandler.currentUser = "u1";
        verify(window.nextPage(url("PageD")));
        var refused = [window.nextPage(url("PageE")), window.replacePage(url("PageE"))];
        window.homePage();
        settle();
        compare([refused, homeSpy.count, window.historyCount()], [[null, null], 0, 6]);
    }

    function test_replaceStartAndHome() {
        open(url("PageA"));
        next(url("PageB"), "u1");
        dataHandler.currentUser = "u2";
        compare(window.replacePage(url("PageC")).label, "C");
        settle();
        compare([stackLabels(), historyViews(), window.historyEntry(1).username], [["A", "C"], [url("PageA"), url("PageC")], "u2"]);

        window.startEventPage(url("PageA"), url("PageB"));
        compare([stackLabels(), window.eventPageLaunched, historyViews()], [["A", "B"], true, [url("PageA"), url("PageB")]]);

        next(url("PageC"), "u3");
        window.homePage();
        compare([stackLabels(), window.historyCount(), homeSpy.count], [["A"], 1, 1]);
        next(url("PageB"), "u1");
        window.backToMain();
        compare([stackLabels(), window.historyCount()], [["A"], 1]);

        window.startPage(url("PageD"));
        compare([stackLabels(), historyViews(), window.pageStack.currentPage.status], [["D"], [url("PageD")], PageStatus.Active]);
    }

    function test_errorNotice() {
        open(url("PageA"));
        var notice = findChild(window, "errorNotice");
        var text = findChild(window, "errorText");
        verify(!notice.visible);
        // A second error while the first is shown does not replace it.
        window.showError("Unable to post tweet.");
        window.showError("Unable to retweet.");
        compare(text.text, "Unable to post tweet.");
        tryCompare(notice, "opacity", 1);
        // Once the notice has had its time, the next error is shown.
        window.errorNoticeTimeout = 50;
        tryCompare(notice, "state", "", 3000);
        window.showError("Network unavailable");
        compare([text.text, notice.state], ["Network unavailable", "shown"]);
    }

    function test_windowActivity() {
        open(url("PageA"));
        var calls = ["setIsOnFullscreen", "emitUpdateTimestamp", "startSyncTimer", "stopSyncTimer"];
        window.platformWindow = fakePlatformWindow;
        fakePlatformWindow.active = true;
        compare(dataHandler.names(calls), ["setIsOnFullscreen", "emitUpdateTimestamp", "startSyncTimer"]);
        dataHandler.calls = [];
        fakePlatformWindow.active = false;
        compare(dataHandler.callsAmong(calls), ["setIsOnFullscreen(false)", "stopSyncTimer()"]);
        fakePlatformWindow.visible = false;
        fakePlatformWindow.visible = true;
        compare(dataHandler.callsOf("setVisible"), [[false], [true]]);

        // The network coming back restarts syncing only in an active window.
        dataHandler.calls = [];
        window.onNetworkAvailableChanged(true);
        compare(dataHandler.names(["startSyncTimer", "stopSyncTimer"]), ["stopSyncTimer"]);
        fakePlatformWindow.active = true;
        dataHandler.calls = [];
        window.onNetworkAvailableChanged(true);
        window.onNetworkAvailableChanged(false);
        compare(dataHandler.names(["startSyncTimer", "stopSyncTimer"]), ["startSyncTimer", "stopSyncTimer"]);
    }
}
