import QtQuick
import QtQuick.Window
import QtQuick.Layouts
import QtQuick.Controls.Basic

// The account window: sign in to a Zirrup service, or see and sign out of the stored account.
Window {
    id: root

    required property var account

    title: account.signedIn ? qsTrId("qtn_comm_account_title") : qsTrId("qtn_comm_account_sign_in_title")
    width: 380
    height: 440
    minimumWidth: 300
    minimumHeight: 360
    modality: Qt.WindowModal
    color: system.window

    SystemPalette {
        id: system
        colorGroup: SystemPalette.Active
    }

    Rectangle {
        anchors.fill: parent
        color: system.window
    }

    function submit() {
        if (signInButton.enabled)
            root.account.signIn(serviceField.text, userField.text, passwordField.text)
    }

    Shortcut {
        sequences: [StandardKey.Cancel]
        context: Qt.WindowShortcut
        onActivated: root.account.cancel()
    }

    Connections {
        target: root.account
        function onCloseRequested() { root.close() }
    }

    ColumnLayout {
        id: signInForm
        objectName: "signInForm"
        // Right-to-left languages mirror the form, as they do the program's window.
        LayoutMirroring.enabled: Qt.application.layoutDirection === Qt.RightToLeft
        LayoutMirroring.childrenInherit: true
        visible: !root.account.signedIn
        anchors.fill: parent
        anchors.margins: 20
        spacing: 6

        Label {
            text: qsTrId("qtn_comm_account_sign_in_title")
            font.pixelSize: 20
            font.bold: true
            Layout.bottomMargin: 10
        }
        Label { text: qsTrId("qtn_comm_account_service") }
        TextField {
            id: serviceField
            objectName: "serviceField"
            enabled: !root.account.busy
            Layout.fillWidth: true
            text: root.account.serviceUrl
            placeholderText: "http://127.0.0.1:8123"
            inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoPredictiveText
            onAccepted: userField.forceActiveFocus()
        }
        Label { text: qsTrId("qtn_comm_account_user_name") }
        TextField {
            id: userField
            objectName: "userField"
            enabled: !root.account.busy
            Layout.fillWidth: true
            focus: true
            inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
            onAccepted: passwordField.forceActiveFocus()
        }
        Label { text: qsTrId("qtn_comm_account_password") }
        TextField {
            id: passwordField
            objectName: "passwordField"
            enabled: !root.account.busy
            Layout.fillWidth: true
            echoMode: TextInput.Password
            inputMethodHints: Qt.ImhSensitiveData | Qt.ImhNoPredictiveText
            onAccepted: root.submit()
        }
        Label {
            id: errorLabel
            objectName: "errorText"
            Layout.fillWidth: true
            Layout.topMargin: 6
            text: root.account.errorText
            visible: text.length > 0
            color: "#b00020"
            wrapMode: Text.Wrap
        }
        Item { Layout.fillHeight: true }
        BusyIndicator {
            objectName: "busyIndicator"
            Layout.alignment: Qt.AlignHCenter
            running: root.account.busy
            visible: running
        }
        RowLayout {
            Layout.fillWidth: true
            Item { Layout.fillWidth: true }
            Button {
                objectName: "cancelButton"
                text: qsTrId("qtn_comm_account_cancel")
                // Stays usable while the exchange runs, to stop it.
                onClicked: root.account.cancel()
            }
            Button {
                id: signInButton
                objectName: "signInButton"
                text: qsTrId("qtn_comm_account_sign_in")
                highlighted: true
                enabled: !root.account.busy && serviceField.text.trim().length > 0
                         && userField.text.trim().length > 0 && passwordField.text.length > 0
                onClicked: root.submit()
            }
        }
    }

    ColumnLayout {
        objectName: "accountView"
        // Right-to-left languages mirror the form, as they do the program's window.
        LayoutMirroring.enabled: Qt.application.layoutDirection === Qt.RightToLeft
        LayoutMirroring.childrenInherit: true
        visible: root.account.signedIn
        anchors.fill: parent
        anchors.margins: 20
        spacing: 8

        Label {
            text: qsTrId("qtn_comm_account_title")
            font.pixelSize: 20
            font.bold: true
            Layout.bottomMargin: 10
        }
        Label {
            objectName: "accountName"
            text: qsTrId("qtn_comm_account_signed_in_as").arg(root.account.screenName)
            font.pixelSize: 16
        }
        Label {
            objectName: "accountService"
            text: root.account.accountServiceUrl
            color: system.placeholderText
        }
        CheckBox {
            objectName: "enabledBox"
            text: qsTrId("qtn_comm_account_use")
            checked: root.account.accountEnabled
            onToggled: root.account.accountEnabled = checked
        }
        Label {
            objectName: "accountErrorText"
            Layout.fillWidth: true
            text: root.account.errorText
            visible: text.length > 0
            color: "#b00020"
            wrapMode: Text.Wrap
        }
        Item { Layout.fillHeight: true }
        RowLayout {
            Layout.fillWidth: true
            Button {
                objectName: "signOutButton"
                text: qsTrId("qtn_comm_account_sign_out")
                onClicked: root.account.signOut()
            }
            Item { Layout.fillWidth: true }
            Button {
                objectName: "closeButton"
                text: qsTrId("qtn_comm_account_close")
                onClicked: root.close()
            }
        }
    }
}
