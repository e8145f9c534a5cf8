import QtQuick 2.15
import QtTest 1.2

// What the tests of the pages share: a window the size of the program's, and each test starting
// from the controller's start values and failing on any QML warning.
TestCase {
    width: 480
    height: 854
    visible: true
    when: windowShown

    // A file's own preparation of each test, after the shared one.
    function setUp() {
    }

    function init() {
        testContext.reset();
        setUp();
        failOnWarning(/.?/);
    }

    // Drags the list down by distance pixels; between each step check() may look at it.
    function pull(list, distance, check) {
        mousePress(list, 240, 60);
        for (var i = 1; i <= 8; ++i) {
            mouseMove(list, 240, 60 + distance * i / 8, 10, Qt.LeftButton);
            if (check)
                check();
        }
        mouseRelease(list, 240, 60 + distance, Qt.LeftButton, Qt.NoModifier, 10);
        tryCompare(list, "moving", false);
    }
}
