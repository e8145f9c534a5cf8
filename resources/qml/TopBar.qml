import QtQuick 2.15
import com.orvik.meego 1.0

// The top pane of the list pages: the logo (back to the home page), a busy indicator while a tweet
// is being posted, and the compose icon or an edit button on the right. A click on the bar itself
// emits doubleClicked; the lists scroll back to their beginning on it. On a desktop, where nobody
// pulls a list with a finger, a refresh button sits left of the compose icon on the pages that
// can refresh (those with a refreshContent() function).
TopPane {
    id: root

    property bool composeButton: true
    property bool composeTweet: true
    property bool editButton: false
    property Item __page: null

    function __findPage() {
        for (var item = parent; item; item = item.parent) {
            if (item.status !== undefined && item.tools !== undefined)
                return item;
        }
        return null;
    }

    Component.onCompleted: __page = __findPage()

    signal composeClicked
    signal editClicked
    signal doubleClicked

    MouseArea {
        anchors.fill: parent
        onClicked: root.doubleClicked()
    }

    ZirrupImageButton {
        id: logo
        objectName: "topBarLogo"
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        unpressedImage: "../images/zirrup-icon-logo.png"
        pressedImage: "../images/zirrup-icon-logo-pressed.png"
        text: qsTrId("qtn_zirrup_home_command")
        onClicked: window.homePage()
    }

    BusyIndicator {
        anchors.centerIn: parent
        platformStyle: BusyIndicatorStyle { size: "medium"; inverted: true }
        running: posting_tweet
        visible: posting_tweet
    }

    ToolIcon {
        id: refresh
        objectName: "topBarRefresh"
        anchors.right: compose.visible || edit.visible ? (compose.visible ? compose.left : edit.left) : parent.right
        anchors.rightMargin: 4
        anchors.verticalCenter: parent.verticalCenter
        visible: window.desktop === true && root.__page !== null
                 && typeof root.__page.refreshContent === "function"
        iconId: "toolbar-refresh"
        onClicked: root.__page.refreshContent()
    }

    ZirrupImageButton {
        id: compose
        objectName: "topBarCompose"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        visible: root.composeButton && zirrup_account_exists && !root.editButton
        unpressedImage: "../images/zirrup-icon-compose.png"
        pressedImage: "../images/zirrup-icon-compose-pressed.png"
        text: qsTrId("qtn_zirrup_compose_new")
        onClicked: {
            if (root.composeTweet)
                window.nextPage("ComposeView.qml");
            else
                root.composeClicked();
        }
    }

    ZirrupButton {
        id: edit
        objectName: "topBarEdit"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        width: 130
        height: 51
        visible: root.editButton
        isTopButton: true
        isBlueButton: true
        text: qsTrId("qtn_zirrup_profile_edit_command")
        onClicked: root.editClicked()
    }
}
