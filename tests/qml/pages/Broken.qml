import QtQuick 2.15

Item {
    property int value: "not a number"
    undefinedProperty: 1
}
