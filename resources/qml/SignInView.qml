import QtQuick 2.15
import com.orvik.meego 1.0

// The start page when nobody is signed in: sign in or sign up, search the service, and the
// trending topics. While the user types, the search history takes the page.
ZirrupPage {
    id: page

    readonly property string signUpUrl: "http://mobile.zirrup.net/signup"
    readonly property bool historyShown: InputContext.softwareInputPanelVisible && InputContext.editor === searchField
    readonly property bool historyListVisible: historyShown && historyList.count > 0

    // Only a history with rows to show takes the logo's and the sign-in block's room.
    states: State {
        name: "search"
        when: page.historyListVisible
        PropertyChanges { target: topPane; height: 0 }
        PropertyChanges { target: infoBlock; height: 0 }
    }

    transitions: Transition {
        NumberAnimation { properties: "height"; duration: 300 }
    }

    onHistoryShownChanged: {
        if (historyShown)
            dataHandler.updateSearchHistory(50);
    }

    onStatusChanged: {
        if (status === PageStatus.Active) {
            searchField.text = "";
            dataHandler.updateTrendingTopics();
        }
    }

    Column {
        id: top
        width: parent.width

        TopPane {
            id: topPane
            width: parent.width
            clip: true

            Image {
                anchors.centerIn: parent
                source: "../images/zirrup_logo_with_bird.png"
            }
        }

        Rectangle {
            id: infoBlock
            width: parent.width
            height: infoColumn.height + 64
            color: "#e0e0e0"
            clip: true

            Column {
                id: infoColumn
                y: 32
                width: parent.width
                spacing: 32

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: parent.width - 48
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    text: qsTrId("qtn_zirrup_first_run_intro")
                    color: "#000000"
                    font.pixelSize: 26
                }

                Row {
                    anchors.horizontalCenter: parent.horizontalCenter
                    spacing: 24

                    SignInButton {
                        objectName: "signInButton"
                        text: qsTrId("qtn_zirrup_first_run_sign_in")
                        onClicked: dataHandler.createNewAccount()
                    }
                    SignInButton {
                        objectName: "signUpButton"
                        isBlue: true
                        text: qsTrId("qtn_zirrup_first_run_sign_up")
                        onClicked: dataHandler.linkClicked(page.signUpUrl)
                    }
                }
            }
        }

        Item {
            width: parent.width
            height: 76

            SearchField {
                id: searchField
                objectName: "searchField"
                anchors.centerIn: parent
                width: parent.width - 24
                placeholderText: qsTrId("qtn_zirrup_search_zirrup_hint")
                onAccepted: {
                    if (text !== "") {
                        // Back on this page the user sees the start page, not the history.
                        closeSoftwareInputPanel();
                        dataHandler.currentSearchString = text;
                        window.nextPage("SearchView.qml");
                    } else {
                        text = "";
                    }
                }
            }
        }
    }

    Item {
        id: lists
        anchors {
            top: top.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }
        clip: true

        ListView {
            id: historyList
            objectName: "historyList"
            anchors.fill: parent
            visible: page.historyListVisible
            model: mySearchHistoryModel
            delegate: TrendingItem {
                queryItem: model.query_item ?? ""
                filter: searchField.text
            }
        }

        Rectangle {
            id: trendsHeader
            width: parent.width
            height: 40
            color: "#333333"
            visible: !page.historyListVisible

            Text {
                anchors.left: parent.left
                anchors.leftMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                text: qsTrId("qtn_zirrup_first_run_trends")
                color: "#FFFFFF"
                font.pixelSize: 22
                font.bold: true
            }
        }

        ListView {
            id: trendsList
            objectName: "trendsList"
            anchors {
                top: trendsHeader.bottom
                left: parent.left
                right: parent.right
                bottom: parent.bottom
            }
            clip: true
            visible: !page.historyListVisible
            model: myTrendsModel
            delegate: TrendingItem {
                queryItem: model.query_item ?? ""
            }
        }

        BusyIndicator {
            anchors.centerIn: trendsList
            platformStyle: BusyIndicatorStyle { size: "large" }
            visible: trends_is_loading && trendsList.count === 0 && !page.historyListVisible
            running: visible
        }

        ScrollDecorator {
            flickableItem: page.historyListVisible ? historyList : trendsList
        }
    }
}
