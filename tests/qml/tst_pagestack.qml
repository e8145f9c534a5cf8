import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "pages"

TestCase {
    id: testCase
    name: "PageStack"
    width: 480
    height: 854
    visible: true
    when: windowShown

    readonly property string sameInstance: "Cannot navigate so that the resulting page stack has two consecutive entries of the same page instance."

    Component {
        id: stackComponent
        Item {
            property alias stack: stack
            property alias toolBar: toolBar
            anchors.fill: parent

            ZirrupPageStack {
                id: stack
                width: 480
                height: 700
                toolBar: toolBar
            }
            ToolBar {
                id: toolBar
                y: 700
            }
        }
    }

    Component {
        id: pageComponent
        StackPage {}
    }

    Item {
        id: owner
    }

    property var frame: null
    property var stack: null

    function url(name) {
        return Qt.resolvedUrl("pages/" + name + ".qml");
    }

    // The pages destroyed so far (destruction is deferred to the event loop).
    function destroyedPages() {
        wait(0);
        return dataHandler.callsOf("pageDestroyed").map(function (args) { return args[0]; });
    }

    function init() {
        testContext.reset();
        frame = createTemporaryObject(stackComponent, testCase);
        stack = frame.stack;
        compare(stack.transitionDuration, 500);
        // Shorter transitions keep the test quick; what is tested is their order, not their length.
        stack.transitionDuration = 40;
        failOnWarning(/.?/);
    }

    function settle() {
        tryCompare(stack, "busy", false);
        wait(0);
    }

    function test_pushAndPop() {
        var a = stack.push(url("PageA"));
        // The first page has nothing to slide over: it is there at once.
        compare(stack.busy, false);
        compare(stack.depth, 1);
        compare(stack.currentPage, a);
        compare(a.status, PageStatus.Active);
        compare(a.statusLog, [PageStatus.Activating, PageStatus.Active]);
        compare(a.pageStack, stack);
        verify(a.visible);
        compare(frame.toolBar.tools, a.tools);

        var b = stack.push(url("PageB"));
        compare(stack.depth, 2);
        compare(stack.currentPage, b);
        verify(stack.busy);
        compare(b.status, PageStatus.Activating);
        compare(a.status, PageStatus.Deactivating);
        compare(a.parent.state, "left");
        compare(b.parent.state, "");
        compare(frame.toolBar.tools, b.tools);
        settle();
        compare(b.status, PageStatus.Active);
        compare(a.status, PageStatus.Inactive);
        compare(a.parent.state, "hidden");
        verify(!a.visible);

        var popped = stack.pop();
        compare(popped, b);
        compare(stack.depth, 1);
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
        compare(stack.currentPage, a);
    }

    function test_immediateAndComponents() {
        var a = stack.push(pageComponent, { "label": "first" });
        compare(a.label, "first");
        var b = stack.push(pageComponent, { "label": "second" }, true);
        compare(stack.busy, false);
        compare(b.status, PageStatus.Active);
        compare(a.status, PageStatus.Inactive);
        stack.pop(undefined, true);
        compare(stack.busy, false);
        compare(a.status, PageStatus.Active);
        compare(destroyedPages(), ["second"]);
    }

    function test_itemPagesGoBackToTheirOwner() {
        var item = createTemporaryObject(pageComponent, owner, { "label": "item" });
        stack.push(url("PageA"), undefined, true);
        compare(stack.push(item, { "extra": "given" }, true), item);
        compare(item.extra, "given");
        verify(item.parent !== owner);
        stack.pop(undefined, true);
        compare(item.parent, owner);
        compare(item.status, PageStatus.Inactive);
        verify(!item.visible);
        compare(destroyedPages(), []);
    }

    function test_sameInstanceTwice() {
        var item = createTemporaryObject(pageComponent, owner, { "label": "item" });
        stack.push(item, undefined, true);
        try {
            stack.push(item);
            fail("pushing the current page again must throw");
        } catch (e) {
            compare(e.message, sameInstance);
        }
        compare(stack.depth, 1);
        compare(stack.busy, false);

        // Replacing the page above the item by the item again would put it twice in a row.
        stack.push(url("PageA"), undefined, true);
        try {
            stack.replace(item);
            fail("replacing so that the item follows itself must throw");
        } catch (e) {
            compare(e.message, sameInstance);
        }
        compare(stack.depth, 2);
        compare(stack.currentPage.label, "A");
        // The same component twice gives two instances and is fine.
        stack.push(pageComponent, undefined, true);
        stack.push(pageComponent, undefined, true);
        compare(stack.depth, 4);
    }

    function test_loadErrors() {
        stack.push(url("PageA"), undefined, true);
        var message = "";
        try {
            stack.push(url("Missing"));
        } catch (e) {
            message = e.message;
        }
        verify(message.indexOf("Error while loading page: ") === 0, message);
        verify(message.indexOf("Missing.qml") > 0, message);
        try {
            stack.push(url("Broken"));
            message = "";
        } catch (e) {
            message = e.message;
        }
        verify(message.indexOf("Error while loading page: ") === 0, message);
        compare(stack.depth, 1);
        compare(stack.currentPage.label, "A");
    }

    function test_replace() {
        var a = stack.push(url("PageA"));
        var b = stack.replace(url("PageB"));
        compare(stack.depth, 1);
        compare(stack.currentPage, b);
        compare(b.parent.state, "");
        compare(a.parent.state, "back");
        verify(stack.busy);
        settle();
        compare(b.status, PageStatus.Active);
        compare(destroyedPages(), ["A"]);
        compare(frame.toolBar.tools, b.tools);
    }

    function test_popToPageAndToBottom() {
        var a = stack.push(url("PageA"), undefined, true);
        var b = stack.push(url("PageB"), undefined, true);
        stack.push(url("PageC"), undefined, true);
        stack.push(url("PageD"), undefined, true);
        compare(stack.depth, 4);

        compare(stack.pop(b).label, "D");
        settle();
        compare(stack.depth, 2);
        compare(stack.currentPage, b);
        compare(destroyedPages().sort(), ["C", "D"]);

        stack.push(url("PageE"), undefined, true);
        stack.pop(null, true);
        compare(stack.depth, 1);
        compare(stack.currentPage, a);
        compare(a.status, PageStatus.Active);
        compare(destroyedPages().sort(), ["B", "C", "D", "E"]);
    }

    function test_insertAndRemove() {
        var b = stack.push(url("PageB"), undefined, true);
        var a = stack.insert(0, url("PageA"));
        compare(stack.depth, 2);
        compare(stack.currentPage, b);
        compare(a.status, PageStatus.Inactive);
        verify(!a.visible);
        compare(stack.busy, false);

        // The top page is never removed.
        stack.remove(1, 1);
        compare(stack.depth, 2);
        stack.remove(0, 2);
        compare(stack.depth, 2);
        compare(destroyedPages(), []);

        stack.push(url("PageC"), undefined, true);
        stack.remove(1, 1);
        compare(stack.depth, 2);
        compare(destroyedPages(), ["B"]);
        compare(stack.find(function (p) { return p.label === "B"; }), null);
        compare(stack.find(function (p) { return p.label === "A"; }), a);

        stack.pop(undefined, true);
        compare(stack.currentPage, a);
        compare(a.status, PageStatus.Active);
        verify(a.visible);
    }

    function test_arrayPush() {
        var pages = stack.push([url("PageA"), { "page": url("PageB"), "properties": { "extra": "bob" } }]);
        compare(stack.depth, 2);
        compare(pages.label, "B");
        compare(pages.extra, "bob");
        var a = stack.find(function (p) { return p.label === "A"; });
        verify(!a.visible);
        compare(a.status, PageStatus.Inactive);
    }

    function test_interruptedTransitionsLeaveTheStackUsable() {
        stack.push(url("PageA"));
        var b = stack.push(url("PageB"));
        verify(stack.busy);
        // Back before the push has finished.
        stack.pop();
        settle();
        compare(stack.depth, 1);
        compare(stack.currentPage.status, PageStatus.Active);
        verify(stack.currentPage.visible);
        compare(destroyedPages(), ["B"]);

        stack.push(url("PageC"));
        stack.replace(url("PageD"));
        stack.pop();
        settle();
        compare(stack.__ongoingTransitionCount, 0);
        compare(stack.currentPage.label, "A");
    }

    function test_clear() {
        var item = createTemporaryObject(pageComponent, owner, { "label": "item" });
        stack.push(url("PageA"), undefined, true);
        stack.push(item, undefined, true);
        stack.push(url("PageB"));
        stack.clear();
        compare(stack.depth, 0);
        compare(stack.currentPage, null);
        compare(stack.busy, false);
        compare(item.parent, owner);
        compare(destroyedPages().sort(), ["A", "B"]);
        compare(frame.toolBar.tools, null);
    }
}
