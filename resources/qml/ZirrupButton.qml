import QtQuick 2.15
import com.orvik.meego 1.0

// The program's push button: blue on the top pane, the dialog colours in dialogs, the sheet
// button elsewhere. The label shrinks so that it always fits.
Button {
    id: root

    property color textColor: isTopButton || isDialogButton ? "#FFFFFF" : (inverted ? "#FFFFFF" : "#000000")
    property bool inverted: true
    property bool isTopButton: false
    property bool isBlueButton: false
    property bool isDialogButton: false
    property bool isPositiveAnswer: false

    // The label at 24 pixels, scaled down when wider than the button allows.
    readonly property int fittingPixelSize: {
        var room = width - 24;
        if (metrics.advanceWidth <= 0 || room >= metrics.advanceWidth)
            return 24;
        return Math.max(1, Math.floor(24 * Math.max(0, room) / metrics.advanceWidth));
    }

    platformStyle: ButtonStyle {
        inverted: root.inverted
        background: root.isTopButton && root.isBlueButton ? Qt.resolvedUrl("../images/zirrup-top-button-blue.png")
                  : root.isDialogButton ? (root.isPositiveAnswer ? "image://theme/meegotouch-dialog-button-positive"
                                                                 : "image://theme/meegotouch-dialog-button-negative")
                  : root.inverted ? "image://theme/meegotouch-sheet-button-inverted-background"
                  : "image://theme/meegotouch-sheet-button-background"
        pressedBackground: root.isTopButton && root.isBlueButton ? Qt.resolvedUrl("../images/zirrup-top-button-blue-pressed.png")
                         : root.isDialogButton ? (root.isPositiveAnswer ? "image://theme/meegotouch-dialog-button-positive-pressed"
                                                                        : "image://theme/meegotouch-dialog-button-negative-pressed")
                         : root.inverted ? "image://theme/meegotouch-sheet-button-inverted-background-pressed"
                         : "image://theme/meegotouch-sheet-button-background-pressed"
        disabledBackground: root.isTopButton && root.isBlueButton ? Qt.resolvedUrl("../images/zirrup-top-button-blue-disabled.png")
                                                                   : "image://theme/meegotouch-button-background-disabled"
        backgroundMarginTop: 20
        backgroundMarginBottom: 20
        textColor: root.textColor
        pressedTextColor: root.textColor
        fontPixelSize: root.fittingPixelSize
        paddingLeft: 12
        paddingRight: 12
    }

    TextMetrics {
        id: metrics
        font.pixelSize: 24
        font.weight: Font.Bold
        text: root.text
    }
}
