import QtQuick 2.15

// Stacks MenuItems in a menu.
Column {
    width: parent ? parent.width : 0
    spacing: 8
}
