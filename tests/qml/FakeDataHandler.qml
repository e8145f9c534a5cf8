import QtQml 2.15

// Stands in for the controller: every slot the pages call records its name and arguments in
// `calls`; the ones that answer return the values the test set (or a recognisable stand-in). The
// slots that only record are listed in context.json ("recorded") and added by TestContext.
QtObject {
    id: root

    property string currentUser: ""
    property string currentTweetId: ""
    property string currentListId: ""
    property string currentListName: ""
    property string currentSearchString: ""
    property QtObject photosModel: null

    property string startViewResult: "SignInView.qml"
    property string startTabResult: "Timeline"
    property string authenticatedUserName: ""
    property var savedSearchIds: ({})
    property var calls: []

    signal dataChanged
    signal updateTimestamp
    signal newTweets
    signal newMentions
    signal newMessages
    signal positioningTermsRejected

    function record(name, args) {
        calls.push({ "name": name, "args": Array.prototype.slice.call(args) });
    }

    // The recorded calls of one slot, each as its list of arguments.
    function callsOf(name) {
        return calls.filter(function (call) { return call.name === name; }).map(function (call) { return call.args; });
    }

    // The recorded calls of the slots named in filter, in order, each as name(arguments in JSON).
    function callsAmong(filter) {
        return calls.filter(function (call) { return filter.indexOf(call.name) >= 0; }).map(function (call) {
            return call.name + "(" + JSON.stringify(call.args).slice(1, -1) + ")";
        });
    }

    function count(name) {
        return callsOf(name).length;
    }

    function reset() {
        calls = [];
        currentUser = currentTweetId = currentListId = currentListName = currentSearchString = "";
        authenticatedUserName = "";
        startViewResult = "SignInView.qml";
        startTabResult = "Timeline";
        savedSearchIds = {};
    }

    function startView() { record("startView", arguments); return startViewResult; }
    function startTab() { record("startTab", arguments); return startTabResult; }
    function authenticatedUser() { return authenticatedUserName.toLowerCase(); }
    function getLocalizedInt(number) { return String(number); }
    function createTimeString(datetime) { return "ago:" + datetime; }
    function createDetailTimeString(datetime) { return "at:" + datetime; }
    function createConversationTimeString(datetime) { return "at:" + datetime; }
    function hasRightToLeftText(text) { return false; }
    // As the controller: no markup but its own anchors.
    function findLinks(text, entitiesHandled) { return String(text).replace(/<(?!a href="|\/a>)/g, "&lt;"); }
    function getMentions(text, excludeUser) { return ""; }
    // As the service counts: every web link as long as its wrapped form, 20 characters.
    function countTweetTextLength(text, uploadImagesCount) {
        var length = text.length;
        var words = text.split(/\s/);
        for (var i = 0; i < words.length; ++i) {
            if (/^https?:\/\//i.test(words[i]) && words[i].length > 20)
                length -= words[i].length - 20;
        }
        return length + 21 * uploadImagesCount;
    }
    function savedSearchId(text) { return savedSearchIds[text] !== undefined ? savedSearchIds[text] : ""; }
    function linkClicked(link) { record("linkClicked", arguments); return false; }
    // Pieces as the controller cuts them for left-to-right text: words, each anchor in one piece.
    function splitText(text, reversed) {
        var joined = String(text).replace(/<a href/g, "<a_href")
                                 .replace(/" style="text-decoration:none; color/g, "\"_style=\"text-decoration:none;_color");
        var words = joined.split(" ");
        for (var i = 0; i < words.length; ++i) {
            words[i] = words[i].replace(/<a_href/g, "<a href")
                               .replace(/"_style="text-decoration:none;_color/g, "\" style=\"text-decoration:none; color");
            if (i < words.length - 1)
                words[i] += " ";
        }
        return reversed ? words.reverse() : words;
    }
}
