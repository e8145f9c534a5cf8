import QtQuick 2.15
import com.orvik.meego 1.0

// A page with the top bar, a back button and a title, for pages that show little yet.
ZirrupPage {
    id: page

    property string title: ""
    property string subtitle: ""
    default property alias content: contentArea.data

    tools: ToolBarLayout {
        ToolIcon {
            objectName: "backButton"
            iconId: "toolbar-back"
            onClicked: window.prevPage()
        }
    }

    TopBar {
        id: topBar
        anchors.top: parent.top
        width: parent.width
    }

    Rectangle {
        id: titleBar
        anchors.top: topBar.bottom
        width: parent.width
        height: 40
        color: "#333333"

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            elide: Text.ElideRight
            textFormat: Text.PlainText
            text: page.title
            color: "#FFFFFF"
            font.pixelSize: 22
            font.bold: true
        }
    }

    Item {
        id: contentArea
        anchors {
            top: titleBar.bottom
            left: parent.left
            right: parent.right
            bottom: parent.bottom
        }

        Text {
            anchors.centerIn: parent
            width: parent.width - 48
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            text: page.subtitle
            color: "#A6A8AB"
            font.pixelSize: 32
        }
    }
}
