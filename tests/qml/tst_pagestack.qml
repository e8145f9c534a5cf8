import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "pages"

// The page stack on its own: statuses and tool bar through the transitions, the pages it destroys,
// item pages and what it refuses. Insert and remove are driven through the window in tst_window.
PageTestCase {
    id: testCase
    name: "PageStack"

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

    property var frame: null
    property var stack: null

    function url(name) {
        return Qt.resolvedUrl("pages/" + name + ".qml");
    }

    // The pages destroyed so far (destruction is deferred to the event loop).
    function destroyedPages() {
        wait(0);
        return dataHandler.callsOf("pageDestroyed").map(function (args) { return args[0]; }).sort();
    }

    function setUp() {
        frame = createTemporaryObject(stackComponent, testCase);
        stack = frame.stack;
        // Shorter transitions keep the test quick; what is tested is their order, not their length.
        stack.transitionDuration = 40;
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

    function test_pushPopAndPopTo() {
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
