import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// What the tests of the pages share: a window the size of the program's, each test starting from
// the controller's start values and failing on any QML warning, and pages opened alone or in the
// program's own window.
TestCase {
    id: pageTest
    width: 480
    height: 854
    visible: true
    when: windowShown

    // The program's window, once startWindow() has made it.
    property var root: null

    // A file's own preparation of each test, after the shared one.
    function setUp() {
    }

    function init() {
        testContext.reset();
        setUp();
        failOnWarning(/.?/);
    }

    // No test leaves an editor's input panel open for the next.
    function cleanup() {
        InputContext.close(null);
    }

    // A page of the program on its own, the size of the window.
    function openPage(file, properties) {
        var all = { "width": 480, "height": 854, "visible": true };
        for (var key in properties)
            all[key] = properties[key];
        return createTemporaryObject(Qt.createComponent("qrc:/resources/qml/" + file), pageTest, all);
    }

    // Shown, as the page stack shows a page.
    function activate(page) {
        page.status = PageStatus.Activating;
        page.status = PageStatus.Active;
    }

    // The program's window with the given start page.
    function startWindow(view) {
        dataHandler.startViewResult = view;
        root = createTemporaryObject(Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml"), pageTest);
        root.pageStack.transitionDuration = 40;
        settle();
        return root;
    }

    // The window's page stack, or the one given, has finished its transitions.
    function settle(stack) {
        tryCompare(stack || root.pageStack, "busy", false);
    }

    // A tweet row with every role the tweet models carry; extra overrides some of them.
    function tweet(id, name, extra) {
        var row = testContext.readJson("data/rows.json").tweet;
        row.desc = row.status_text = "text of " + id;
        row.tweetid = row.original_tweetid = id;
        row.name = row.fullname = name;
        for (var key in extra)
            row[key] = extra[key];
        return row;
    }

    // count tweets by three users, newest first.
    function fillTweets(model, count) {
        for (var i = 0; i < count; ++i)
            model.append(tweet(String(1000 - i), "user" + (i % 3)));
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
