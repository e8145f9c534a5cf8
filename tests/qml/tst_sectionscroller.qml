import QtQuick 2.15
import QtTest 1.2
import "qrc:/resources/qml"
import "qrc:/resources/qml/ZirrupSectionScroller.js" as Sections

TestCase {
    id: testCase
    name: "SectionScroller"
    width: 480
    height: 600
    visible: true
    when: windowShown

    ListModel {
        id: rows
    }

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
                delegate: Rectangle {
                    width: 480
                    height: 100
                }
            }

            ZirrupSectionScroller {
                id: scroller
                listView: list
            }
        }
    }

    function fill(bands) {
        for (var i = 0; i < bands.length; ++i)
            rows.append({ "band": bands[i] });
    }

    function init() {
        rows.clear();
        failOnWarning(/.?/);
    }

    function test_sectionTable() {
        compare(Sections.buildSections(null, "band"), []);
        compare(Sections.buildSections(rows, "band"), []);
        fill(["now", "now", "6h", "6h", "6h", "12h", "now"]);
        var sections = Sections.buildSections(rows, "band");
        compare(sections.map(function (s) { return s.index; }), [0, 2, 5, 6]);
        compare(sections.map(function (s) { return s.value; }), ["now", "6h", "12h", "now"]);
        rows.clear();
        fill(["only"]);
        compare(Sections.buildSections(rows, "band"), [{ "index": 0, "value": "only" }]);
    }

    function test_sectionUnderTheFinger() {
        var four = [{}, {}, {}, {}];
        compare(Sections.sectionAt(four, 0, 400), 0);
        compare(Sections.sectionAt(four, -30, 400), 0);
        compare(Sections.sectionAt(four, 1, 400), 0);
        compare(Sections.sectionAt(four, 100, 400), 0);
        compare(Sections.sectionAt(four, 101, 400), 1);
        compare(Sections.sectionAt(four, 399, 400), 3);
        compare(Sections.sectionAt(four, 400, 400), 3);
        // Dragged past the end of the strip: still the last section, never beyond.
        compare(Sections.sectionAt(four, 650, 400), 3);
        compare(Sections.sectionAt([], 10, 400), -1);
        compare(Sections.sectionAt(four, 10, 0), -1);
    }

    function test_tableFollowsTheModel() {
        var frame = createTemporaryObject(listComponent, testCase);
        var scroller = frame.scroller;
        function values() { return scroller.sections.map(function (s) { return s.value; }); }
        fill(["a", "a", "b"]);
        fill(["c"]);
        mousePress(scroller, 32, 0);
        tryCompare(scroller, "dragging", true);
        compare(values(), ["a", "b", "c"]);

        // Changes while dragging are seen at the next move.
        rows.setProperty(1, "band", "x");
        mouseMove(scroller, 32, 10);
        compare(values(), ["a", "x", "b", "c"]);

        rows.remove(0, 2);
        mouseMove(scroller, 32, 20);
        compare(scroller.sections.map(function (s) { return s.index; }), [0, 1]);

        rows.move(0, 1, 1);
        mouseMove(scroller, 32, 30);
        compare(values(), ["c", "b"]);
        mouseRelease(scroller, 32, 30);
    }

    function test_dragging() {
        var frame = createTemporaryObject(listComponent, testCase);
        var scroller = frame.scroller;
        var bands = [];
        for (var i = 0; i < 40; ++i)
            bands.push("band " + Math.floor(i / 10));
        fill(bands);
        frame.list.positionViewAtEnd();
        verify(frame.list.contentY > 0);

        // At the very top of the strip: the first section.
        mousePress(scroller, 32, 0);
        tryCompare(scroller, "dragging", true);
        compare(scroller.currentSection, "band 0");
        compare(frame.list.contentY, 0);
        verify(findChild(scroller, "sectionLabel").visible);

        mouseMove(scroller, 32, scroller.height * 0.6);
        compare(scroller.currentSection, "band 2");
        compare(frame.list.indexAt(10, frame.list.contentY + 1), 20);

        mouseRelease(scroller, 32, scroller.height * 0.6);
        compare(scroller.dragging, false);
        verify(!findChild(scroller, "sectionLabel").visible);
    }

    function test_aShortPressDoesNotDrag() {
        var frame = createTemporaryObject(listComponent, testCase);
        fill(["a", "b"]);
        mouseClick(frame.scroller, 32, 10);
        compare(frame.scroller.dragging, false);
        compare(frame.scroller.currentSection, "");
    }
}
