import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"
import "qrc:/resources/qml/StringUtils.js" as StringUtils
import "qrc:/resources/qml/ZirrupSectionScroller.js" as Sections

// The shared components of the pages (the section scroller among them), their scripts and the
// parts of the component module they rely on. (The page history is walked through the window in
// tst_window.qml.)
PageTestCase {
    id: testCase
    name: "Components"

    FakeWindow { id: window }
    SignalSpy { id: spy }
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


    Component { id: buttonComponent; ZirrupButton {} }
    Component { id: trendComponent; TrendingItem {} }
    Component { id: highlightComponent; HighlightText { width: 400 } }
    Component { id: fieldComponent; SearchField { width: 400 } }
    Component { id: dialogComponent; ZirrupConfirmationDialog {} }
    Component { id: okCancelComponent; OkCancelTopBar {} }
    Component { id: topBarComponent; TopBar {} }
    Component {
        id: columnComponent
        Column {
            width: 300
            ColumnButton {}
            ColumnButton {}
            ColumnButton {}
        }
    }
    Component {
        id: mirroredHighlightComponent
        Item {
            property alias flow: mirroredFlow
            width: 400
            LayoutMirroring.enabled: true
            LayoutMirroring.childrenInherit: true
            HighlightText { id: mirroredFlow; width: 400 }
        }
    }
    Component {
        id: toolsComponent
        Item {
            property alias tools: tools
            property alias row: row
            ToolBarLayout {
                id: tools
                width: 480
                height: 72
                ToolIcon { iconId: "toolbar-back" }
                ToolIcon { iconId: "toolbar-add" }
                ToolIcon { iconId: "toolbar-view-menu" }
            }
            ButtonRow {
                id: row
                y: 100
                width: 300
                Button { checkable: true; text: "a" }
                Button { checkable: true; text: "b" }
                Button { checkable: true; text: "c" }
            }
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
        window.reset();
        spy.clear();
        spy.target = null;
    }

    function listen(target, signalName) {
        spy.target = target;
        spy.signalName = signalName;
        spy.clear();
    }

    function test_buttonLabelShrinksToFit() {
        var button = createTemporaryObject(buttonComponent, testCase, { "text": "Delete", "width": 300 });
        var sizes = [button.fittingPixelSize];
        button.text = "A very long label that cannot possibly fit";
        verify(button.font.pixelSize < 24 && button.font.pixelSize > 1);
        // Too narrow for anything still gives a valid font size.
        button.width = 0;
        compare(sizes.concat(button.fittingPixelSize), [24, 1]);
    }

    function test_columnButtonFrames() {
        var column = createTemporaryObject(columnComponent, testCase);
        var b = column.children;
        function frames() {
            return [b[0], b[1], b[2]].map(function (button) {
                return String(button.children[0].source).replace(/.*zirrup-list-frame/, "");
            });
        }
        var seen = [frames()];
        b[1].visible = false;
        seen.push(frames());
        b[2].visible = false;
        seen.push(frames()[0]);
        listen(b[0], "clicked");
        mousePress(b[0]);
        seen.push(frames()[0]);
        mouseRelease(b[0]);
        compare(seen, [["-top.png", "-center.png", "-bottom.png"], ["-top.png", "-center.png", "-bottom.png"], ".png", "-pressed.png"]);
        compare(spy.count, 1);
    }

    function test_trendingItemFilter() {
        var item = createTemporaryObject(trendComponent, testCase, { "queryItem": "qt and <qt>" });
        var text = findChild(item, "queryText");
        compare(text.text, "<b>qt and &lt;qt&gt;</b>");
        // Every occurrence of the filter is highlighted; the filter is case-sensitive, and a row
        // without it collapses.
        item.filter = "qt";
        compare(text.text, "<b><font color=\"#00C0FF\">qt</font> and &lt;<font color=\"#00C0FF\">qt</font>&gt;</b>");
        item.filter = "QT";
        compare([item.visible, item.height], [false, 0]);
        item.filter = "";
        compare(item.height, 80);
        mouseClick(item);
        verify(accessibility.press(item));
        compare([accessibility.describe(item).name, dataHandler.currentSearchString, dataHandler.callsOf("window.nextPage")],
                ["qt and <qt>", "qt and <qt>", [["SearchView.qml"], ["SearchView.qml"]]]);
    }

    function test_highlightText() {
        var link = "<a href=\"@bob\" style=\"text-decoration:none; color:#4d6980\">@bob</a>";
        var flow = createTemporaryObject(highlightComponent, testCase, { "text": "hi " + link + " !" });
        compare(flow.pieces(), ["hi ", link + " ", "!"]);
        waitForItemPolished(flow);
        var linkPiece = flow.children[1];
        verify(linkPiece.isLink && !flow.children[0].isLink);
        mousePress(linkPiece);
        var pressed = [flow.pressedLink];
        mouseRelease(linkPiece);
        mouseClick(flow.children[0]);
        compare([pressed, flow.pressedLink, dataHandler.callsOf("linkClicked")], [["@bob"], "", [["@bob"]]]);

        flow.alignRight = true;
        compare([flow.layoutDirection, flow.pieces()], [Qt.RightToLeft, ["!", link + " ", "hi "]]);
        // Unsplit text keeps a blank of its own that takes room.
        flow.split = false;
        flow.alignRight = false;
        flow.text = "a  b";
        compare(flow.pieces(), ["a ", " ", "b"]);
        waitForItemPolished(flow);
        verify(flow.children[1].isBlank && flow.children[1].width > 0);

        // In a mirrored (right-to-left) window the text's own direction still decides the order.
        var mirrored = createTemporaryObject(mirroredHighlightComponent, testCase).flow;
        mirrored.text = "first second";
        waitForItemPolished(mirrored);
        verify(mirrored.children[0].x < mirrored.children[1].x);
    }

    function test_searchField() {
        var field = createTemporaryObject(fieldComponent, testCase);
        listen(field, "accepted");
        mouseClick(field);
        compare([field.activeFocus, InputContext.softwareInputPanelVisible, InputContext.editor], [true, true, field]);
        keyClick(Qt.Key_Return);
        field.platformSipAttributes.actionKeyEnabled = false;
        keyClick(Qt.Key_Return);
        compare(spy.count, 1);

        // No more than 140 characters.
        field.text = new Array(141).join("x");
        field.cursorPosition = 140;
        keyClick(Qt.Key_Y);
        compare(field.text, new Array(141).join("x"));

        mouseClick(findChild(field, "searchFieldIcon"));
        var cleared = field.text;
        field.closeSoftwareInputPanel();
        compare([cleared, field.activeFocus, InputContext.softwareInputPanelVisible], ["", false, false]);

        // A field that goes away while typing closes the panel.
        field.openSoftwareInputPanel();
        field.destroy();
        tryCompare(InputContext, "softwareInputPanelVisible", false);
    }

    function test_dialogAndBars() {
        // Confirming is walked by the smoke test; a press outside the dialog rejects it.
        var dialog = createTemporaryObject(dialogComponent, testCase, { "titleText": "Delete tweet?" });
        listen(dialog, "rejected");
        dialog.open();
        tryCompare(dialog, "status", DialogStatus.Open);
        mouseClick(dialog, 240, 10);
        tryCompare(dialog, "status", DialogStatus.Closed);
        compare(spy.count, 1);

        var bar = createTemporaryObject(okCancelComponent, testCase, { "okButtonEnabled": false });
        listen(bar, "okClicked");
        mouseClick(findChild(bar, "okButton"));
        bar.okButtonEnabled = true;
        mouseClick(findChild(bar, "okButton"));
        compare(spy.count, 1);

        // Its buttons are pressed in tst_mainview.qml, a click on it in tst_timeline.qml.
        var top = createTemporaryObject(topBarComponent, testCase);
        verify(!findChild(top, "topBarCompose").visible, "no composing without an account");
    }

    function test_toolBarLayoutAndButtonRow() {
        var frame = createTemporaryObject(toolsComponent, testCase);
        var icons = frame.tools.children;
        var xs = [icons[0].x, icons[1].x];
        icons[1].visible = false;
        compare(xs.concat(icons[2].x), [0, (480 - icons[1].width) / 2, 480 - icons[2].width]);

        var buttons = frame.row.children;
        compare([buttons[1].x, buttons[1].width], [100, 100]);
        mouseClick(buttons[1]);
        mouseClick(buttons[2]);
        compare([frame.row.checkedButton, buttons[1].checked], [buttons[2], false]);
    }

    function test_reduceWhitespace_data() {
        return testContext.readJson("data/whitespace.json");
    }

    function test_reduceWhitespace(data) {
        compare(StringUtils.reduceWhitespace(data.input === null ? undefined : data.input), data.expected);
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
