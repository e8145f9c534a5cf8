import QtQuick 2.15
import com.orvik.meego 1.0

// The main page: five tabs (home timeline, mentions, messages, search, more) switched by the tab
// buttons of the tool bar, whose icons mark unread tweets, mentions and messages.
ZirrupPage {
    id: page

    readonly property alias tabGroup: tabGroup

    tools: ToolBarLayout {
        ButtonRow {
            TabButton {
                objectName: "homeTabButton"
                tab: homeTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-timeline" + (window.unreadTweets ? "-new" : "") + ".png")
                onClicked: {
                    if (window.unreadTweets)
                        window.homePage();
                }
            }
            TabButton {
                objectName: "mentionsTabButton"
                tab: mentionsTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-mentions" + (window.unreadMentions ? "-new" : "") + ".png")
                onClicked: {
                    if (window.unreadMentions)
                        window.mentionsTab();
                }
            }
            TabButton {
                objectName: "messagesTabButton"
                tab: messagesTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-messages" + (window.unreadMessages ? "-unread" : "") + ".png")
                onClicked: window.unreadMessages = false
            }
            TabButton {
                objectName: "searchTabButton"
                tab: searchTab
                iconSource: Qt.resolvedUrl("../images/zirrup-icon-navigationbar-search.png")
                onClicked: dataHandler.currentSearchString = ""
            }
            TabButton {
                objectName: "moreTabButton"
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
