import QtQuick 2.15

// The list of the tweet pages, with the keys of a desktop list: Up and Down move the current row,
// Page Up and Page Down move it by a screenful, Home and End go to the first and last row, Return
// opens the current row and the menu key (or Shift+F10) opens its menu. The current row is
// framed while the list has the focus.
ListView {
    id: list

    // About the rows on one screen, at least one.
    function pageRows() {
        var rowHeight = currentItem ? currentItem.height : 0;
        return rowHeight > 0 ? Math.max(1, Math.floor(height / rowHeight)) : 1;
    }

    function moveCurrent(index) {
        if (count === 0)
            return;
        currentIndex = Math.max(0, Math.min(count - 1, index));
        positionViewAtIndex(currentIndex, ListView.Contain);
    }

    activeFocusOnTab: true
    keyNavigationEnabled: true

    Accessible.role: Accessible.List

    Keys.onPressed: (event) => {
        switch (event.key) {
        case Qt.Key_PageDown:
            moveCurrent(currentIndex + pageRows());
            break;
        case Qt.Key_PageUp:
            moveCurrent(currentIndex - pageRows());
            break;
        case Qt.Key_Home:
            moveCurrent(0);
            positionViewAtBeginning();
            break;
        case Qt.Key_End:
            moveCurrent(count - 1);
            break;
        case Qt.Key_Return:
        case Qt.Key_Enter:
            if (event.modifiers & Qt.ControlModifier || !currentItem || currentItem.open === undefined)
                return;
            currentItem.open();
            break;
        case Qt.Key_Menu:
        case Qt.Key_F10:
            if ((event.key === Qt.Key_F10 && !(event.modifiers & Qt.ShiftModifier))
                    || !currentItem || currentItem.openMenu === undefined)
                return;
            currentItem.openMenu();
            break;
        default:
            return;
        }
        event.accepted = true;
    }
}
