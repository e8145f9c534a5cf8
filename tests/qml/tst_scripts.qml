import QtQuick 2.15
import QtTest 1.2
import "qrc:/resources/qml/StringUtils.js" as StringUtils
import "qrc:/resources/qml/ZirrupViewHistory.js" as ViewHistory

TestCase {
    name: "Scripts"

    function test_reduceWhitespace_data() {
        return testContext.readJson("data/whitespace.json");
    }

    function test_reduceWhitespace(data) {
        compare(StringUtils.reduceWhitespace(data.input === null ? undefined : data.input), data.expected);
    }

    function test_history() {
        ViewHistory.clear();
        ViewHistory.clearToBeginning();
        compare(ViewHistory.count(), 0);
        ViewHistory.push("MainView.qml", "alice", "", "", "", false, "");
        ViewHistory.push("TweetView.qml", "bob", "42", "7", "Friends", true, "#qt");
        var fields = ["viewName", "username", "tweetId", "listId", "listName", "eventPage", "searchString"];
        compare(fields.map(function (f) { return ViewHistory[f](1); }), ["TweetView.qml", "bob", "42", "7", "Friends", true, "#qt"]);
        compare([ViewHistory.viewName(0), ViewHistory.eventPage(0)], ["MainView.qml", false]);
        // Outside the history there is nothing, and asking does not throw.
        compare([ViewHistory.viewName(2), ViewHistory.username(-1)], [undefined, undefined]);
        compare(ViewHistory.pop().view, "TweetView.qml");
        // Back to the beginning keeps the first entry.
        ViewHistory.push("ProfileView.qml", "a", "", "", "", false, "");
        ViewHistory.push("TweetView.qml", "a", "1", "", "", false, "");
        ViewHistory.clearToBeginning();
        compare([ViewHistory.count(), ViewHistory.viewName(0)], [1, "MainView.qml"]);
        ViewHistory.pop();
        compare(ViewHistory.pop(), undefined);
        compare(ViewHistory.count(), 0);
    }
}
