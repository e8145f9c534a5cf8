import QtQuick 2.15
import QtTest 1.2
import "qrc:/resources/qml"
import "qrc:/resources/qml/ZirrupSectionScroller.js" as Sections

PageTestCase {
    id: testCase
    name: "SectionScroller"
    height: 600

    ListModel { id: rows }

    Component {
        id: listComponent
        Item {
            property alias list: list
            property alias scroller: scroller
            width: 480
            height: 600
            ListView {
                id: list
                anchors.fill: parent
                model: rows
                section.property: "band"
                delegate: Rectangle { width: 480; height: 100 }
            }
            ZirrupSectionScroller { id: scroller; listView: list }
        }
    }

    function fill(bands) {
        bands.forEach(function (band) { rows.append({ "band": band }); });
    }
    function field(name) {
        return function (section) { return section[name]; };
    }

    function setUp() {
        rows.clear();
    }

    // The section under the finger on a strip of 400 pixels with four sections: dragged past either
    // end, still the first or the last, never beyond.
    function test_sectionUnderTheFinger_data() {
        return [[-30, 0], [0, 0], [100, 0], [101, 1], [399, 3], [400, 3], [650, 3]].map(function (row) {
            return { tag: String(row[0]), y: row[0], section: row[1] };
        });
    }

    function test_sectionUnderTheFinger(data) {
        compare(Sections.sectionAt([{}, {}, {}, {}], data.y, 400), data.section);
        compare(Sections.sectionAt([], data.y, 400), -1);
        compare(Sections.sectionAt([{}], data.y, 0), -1);
    }

    function test_tableFollowsTheModel() {
        var scroller = createTemporaryObject(listComponent, testCase).scroller;
        function values() { return scroller.sections.map(field("value")); }
        fill(["a", "a", "b"]);
        fill(["c", "c", "a"]);
        mousePress(scroller, 32, 0);
        tryCompare(scroller, "dragging", true);
        compare([values(), scroller.sections.map(field("index"))], [["a", "b", "c", "a"], [0, 2, 3, 5]]);

        // Changes while dragging are seen at the next move.
        rows.setProperty(1, "band", "x");
        mouseMove(scroller, 32, 10);
        compare(values(), ["a", "x", "b", "c", "a"]);

        rows.move(0, 5, 1);
        mouseMove(scroller, 32, 20);
        compare(values(), ["x", "b", "c", "a"]);
        mouseRelease(scroller, 32, 20);
    }

    function test_dragging() {
        var frame = createTemporaryObject(listComponent, testCase);
        var scroller = frame.scroller;
        for (var i = 0; i < 40; ++i)
            rows.append({ "band": "band " + Math.floor(i / 10) });
        // A short press does not drag.
        mouseClick(scroller, 32, 10);
        compare([scroller.dragging, scroller.currentSection], [false, ""]);
        frame.list.positionViewAtEnd();
        // At the very top of the strip: the first section, its heading shown.
        mousePress(scroller, 32, 0);
        tryCompare(scroller, "dragging", true);
        var label = findChild(scroller, "sectionLabel");
        compare([scroller.currentSection, frame.list.contentY, label.visible], ["band 0", 0, true]);
        mouseMove(scroller, 32, scroller.height * 0.6);
        compare([scroller.currentSection, label.children[0].text, label.children[0].textFormat, frame.list.indexAt(10, frame.list.contentY + 1)],
                ["band 2", "band 2", Text.PlainText, 20]);
        mouseRelease(scroller, 32, scroller.height * 0.6);
        compare([scroller.dragging, label.visible], [false, false]);
    }
}
