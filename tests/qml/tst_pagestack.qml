import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "pages"

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

    function settle() {
        tryCompare(stack, "busy", false);
        wait(0);
    }

    function test_pushAndPop() {
        var a = stack.push(url("PageA"));
        // The first page has nothing to slide over: it is there at once.
        compare(stack.busy, false);
        compare(a.statusLog, [PageStatus.Activating, PageStatus.Active]);
        compare(a.pageStack, stack);
        compare(frame.toolBar.tools, a.tools);

        var b = stack.push(url("PageB"));
        compare(stack.depth, 2);
        compare(stack.currentPage, b);
        verify(stack.busy);
        compare([a.status, b.status], [PageStatus.Deactivating, PageStatus.Activating]);
        compare([a.parent.state, b.parent.state], ["left", ""]);
        compare(frame.toolBar.tools, b.tools);
        settle();
        compare([a.status, b.status], [PageStatus.Inactive, PageStatus.Active]);
        verify(!a.visible);

        compare(stack.pop(), b);
        compare(stack.currentPage, a);
        compare(b.parent.state, "right");
        compare(a.status, PageStatus.Activating);
        settle();
        compare(a.status, PageStatus.Active);
        compare(frame.toolBar.tools, a.tools);
        // A page the stack made is destroyed when it leaves.
        compare(destroyedPages(), ["B"]);
        // Nothing below the last page.
        compare(stack.pop(), null);
        compare(stack.depth, 1);

        // Components with properties, and immediate moves.
        var c = stack.push(pageComponent, { "label": "second" }, true);
        compare(c.label, "second");
        compare([a.status, c.status, stack.busy], [PageStatus.Inactive, PageStatus.Active, false]);
        stack.pop(undefined, true);
        compare([a.status, stack.busy], [PageStatus.Active, false]);
        compare(destroyedPages(), ["B", "second"]);
    }

    function test_itemPagesAndSameInstance() {
        var item = createTemporaryObject(pageComponent, owner, { "label": "item" });
        stack.push(url("PageA"), undefined, true);
        compare(stack.push(item, { "extra": "given" }, true), item);
        compare(item.extra, "given");
        compare(thrown(function () { stack.push(item); }), sameInstance);
        compare(stack.depth, 2);
        // Replacing the page above the item by the item again would put it twice in a row.
        stack.push(url("PageB"), undefined, true);
        compare(thrown(function () { stack.replace(item); }), sameInstance);
        compare(stack.currentPage.label, "B");
        stack.pop(undefined, true);
        // An item page goes back to its owner, not destroyed.
        stack.pop(undefined, true);
        compare(item.parent, owner);
        compare(item.status, PageStatus.Inactive);
        verify(!item.visible);
        compare(destroyedPages(), ["B"]);

        var message = thrown(function () { stack.push(url("Broken")); });
        verify(message.indexOf("Error while loading page: ") === 0, message);
        compare(stack.depth, 1);
    }

    function test_replaceAndPopTo() {
        var a = stack.push(url("PageA"));
        var b = stack.replace(url("PageB"));
        compare(stack.depth, 1);
        compare([a.parent.state, b.parent.state], ["back", ""]);
        settle();
        compare(b.status, PageStatus.Active);
        compare(destroyedPages(), ["A"]);
        compare(frame.toolBar.tools, b.tools);

        stack.push(url("PageC"), undefined, true);
        stack.push(url("PageD"), undefined, true);
        compare(stack.pop(b).label, "D");
        settle();
        compare(stack.currentPage, b);
        compare(destroyedPages(), ["A", "C", "D"]);
        stack.push(url("PageE"), undefined, true);
        stack.pop(null, true);
        compare(stack.depth, 1);
        compare(b.status, PageStatus.Active);
        compare(destroyedPages(), ["A", "C", "D", "E"]);
    }

    function test_insertAndRemove() {
        var b = stack.push(url("PageB"), undefined, true);
        var a = stack.insert(0, url("PageA"));
        compare(stack.currentPage, b);
        compare(a.status, PageStatus.Inactive);
        verify(!a.visible);
        // The top page is never removed.
        stack.remove(1, 1);
        stack.remove(0, 2);
        compare(stack.depth, 2);
        stack.push(url("PageC"), undefined, true);
        stack.remove(1, 1);
        compare(stack.depth, 2);
        compare(destroyedPages(), ["B"]);
        compare(stack.find(function (p) { return p.label === "A"; }), a);
        stack.pop(undefined, true);
        compare(a.status, PageStatus.Active);
        verify(a.visible);
    }

    function test_interruptedTransitionsAndClear() {
        stack.push(url("PageA"));
        stack.push(url("PageB"));
        // Back before the push has finished.
        stack.pop();
        settle();
        compare(stack.depth, 1);
        compare(stack.currentPage.status, PageStatus.Active);
        verify(stack.currentPage.visible);
        stack.push(url("PageC"));
        stack.replace(url("PageD"));
        stack.pop();
        settle();
        compare(stack.__ongoingTransitionCount, 0);
        compare(stack.currentPage.label, "A");

        var item = createTemporaryObject(pageComponent, owner, { "label": "item" });
        stack.push(item, undefined, true);
        stack.push(url("PageE"));
        stack.clear();
        compare([stack.depth, stack.currentPage, stack.busy], [0, null, false]);
        compare(item.parent, owner);
        compare(destroyedPages(), ["A", "B", "C", "D", "E"]);
        compare(frame.toolBar.tools, null);
    }
}
