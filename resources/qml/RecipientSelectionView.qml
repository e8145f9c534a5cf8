import QtQuick 2.15
import com.orvik.meego 1.0

// Choosing the recipient of a direct message among the signed-in user's followers, narrowed by
// the search field. Picking one replaces this page by the composer.
ZirrupPage {
    id: page

    readonly property bool isLoading: peoplelistview_is_refreshing
    readonly property alias filterText: searchField.text

    function loadMore(index) {
        if (index === myFollowerModel.count - 1 && !isLoading && !peoplelistview_is_loading_more
                && peoplelistview_more_people_available)
            dataHandler.moreFollowersView();
    }

    function focusSearch() {
        searchField.openSoftwareInputPanel();
    }

    initialFocusItem: searchField

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
    }

    // Always asked again: the follower model may hold another profile's followers.
    Component.onCompleted: dataHandler.updateFollowersView(dataHandler.authenticatedUser(), true)

    TopPane {
        id: topPane
        anchors.top: parent.top
        width: parent.width

        // Presses on the pane stay here.
        MouseArea {
            anchors.fill: parent
        }

        ZirrupButton {
            objectName: "cancelButton"
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            width: 130
            height: 51
            isTopButton: true
            text: qsTrId("qtn_zirrup_cancel_command")
            onClicked: window.prevPage()
        }

        BusyIndicator {
            anchors.right: parent.right
            anchors.rightMargin: 24
            anchors.verticalCenter: parent.verticalCenter
            platformStyle: BusyIndicatorStyle { inverted: true }
            visible: page.isLoading
            running: visible
        }
    }

    Rectangle {
        id: searchBar
        anchors.top: topPane.bottom
        width: parent.width
        height: searchField.height + 24
        color: "#E0E0E0"

        SearchField {
            id: searchField
            objectName: "recipientFilter"
            anchors.centerIn: parent
            width: parent.width - 24
            placeholderText: qsTrId("qtn_zirrup_search_command")
            platformSipAttributes: SipAttributes {
                actionKeyLabel: qsTrId("qtn_zirrup_done_command")
                actionKeyHighlighted: true
            }
            onAccepted: closeSoftwareInputPanel()
        }
    }

    ListView {
        id: list
        objectName: "recipientList"
        anchors {
            top: searchBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true
        model: myFollowerModel
        delegate: RecipientItem {
            width: ListView.view ? ListView.view.width : 480
            filter: searchField.text
            zirrupName: model.peoplelistitem_zirrupname ?? ""
            realName: model.peoplelistitem_realname ?? ""
            avatar: model.peoplelistitem_avatar ?? ""
            Component.onCompleted: page.loadMore(model.index)
            onClicked: {
                dataHandler.prepareComposeTo(zirrupName, avatar, realName);
                window.replacePage("MessageComposeView.qml");
            }
        }

        footer: Item {
            width: ListView.view ? ListView.view.width : 0
            height: 80

            BusyIndicator {
                anchors.centerIn: parent
                visible: peoplelistview_is_loading_more || (page.isLoading && list.count === 0)
                running: visible
            }
        }
    }

    ScrollDecorator {
        flickableItem: list
    }
}
