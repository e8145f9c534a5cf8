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

    function matches(name, realName) {
        if (searchMode || typed === "")
            return true;
        var needle = typed.toLowerCase();
        return String(name).toLowerCase().indexOf(needle) >= 0 || String(realName).toLowerCase().indexOf(needle) >= 0;
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

            Rectangle {
                id: searchRow
                objectName: "mentionSearchRow"
                width: parent.width
                height: 80
                visible: !root.searchMode && root.typed !== ""
                color: searchMouse.pressed ? "#DDDDDD" : "#F2F2F2"

                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 16
                    anchors.right: parent.right
                    anchors.rightMargin: 16
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    textFormat: Text.PlainText
                    text: qsTrId("qtn_zirrup_search_command") + " \"" + root.typed + "\""
                    font.pixelSize: 24
                    font.bold: true
                }
                Rectangle {
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: 1
                    color: "#E3E3E3"
                }
                MouseArea {
                    id: searchMouse
                    anchors.fill: parent
                    onClicked: root.search()
                }
            }
        }

        delegate: Item {
            id: person

            readonly property string peoplelistitem_zirrupname: model.peoplelistitem_zirrupname ?? ""
            readonly property string peoplelistitem_realname: model.peoplelistitem_realname ?? ""
            readonly property string peoplelistitem_avatar: model.peoplelistitem_avatar ?? ""
            readonly property bool shown: root.matches(peoplelistitem_zirrupname, peoplelistitem_realname)

            width: list.width
            height: shown ? 80 : 0
            visible: shown

            Rectangle {
                anchors.fill: parent
                color: personMouse.pressed ? "#DDDDDD" : "#F2F2F2"
            }
            BasicProfileHeader {
                anchors.left: parent.left
                anchors.leftMargin: 16
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                avatarURL: person.peoplelistitem_avatar
                zirrupName: person.peoplelistitem_zirrupname
                firstName: person.peoplelistitem_realname
            }
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: "#E3E3E3"
            }
            MouseArea {
                id: personMouse
                anchors.fill: parent
                onClicked: {
                    root.clicked(person.peoplelistitem_zirrupname);
                    root.accept();
                }
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
