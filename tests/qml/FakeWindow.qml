import QtQml 2.15

// Stands in for the root window when a page is tested on its own: its flags and signals, and
// navigation calls recorded on the fake controller.
QtObject {
    property int orientationLock: 1
    property bool inPortrait: true
    property bool eventPageLaunched: false
    property bool unreadTweets: false
    property bool unreadMentions: false
    property bool unreadMessages: false
    property var nextPageResult: null
    property bool showToolBar: true

    signal showHomePage
    signal showMentionsTab
    signal showMessagesTab
    signal refresh
    signal saveCurrentTweetId
    signal restoreCurrentTweetId(int index)

    function nextPage(source, eventPageLaunch) {
        dataHandler.record("window.nextPage", arguments);
        return nextPageResult;
    }
    function replacePage(source) { dataHandler.record("window.replacePage", arguments); return null; }
    function prevPage() { dataHandler.record("window.prevPage", arguments); }
    function homePage() { dataHandler.record("window.homePage", arguments); }
    function mentionsTab() { dataHandler.record("window.mentionsTab", arguments); }
    function messagesTab() { dataHandler.record("window.messagesTab", arguments); }
    function showError(error) { dataHandler.record("window.showError", arguments); }

    function reset() {
        eventPageLaunched = unreadTweets = unreadMentions = unreadMessages = false;
        inPortrait = showToolBar = true;
        nextPageResult = null;
    }
}
