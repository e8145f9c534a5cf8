import QtQuick 2.15

// A spinning wheel that shows that something is being loaded.
Item {
    id: root

    property bool running: false
    property BusyIndicatorStyle platformStyle: BusyIndicatorStyle {}

    readonly property int __size: platformStyle.size === "large" ? 64
                                : platformStyle.size === "medium" ? 32 : 24

    implicitWidth: __size
    implicitHeight: __size

    Image {
        id: wheel
        anchors.fill: parent
        sourceSize.width: width
        sourceSize.height: height
        smooth: true
        source: root.platformStyle.inverted ? "image://theme/meegotouch-busy-spinner-inverted"
                                            : "image://theme/meegotouch-busy-spinner"

        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: root.platformStyle.period
            loops: Animation.Infinite
            running: root.running && root.visible
        }
    }
}
