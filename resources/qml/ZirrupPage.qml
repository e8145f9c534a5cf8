import QtQuick 2.15
import com.orvik.meego 1.0

// A page on the light list background. Presses that the content does not take stop here, so they
// never reach the page below during a transition. When the page becomes active it takes the
// keyboard focus, for initialFocusItem if it names one, unless something on it has it already.
Page {
    id: page

    property Item initialFocusItem: null

    function __takeFocus() {
        // The page itself holding the focus is no choice made on it.
        if (page.status !== PageStatus.Active || !page.visible
                || (page.activeFocus && page.Window.activeFocusItem !== page))
            return;
        if (page.initialFocusItem && page.initialFocusItem.visible)
            page.initialFocusItem.forceActiveFocus();
        else
            page.forceActiveFocus();
    }

    // Content that shows once its data arrives takes the focus the page held meanwhile.
    readonly property bool __focusItemShown: initialFocusItem !== null && initialFocusItem.visible
    on__FocusItemShownChanged: if (__focusItemShown) Qt.callLater(page.__takeFocus)

    orientationLock: window.orientationLock
    // A page in a tab group gets its turn after the page holding the group.
    onStatusChanged: if (status === PageStatus.Active) Qt.callLater(page.__takeFocus)

    Rectangle {
        anchors.fill: parent
        color: "#F2F2F2"
        z: -1

        MouseArea {
            anchors.fill: parent
        }
    }
}
