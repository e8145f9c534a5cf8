import QtQuick 2.15
import QtTest 1.2
import "qrc:/resources/qml/StringUtils.js" as StringUtils

// The page history is walked through the window in tst_window.qml.
TestCase {
    name: "Scripts"

    function test_reduceWhitespace_data() {
        return testContext.readJson("data/whitespace.json");
    }

    function test_reduceWhitespace(data) {
        compare(StringUtils.reduceWhitespace(data.input === null ? undefined : data.input), data.expected);
    }
}
