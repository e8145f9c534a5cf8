import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0
import "qrc:/resources/qml"

// The shared components of the pages and the parts of the component module they rely on.
TestCase {
    id: testCase
    name: "Components"
    width: 480
    height: 854
    visible: true
    when: windowShown

    FakeWindow {
        id: window
    }

    Component {
        id: buttonComponent
        ZirrupButton {}
    }

    Component {
        id: columnComponent
        Column {
            width: 300
            property alias first: first
            property alias middle: middle
            property alias last: last
            ColumnButton { id: first }
            ColumnButton { id: middle }
            ColumnButton { id: last }
        }
    }

    Component {
        id: trendComponent
        TrendingItem {}
    }

    Component {
        id: highlightComponent
        HighlightText {
            width: 400
        }
    }

    Component {
        id: mirroredHighlightComponent
        Item {
            property alias flow: mirroredFlow
            width: 400
            LayoutMirroring.enabled: true
            LayoutMirroring.childrenInherit: true
            HighlightText {
                id: mirroredFlow
                width: 400
            }
        }
    }

    Component {
        id: fieldComponent
        SearchField {
            width: 400
        }
    }

    Component {
        id: dialogComponent
        ZirrupConfirmationDialog {}
    }

    Component {
        id: okCancelComponent
        OkCancelTopBar {}
    }

    Component {
        id: topBarComponent
        TopBar {}
    }

    Component {
        id: imageButtonComponent
        ZirrupImageButton {
            unpressedImage: "qrc:/resources/images/zirrup-icon-compose.png"
            pressedImage: "qrc:/resources/images/zirrup-icon-compose-pressed.png"
        }
    }

    Component {
        id: toolsComponent
        ToolBarLayout {
            width: 480
            height: 72
            ToolIcon { iconId: "toolbar-back" }
            ToolIcon { iconId: "toolbar-add" }
            ToolIcon { iconId: "toolbar-view-menu" }
        }
    }

    Component {
        id: rowComponent
        ButtonRow {
            width: 300
            Button { checkable: true; text: "a" }
            Button { checkable: true; text: "b" }
            Button { checkable: true; text: "c" }
        }
    }

    Component {
        id: busyComponent
        BusyIndicator {}
    }

    Component {
        id: tweetOrMessageComponent
        TweetOrMessageMenu {}
    }

    SignalSpy { id: spy }

    function init() {
        testContext.reset();
        window.reset();
        InputContext.close(null);
        spy.clear();
        spy.target = null;
        failOnWarning(/.?/);
    }

    function test_buttonLabelShrinksToFit() {
        var button = createTemporaryObject(buttonComponent, testCase, { "text": "Delete", "width": 300 });
        compare(button.fittingPixelSize, 24);
        compare(button.font.pixelSize, 24);

        button.text = "A very long label that cannot possibly fit";
        button.width = 200;
        var metrics = Qt.createQmlObject('import QtQuick 2.15; TextMetrics { font.pixelSize: 24; font.weight: Font.Bold }', testCase);
        metrics.text = button.text;
        compare(button.fittingPixelSize, Math.floor(24 * (200 - 24) / metrics.advanceWidth));
        verify(button.font.pixelSize < 24);
        metrics.destroy();

        // Too narrow for anything still gives a valid font size.
        button.width = 10;
        compare(button.fittingPixelSize, 1);
        button.width = 0;
        compare(button.fittingPixelSize, 1);
    }

    function test_buttonBackgrounds() {
        var button = createTemporaryObject(buttonComponent, testCase);
        verify(button.platformStyle.background.indexOf("sheet-button-inverted-background") > 0);
        button.inverted = false;
        verify(button.platformStyle.background.indexOf("sheet-button-background") > 0);
        button.isDialogButton = true;
        button.isPositiveAnswer = true;
        verify(button.platformStyle.background.indexOf("dialog-button-positive") > 0);
        button.isPositiveAnswer = false;
        verify(button.platformStyle.pressedBackground.indexOf("dialog-button-negative-pressed") > 0);
        button.isDialogButton = false;
        button.isTopButton = true;
        button.isBlueButton = true;
        compare(button.platformStyle.background, "qrc:/resources/images/zirrup-top-button-blue.png");
        compare(button.platformStyle.pressedBackground, "qrc:/resources/images/zirrup-top-button-blue-pressed.png");
        compare(button.platformStyle.backgroundMarginTop, 20);
        compare(button.platformStyle.backgroundMarginBottom, 20);
    }

    function test_columnButtonFrames() {
        var column = createTemporaryObject(columnComponent, testCase);
        function frame(button) { return String(button.children[0].source).replace(/.*zirrup-list-frame/, ""); }
        compare(frame(column.first), "-top.png");
        compare(frame(column.middle), "-center.png");
        compare(frame(column.last), "-bottom.png");
        compare(column.first.width, 300);
        compare(column.first.height, 70);

        column.middle.visible = false;
        compare(frame(column.first), "-top.png");
        compare(frame(column.last), "-bottom.png");
        column.last.visible = false;
        compare(frame(column.first), ".png");

        spy.target = column.first;
        spy.signalName = "clicked";
        mousePress(column.first);
        compare(frame(column.first), "-pressed.png");
        mouseRelease(column.first);
        compare(spy.count, 1);
        compare(frame(column.first), ".png");
    }

    function test_imageButton() {
        var button = createTemporaryObject(imageButtonComponent, testCase);
        var image = button.children[0];
        verify(String(image.source).indexOf("compose.png") > 0);
        mousePress(button);
        verify(String(image.source).indexOf("compose-pressed.png") > 0);
        mouseRelease(button);
        verify(String(image.source).indexOf("compose.png") > 0);
        button.checkable = true;
        mouseClick(button);
        compare(button.checked, true);
        verify(String(image.source).indexOf("compose-pressed.png") > 0);
    }

    function test_trendingItemFilter() {
        var item = createTemporaryObject(trendComponent, testCase, { "queryItem": "qt and <qt>" });
        var text = findChild(item, "queryText");
        compare(text.text, "<b>qt and &lt;qt&gt;</b>");
        compare(item.height, 80);
        verify(item.visible);

        // Every occurrence of the filter is highlighted.
        item.filter = "qt";
        verify(item.match);
        compare(text.text.split("#00C0FF").length - 1, 2);
        compare(text.text, "<b><font color=\"#00C0FF\">qt</font> and &lt;<font color=\"#00C0FF\">qt</font>&gt;</b>");

        // The filter is case-sensitive; a row without it collapses.
        item.filter = "QT";
        verify(!item.match);
        verify(!item.visible);
        compare(item.height, 0);

        item.filter = "";
        mouseClick(item);
        compare(dataHandler.currentSearchString, "qt and <qt>");
        compare(dataHandler.callsOf("window.nextPage"), [["SearchView.qml"]]);
    }

    function test_highlightText() {
        var link = "<a href=\"@bob\" style=\"text-decoration:none; color:#4d6980\">@bob</a>";
        var flow = createTemporaryObject(highlightComponent, testCase, { "text": "hi " + link + " !" });
        var pieces = flow.pieces();
        compare(pieces, ["hi ", link + " ", "!"]);
        compare(flow.layoutDirection, Qt.LeftToRight);
        waitForItemPolished(flow);
        var linkPiece = flow.children[1];
        verify(linkPiece.isLink);
        verify(!flow.children[0].isLink);
        mousePress(linkPiece);
        compare(flow.pressedLink, "@bob");
        verify(linkPiece.children[0].visible);
        mouseRelease(linkPiece);
        compare(flow.pressedLink, "");
        compare(dataHandler.callsOf("linkClicked"), [["@bob"]]);
        // A plain piece is no link.
        mouseClick(flow.children[0]);
        compare(dataHandler.count("linkClicked"), 1);

        flow.alignRight = true;
        compare(flow.layoutDirection, Qt.RightToLeft);
        compare(flow.pieces(), ["!", link + " ", "hi "]);
        flow.split = false;
        flow.text = "a b";
        compare(flow.pieces(), ["a ", "b"]);
        compare(flow.linkTarget("plain"), "");

        // In a mirrored (right-to-left) window the text's own direction still decides the order.
        var mirrored = createTemporaryObject(mirroredHighlightComponent, testCase).flow;
        mirrored.text = "first second";
        waitForItemPolished(mirrored);
        verify(mirrored.children[0].x < mirrored.children[1].x);
    }

    function test_blankPieceTakesRoom() {
        var flow = createTemporaryObject(highlightComponent, testCase, { "text": "x", "split": false });
        flow.text = "a  b";
        compare(flow.pieces(), ["a ", " ", "b"]);
        waitForItemPolished(flow);
        var blank = flow.children[1];
        verify(blank.isBlank);
        verify(blank.width > 0);
    }

    function test_searchFieldLimit() {
        var field = createTemporaryObject(fieldComponent, testCase);
        var text = "";
        for (var i = 0; i < 140; ++i)
            text += "x";
        field.text = text;
        compare(field.text.length, 140);
        field.openSoftwareInputPanel();
        field.cursorPosition = 140;
        keyClick(Qt.Key_Y);
        compare(field.text.length, 140);
        compare(field.cursorPosition, 140);
        compare(field.text, text);
    }

    function test_textFieldInputPanel() {
        var field = createTemporaryObject(fieldComponent, testCase);
        spy.target = field;
        spy.signalName = "accepted";
        verify(!InputContext.softwareInputPanelVisible);
        mouseClick(field);
        verify(field.activeFocus);
        verify(InputContext.softwareInputPanelVisible);
        compare(InputContext.editor, field);

        keyClick(Qt.Key_Return);
        compare(spy.count, 1);
        field.platformSipAttributes.actionKeyEnabled = false;
        keyClick(Qt.Key_Return);
        compare(spy.count, 1);
        compare(field.platformPreedit, "");

        // The clear button empties the field.
        field.text = "abc";
        mouseClick(findChild(field, "searchFieldIcon"));
        compare(field.text, "");

        field.closeSoftwareInputPanel();
        verify(!field.activeFocus);
        verify(!InputContext.softwareInputPanelVisible);
        compare(InputContext.editor, null);

        // A field that goes away while typing closes the panel.
        field.openSoftwareInputPanel();
        verify(InputContext.softwareInputPanelVisible);
        field.destroy();
        tryCompare(InputContext, "softwareInputPanelVisible", false);
    }

    function test_confirmationDialog() {
        var dialog = createTemporaryObject(dialogComponent, testCase, { "titleText": "Delete tweet?", "okButtonText": "Delete" });
        compare(dialog.cancelButtonText, "Cancel");
        compare(dialog.status, DialogStatus.Closed);
        verify(!dialog.visible);
        spy.target = dialog;
        spy.signalName = "accepted";
        dialog.open();
        tryCompare(dialog, "status", DialogStatus.Open);
        var content = dialog.content[0];
        verify(!content.visible, "an empty message is hidden");
        mouseClick(findChild(dialog, "confirmButton"));
        compare(spy.count, 1);
        tryCompare(dialog, "status", DialogStatus.Closed);

        spy.signalName = "rejected";
        spy.clear();
        dialog.open();
        tryCompare(dialog, "status", DialogStatus.Open);
        // A press outside the dialog rejects it.
        mouseClick(dialog, 240, 10);
        compare(spy.count, 1);
        // Accepting a closing dialog does nothing more.
        dialog.accept();
        tryCompare(dialog, "status", DialogStatus.Closed);
    }

    function test_okCancelTopBar() {
        var bar = createTemporaryObject(okCancelComponent, testCase);
        compare(bar.cancelText, "Cancel");
        compare(bar.okText, "Send");
        compare(bar.height, 72);
        spy.target = bar;
        spy.signalName = "okClicked";
        bar.okButtonEnabled = false;
        mouseClick(findChild(bar, "okButton"));
        compare(spy.count, 0);
        compare(findChild(bar, "okButton").children[0].color, "#b2b2b4");
        bar.okButtonEnabled = true;
        mouseClick(findChild(bar, "okButton"));
        compare(spy.count, 1);
        spy.signalName = "cancelClicked";
        spy.clear();
        mouseClick(findChild(bar, "cancelButton"));
        compare(spy.count, 1);
    }

    function test_topBar() {
        var bar = createTemporaryObject(topBarComponent, testCase);
        var compose = findChild(bar, "topBarCompose");
        verify(!compose.visible);
        testContext.set("zirrup_account_exists", true);
        verify(compose.visible);
        mouseClick(compose);
        compare(dataHandler.callsOf("window.nextPage"), [["ComposeView.qml"]]);

        spy.target = bar;
        spy.signalName = "composeClicked";
        bar.composeTweet = false;
        mouseClick(compose);
        compare(spy.count, 1);
        compare(dataHandler.count("window.nextPage"), 1);

        bar.composeButton = false;
        verify(!compose.visible);

        bar.editButton = true;
        var edit = findChild(bar, "topBarEdit");
        verify(edit.visible);
        compare(edit.text, "Edit");
        spy.signalName = "editClicked";
        spy.clear();
        mouseClick(edit);
        compare(spy.count, 1);

        spy.signalName = "doubleClicked";
        spy.clear();
        mouseClick(bar, 240, 36);
        compare(spy.count, 1);

        mouseClick(findChild(bar, "topBarLogo"));
        compare(dataHandler.count("window.homePage"), 1);
    }

    function test_toolBarLayoutAndButtonRow() {
        var tools = createTemporaryObject(toolsComponent, testCase);
        compare(tools.children[0].x, 0);
        compare(tools.children[2].x, 480 - tools.children[2].width);
        compare(tools.children[1].x, (480 - tools.children[1].width) / 2);
        tools.children[1].visible = false;
        compare(tools.children[2].x, 480 - tools.children[2].width);

        var row = createTemporaryObject(rowComponent, testCase);
        compare(row.children[1].x, 100);
        compare(row.children[1].width, 100);
        mouseClick(row.children[1]);
        compare(row.checkedButton, row.children[1]);
        mouseClick(row.children[2]);
        compare(row.children[1].checked, false);
        compare(row.children[2].checked, true);
    }

    function test_busyIndicatorSizes() {
        var busy = createTemporaryObject(busyComponent, testCase);
        compare(busy.width, 24);
        busy.platformStyle.size = "medium";
        compare(busy.width, 32);
        busy.platformStyle.size = "large";
        compare(busy.width, 64);
    }

    function test_tweetOrMessageMenu() {
        var menu = createTemporaryObject(tweetOrMessageComponent, testCase, { "labelText": "@bob" });
        spy.target = menu;
        spy.signalName = "directMessageClicked";
        menu.open();
        tryCompare(menu, "status", DialogStatus.Open);
        mouseClick(findChild(menu, "directMessageButton"));
        compare(spy.count, 1);
        tryCompare(menu, "status", DialogStatus.Closed);

        spy.signalName = "tweetClicked";
        spy.clear();
        menu.open();
        tryCompare(menu, "status", DialogStatus.Open);
        mouseClick(findChild(menu, "tweetButton"));
        compare(spy.count, 1);

        menu.open();
        tryCompare(menu, "status", DialogStatus.Open);
        mouseClick(findChild(menu, "closeButton"));
        tryCompare(menu, "status", DialogStatus.Closed);
        compare(spy.count, 1);
    }
}
