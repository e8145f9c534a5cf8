import QtQuick 2.15
import com.orvik.meego 1.0
import "ZirrupPageStack.js" as Engine

// The stack of pages of the window. Pages are pushed as components, as file names relative to this
// folder (each file is loaded once) or as items. Push slides the new page in from the right, pop
// the other way, replace zooms; each transition takes 500 ms, and `busy` is true while any runs.
Item {
    id: root

    property int depth: 0
    property Item currentPage: null
    property Item toolBar: null
    property bool busy: __ongoingTransitionCount > 0
    property int transitionDuration: 500
    property int __ongoingTransitionCount: 0

    function push(page, properties, immediate) {
        return Engine.push(page, properties, false, immediate);
    }
    function replace(page, properties, immediate) {
        return Engine.push(page, properties, true, immediate);
    }
    function pop(page, immediate) {
        return Engine.pop(page, immediate);
    }
    function insert(index, page, properties) {
        return Engine.insert(index, page, properties);
    }
    function remove(index, howmany) {
        Engine.remove(index, howmany);
    }
    function clear() {
        Engine.clear();
    }
    function find(func) {
        return Engine.find(func);
    }
    function resolve(page) {
        return String(Qt.resolvedUrl(page));
    }

    width: parent ? parent.width : 0
    height: parent ? parent.height : 0

    Component {
        id: containerComponent

        Item {
            id: container

            property Item page: null
            // The parent of a page given as an item, which gets it back when it leaves.
            property Item owner: null
            property bool ownsPage: false
            property bool animated: false
            property bool transitionActive: false
            property bool changingState: false
            // What to do when the running transition ends: "enter", "exit", "cleanup" or "".
            property string pendingAction: ""

            width: parent ? parent.width : 0
            height: parent ? parent.height : 0

            function pushEnter(immediate, replace) {
                enter(replace ? "front" : "right", immediate);
            }
            function popEnter(immediate) {
                enter("left", immediate);
            }
            function pushExit(immediate) {
                exit("left", immediate, "exit");
            }
            function popExit(immediate) {
                exit("right", immediate, "cleanup");
            }
            function replaceExit(immediate) {
                exit("back", immediate, "cleanup");
            }

            function enter(from, immediate) {
                finishTransition();
                if (!immediate)
                    goTo(from, false, "");
                else
                    goTo("", false, "");
                page.visible = true;
                page.status = PageStatus.Activating;
                goTo("", !immediate, "enter");
            }

            function exit(to, immediate, action) {
                finishTransition();
                if (page.status !== PageStatus.Inactive)
                    page.status = PageStatus.Deactivating;
                goTo(to, !immediate, action);
            }

            function goTo(newState, animate, action) {
                finishTransition();
                pendingAction = action;
                if (animate && state !== newState) {
                    transitionActive = true;
                    root.__ongoingTransitionCount++;
                    animated = true;
                    changingState = true;
                    state = newState;
                    changingState = false;
                    if (!pageTransition.running)
                        finishTransition();
                } else {
                    animated = false;
                    state = newState;
                    runAction();
                }
            }

            function finishTransition() {
                if (!transitionActive)
                    return;
                transitionActive = false;
                root.__ongoingTransitionCount--;
                runAction();
            }

            function runAction() {
                var action = pendingAction;
                pendingAction = "";
                if (action === "enter") {
                    page.status = PageStatus.Active;
                } else if (action === "exit") {
                    hide();
                } else if (action === "cleanup") {
                    cleanup();
                }
            }

            function hide() {
                animated = false;
                state = "hidden";
                if (page) {
                    page.visible = false;
                    page.status = PageStatus.Inactive;
                }
            }

            // Takes the page off the stack for good: destroyed if the stack made it, otherwise
            // given back to its former parent.
            function cleanup() {
                if (transitionActive) {
                    transitionActive = false;
                    root.__ongoingTransitionCount--;
                }
                pendingAction = "";
                hide();
                if (page) {
                    if (ownsPage) {
                        page.destroy();
                    } else {
                        page.parent = owner;
                    }
                }
                page = null;
                container.destroy();
            }

            states: [
                State {
                    name: "left"
                    PropertyChanges { target: container; x: -container.width }
                },
                State {
                    name: "right"
                    PropertyChanges { target: container; x: container.width }
                },
                State {
                    name: "front"
                    PropertyChanges { target: container; scale: 1.5; opacity: 0 }
                },
                State {
                    name: "back"
                    PropertyChanges { target: container; scale: 0.5; opacity: 0 }
                },
                State {
                    name: "hidden"
                    PropertyChanges { target: container; visible: false }
                }
            ]

            transitions: Transition {
                id: pageTransition
                enabled: container.animated

                NumberAnimation {
                    properties: "x,scale,opacity"
                    duration: root.transitionDuration
                    easing.type: Easing.InOutExpo
                }

                onRunningChanged: {
                    if (!running && !container.changingState)
                        container.finishTransition();
                }
            }
        }
    }
}
