import QtQuick 2.15
import QtTest 1.2
import "qrc:/resources/qml/StringUtils.js" as StringUtils
import "qrc:/resources/qml/ZirrupViewHistory.js" as ViewHistory

TestCase {
    name: "Scripts"

    function test_reduceWhitespace_data() {
        return [
            { tag: "plain", input: "Qt fans", expected: "Qt fans" },
            { tag: "ends trimmed", input: "  \t lists \n ", expected: "lists" },
            { tag: "newline run becomes one space", input: "one\n\n\ntwo", expected: "one two" },
            { tag: "carriage returns count as newlines", input: "one\r\ntwo\rthree", expected: "one two three" },
            { tag: "each run separately", input: "a\n \nb", expected: "a   b" },
            { tag: "inner blanks kept", input: "a  b", expected: "a  b" },
            { tag: "backspaces deleted", input: "bl\bog\b", expected: "blog" },
            { tag: "backspace at the end does not shield a blank", input: "end \b", expected: "end" },
            { tag: "empty", input: "", expected: "" },
            { tag: "undefined", input: undefined, expected: "" },
        ];
    }

    function test_reduceWhitespace(data) {
        compare(StringUtils.reduceWhitespace(data.input), data.expected);
    }

    function init() {
        ViewHistory.clear();
    }

    function test_historyEntries() {
        ViewHistory.push("MainView.qml", "alice", "", "", "", false, "");
        ViewHistory.push("TweetView.qml", "bob", "42", "7", "Friends", true, "#qt");
        compare(ViewHistory.count(), 2);
        compare(ViewHistory.viewName(1), "TweetView.qml");
        compare(ViewHistory.username(1), "bob");
        compare(ViewHistory.tweetId(1), "42");
        compare(ViewHistory.listId(1), "7");
        compare(ViewHistory.listName(1), "Friends");
        compare(ViewHistory.eventPage(1), true);
        compare(ViewHistory.searchString(1), "#qt");
        compare(ViewHistory.viewName(0), "MainView.qml");
        compare(ViewHistory.eventPage(0), false);
        // Outside the history there is nothing, and asking does not throw.
        compare(ViewHistory.viewName(2), undefined);
        compare(ViewHistory.username(-1), undefined);

        compare(ViewHistory.pop().view, "TweetView.qml");
        compare(ViewHistory.count(), 1);
        ViewHistory.pop();
        compare(ViewHistory.pop(), undefined);
        compare(ViewHistory.count(), 0);
    }

    function test_clearToBeginning() {
        ViewHistory.clearToBeginning();
        compare(ViewHistory.count(), 0);
        ViewHistory.push("MainView.qml", "", "", "", "", false, "");
        ViewHistory.clearToBeginning();
        compare(ViewHistory.count(), 1);
        ViewHistory.push("ProfileView.qml", "a", "", "", "", false, "");
        ViewHistory.push("TweetView.qml", "a", "1", "", "", false, "");
        ViewHistory.clearToBeginning();
        compare(ViewHistory.count(), 1);
        compare(ViewHistory.viewName(0), "MainView.qml");
        ViewHistory.clear();
        compare(ViewHistory.count(), 0);
    }
}
