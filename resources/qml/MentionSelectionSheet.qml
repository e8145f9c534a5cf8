import QtQuick 2.15
import com.orvik.meego 1.0

// Choosing someone to mention: the user's followers, narrowed by what is typed, or the people the
// service finds for it. Choosing one emits clicked(screen name) and closes the sheet.
Sheet {
    id: root

    property bool searchMode: false
    readonly property string typed: field.text.trim()
    readonly property bool loading: searchMode ? searchview_searching_profiles : peoplelistview_is_refreshing

    signal clicked(string screenName)

    function search() {
        if (typed === "")
            return;
        dataHandler.searchProfiles(typed);
        searchMode = true;
    }

    objectName: "mentionSheet"

    // Unforced, the controller keeps the list of the profile shown last, which is empty when the
    // own profile was opened without its followers.
    Component.onCompleted: dataHandler.updateFollowersView(dataHandler.authenticatedUser(), myFollowerModel.count === 0)

    onStatusChanged: {
        if (status === DialogStatus.Opening) {
            field.text = "";
            searchMode = false;
            field.openSoftwareInputPanel();
        } else if (status === DialogStatus.Closing) {
            field.closeSoftwareInputPanel();
        }
    }

    title: Item {
        width: root.width
        height: 72

        SearchField {
            id: field
            objectName: "mentionSearchField"
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.right: cancelButton.left
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            placeholderText: qsTrId("qtn_zirrup_search_users_hint")
            onTextChanged: {
                if (text === "")
                    root.searchMode = false;
            }
            onAccepted: root.search()
        }

        ZirrupButton {
            id: cancelButton
            objectName: "mentionCancelButton"
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            width: 130
            height: 51
            isTopButton: true
            text: qsTrId("qtn_zirrup_cancel_command")
            onClicked: root.reject()
        }
    }

    ListView {
        id: list
        objectName: "mentionList"
        anchors.fill: parent
        clip: true
        model: root.searchMode ? myProfileSearchModel : myFollowerModel

        header: Item {
            width: list.width
            height: searchRow.visible ? searchRow.height : 0

            MenuRowButton {
                id: searchRow
                objectName: "mentionSearchRow"
                visible: !root.searchMode && root.typed !== ""
                text: qsTrId("qtn_zirrup_search_command") + " \"" + root.typed + "\""
                onClicked: root.search()
            }
        }

        // Found people are shown as the service found them; followers narrow as the user types.
        delegate: RecipientItem {
            width: list.width
            filter: root.searchMode ? "" : root.typed
            zirrupName: model.peoplelistitem_zirrupname ?? ""
            realName: model.peoplelistitem_realname ?? ""
            avatar: model.peoplelistitem_avatar ?? ""
            onClicked: {
                root.clicked(zirrupName);
                root.accept();
            }
        }
    }

    Text {
        anchors.centerIn: parent
        width: parent.width - 48
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        visible: list.count === 0 && !root.loading
        textFormat: Text.PlainText
        text: root.searchMode ? qsTrId("qtn_zirrup_no_people_results").arg("\"" + root.typed + "\"")
                              : qsTrId("qtn_zirrup_no_followers")
        color: "#A6A8AB"
        font.pixelSize: 32
    }

    BusyIndicator {
        anchors.centerIn: parent
        platformStyle: BusyIndicatorStyle { size: "large" }
        visible: root.loading && list.count === 0
        running: visible
    }
}
