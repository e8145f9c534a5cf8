import QtQuick 2.15

// A menu about one item, opened by a long press; it behaves like Menu.
Menu {
}
