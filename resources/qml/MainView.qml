import QtQuick 2.15
import com.orvik.meego 1.0

// The main page: five tabs (home timeline, mentions, messages, search, more) switched by the tab
// buttons of the tool bar, whose icons mark unread tweets, mentions and messages.
ZirrupPage {
    id: page

    readonly property alias tabGroup: tabGroup

    // Switches to tab 0 to 4 as its button does.
    function showTab(index) {
        var button = tabButtons.children[index];
        if (button && button.activate !== undefined)
            button.activate();
    }

    // The current tab's refresh, for F5, Ctrl+R and the top bar.
    function refreshContent() {
        var tab = tabGroup.currentTab;
        if (tab && typeof tab.refreshContent === "function")
            tab.refreshContent();
    }

    function unreadName(name, unread) {
        return unread ? qsTrId("qtn_zirrup_unread_accessible").replace("%1", name) : name;
    }

    tools: ToolBarLayout {
        ButtonRow {
            id: tabButtons

            TabButton {
                objectName: "homeTabButton"
                Accessible.name: page.unreadName(qsTrId("qtn_zirrup_home_command"), window.unreadTweets)
                tab: homeTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-timeline" + (window.unreadTweets ? "-new" : "") + ".png")
                onClicked: {
                    if (window.unreadTweets)
                        window.homePage();
                }
            }
            TabButton {
                objectName: "mentionsTabButton"
                Accessible.name: page.unreadName(qsTrId("qtn_zirrup_mentions_tab"), window.unreadMentions)
                tab: mentionsTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-mentions" + (window.unreadMentions ? "-new" : "") + ".png")
                onClicked: {
                    if (window.unreadMentions)
                        window.mentionsTab();
                }
            }
            TabButton {
                objectName: "messagesTabButton"
                Accessible.name: page.unreadName(qsTrId("qtn_zirrup_messages_tab"), window.unreadMessages)
                tab: messagesTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-messages" + (window.unreadMessages ? "-unread" : "") + ".png")
                onClicked: window.unreadMessages = false
            }
            TabButton {
                objectName: "searchTabButton"
                Accessible.name: qsTrId("qtn_zirrup_search_command")
                tab: searchTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-search.png")
                onClicked: dataHandler.currentSearchString = ""
            }
            TabButton {
                objectName: "moreTabButton"
                Accessible.name: qsTrId("qtn_zirrup_more_tab")
                tab: moreTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-more.png")
            }
        }
    }

    TabGroup {
        id: tabGroup
        anchors.fill: parent
        currentTab: homeTab

        onCurrentTabChanged: {
            if (currentTab === mentionsTab)
                dataHandler.clearMentionNotifications();
            else if (currentTab === messagesTab)
                dataHandler.clearMessageNotifications();
        }

        TimelineView {
            id: homeTab
            objectName: "homeTab"
        }
        MentionsView {
            id: mentionsTab
            objectName: "mentionsTab"
        }
        MessagesView {
            id: messagesTab
            objectName: "messagesTab"
        }
        SearchHistoryView {
            id: searchTab
            objectName: "searchTab"
        }
        MenuView {
            id: moreTab
            objectName: "moreTab"
        }
    }

    Connections {
        target: dataHandler
        function onNewTweets() { window.unreadTweets = true; }
        function onNewMentions() { window.unreadMentions = true; }
        function onNewMessages() {
            if (tabGroup.currentTab !== messagesTab)
                window.unreadMessages = true;
        }
    }

    Connections {
        target: window
        function onRefresh() {
            dataHandler.updateTimelineView(true);
            dataHandler.updateMentionsView(true);
            dataHandler.updateMessagesView(true);
        }
        function onShowHomePage() { tabGroup.currentTab = homeTab; }
        function onShowMentionsTab() { tabGroup.currentTab = mentionsTab; }
        function onShowMessagesTab() { tabGroup.currentTab = messagesTab; }
    }
}
