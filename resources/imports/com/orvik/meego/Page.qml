import QtQuick 2.15

// One screen of the program. The page stack shows it, sets its status and hands its tools to the
// tool bar. A page is a focus scope, so the control that had the focus on it has it again when
// the page comes back.
FocusScope {
    id: root

    property int status: PageStatus.Inactive
    property Item pageStack: null
    property Item tools: null
    property int orientationLock: PageOrientation.Automatic

    visible: false
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
}
