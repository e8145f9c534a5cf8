import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "pages"

// The root window: start-up, history-backed navigation, the error notice and what it tells the
// controller about the window; and the page stack under it on its own: statuses and tool bar
// through the transitions, the pages it destroys, item pages and what it refuses.
PageTestCase {
    id: testCase
    name: "Window"

    property var window: null
    property var frame: null
    property var stack: null
    readonly property string sameInstance: "Cannot navigate so that the resulting page stack has two consecutive entries of the same page instance."

    Component {
        id: stackComponent
        Item {
            property alias stack: stack
            property alias toolBar: toolBar
            anchors.fill: parent
            ZirrupPageStack { id: stack; width: 480; height: 700; toolBar: toolBar }
            ToolBar { id: toolBar; y: 700 }
        }
    }

    Component { id: pageComponent; StackPage {} }
    Item { id: owner }

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

    // A page stack of its own, with transitions short enough to keep the test quick.
    function newStack() {
        frame = createTemporaryObject(stackComponent, testCase);
        stack = frame.stack;
        stack.transitionDuration = 40;
    }

    // The pages destroyed so far (destruction is deferred to the event loop).
    function destroyedPages() {
        wait(0);
        return dataHandler.callsOf("pageDestroyed").map(function (args) { return args[0]; }).sort();
    }

    // The message of what fn throws; the test fails when it throws nothing.
    function thrown(fn) {
        try {
            fn();
        } catch (e) {
            return e.message;
        }
        fail("nothing thrown");
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
        compare([dataHandler.callsAmong(["startTab", "startView"]), window.eventPageLaunched, historyViews(), window.pageStack.currentPage.status],
                [["startTab()", "startView()"], data.eventPage, [view], PageStatus.Active]);
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
        // The pages the window drops are destroyed.
        compare([window.eventPageLaunched, stackLabels(), destroyedPages(), historyViews()],
                [true, ["A", "D", "E"], ["B", "C"], [url("PageA"), url("PageB"), url("PageC"), url("PageD"), url("PageE")]]);
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
        compare(dataHandler.callsAmong(calls), ["setIsOnFullscreen(true)", "emitUpdateTimestamp()", "startSyncTimer()"]);
        dataHandler.calls = [];
        fakePlatformWindow.active = false;
        compare(dataHandler.callsAmong(calls), ["setIsOnFullscreen(false)", "stopSyncTimer()"]);
        fakePlatformWindow.visible = false;
        fakePlatformWindow.visible = true;
        compare(dataHandler.callsOf("setVisible"), [[false], [true]]);

        // The network coming back restarts syncing only in an active window.
        dataHandler.calls = [];
        window.onNetworkAvailableChanged(true);
        compare(dataHandler.callsAmong(["startSyncTimer", "stopSyncTimer"]), ["stopSyncTimer()"]);
        fakePlatformWindow.active = true;
        dataHandler.calls = [];
        window.onNetworkAvailableChanged(true);
        window.onNetworkAvailableChanged(false);
        compare(dataHandler.callsAmong(["startSyncTimer", "stopSyncTimer"]), ["startSyncTimer()", "stopSyncTimer()"]);
    }

    function test_pushPopAndPopTo() {
        newStack();
        var a = stack.push(url("PageA"));
        // The first page has nothing to slide over: it is there at once.
        compare([stack.busy, a.statusLog, frame.toolBar.tools], [false, [PageStatus.Activating, PageStatus.Active], a.tools]);

        var b = stack.push(url("PageB"));
        compare([a.status, b.status, stack.busy, frame.toolBar.tools], [PageStatus.Deactivating, PageStatus.Activating, true, b.tools]);
        settle(stack);
        compare([a.status, b.status, a.visible], [PageStatus.Inactive, PageStatus.Active, false]);

        compare(stack.pop(), b);
        compare([stack.currentPage, a.status, frame.toolBar.tools], [a, PageStatus.Activating, a.tools]);
        settle(stack);
        // A page the stack made is destroyed when it leaves; nothing goes below the last page.
        compare([a.status, destroyedPages(), stack.pop()], [PageStatus.Active, ["B"], null]);

        // Popping to a page destroys every page above it.
        stack.push(url("PageC"), undefined, true);
        stack.push(url("PageD"), undefined, true);
        compare(stack.pop(a).label, "D");
        settle(stack);
        compare([stack.currentPage, stack.depth, destroyedPages()], [a, 1, ["B", "C", "D"]]);
        // Components with properties, and immediate moves.
        var e = stack.push(pageComponent, { "label": "E" }, true);
        compare([a.status, e.status, stack.busy], [PageStatus.Inactive, PageStatus.Active, false]);
        stack.pop(undefined, true);
        compare([a.status, stack.busy, destroyedPages()], [PageStatus.Active, false, ["B", "C", "D", "E"]]);
    }

    function test_itemPagesAndErrors() {
        newStack();
        var item = createTemporaryObject(pageComponent, owner, { "label": "item" });
        stack.push(url("PageA"), undefined, true);
        compare([stack.push(item, { "extra": "given" }, true), item.extra], [item, "given"]);
        compare(thrown(function () { stack.push(item); }), sameInstance);
        // Replacing the page above the item by the item again would put it twice in a row.
        stack.push(url("PageB"), undefined, true);
        compare([thrown(function () { stack.replace(item); }), stack.currentPage.label], [sameInstance, "B"]);
        stack.pop(undefined, true);
        // An item page goes back to its owner, not destroyed.
        stack.pop(undefined, true);
        compare([item.parent, item.status, item.visible, destroyedPages()], [owner, PageStatus.Inactive, false, ["B"]]);

        var message = thrown(function () { stack.push(url("Broken")); });
        compare([message.indexOf("Error while loading page: "), stack.depth], [0, 1], message);
    }

    function test_interruptedTransitionsAndClear() {
        newStack();
        stack.push(url("PageA"));
        stack.push(url("PageB"));
        // Back before the push has finished.
        stack.pop();
        settle(stack);
        compare([stack.depth, stack.currentPage.status, stack.currentPage.visible], [1, PageStatus.Active, true]);
        stack.push(url("PageC"));
        stack.replace(url("PageD"));
        stack.pop();
        settle(stack);
        compare([stack.__ongoingTransitionCount, stack.currentPage.label], [0, "A"]);

        var item = createTemporaryObject(pageComponent, owner, { "label": "item" });
        stack.push(item, undefined, true);
        stack.push(url("PageE"));
        stack.clear();
        compare([stack.depth, stack.currentPage, stack.busy, item.parent, destroyedPages(), frame.toolBar.tools],
                [0, null, false, owner, ["A", "B", "C", "D", "E"], null]);
    }
}
