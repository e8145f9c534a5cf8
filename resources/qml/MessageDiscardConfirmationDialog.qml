import QtQuick 2.15

// Asks before an unsent direct message is thrown away.
ZirrupConfirmationDialog {
    objectName: "discardDialog"
    titleText: qsTrId("qtn_zirrup_discard_message_query")
    messageText: qsTrId("qtn_zirrup_discard_message_query_info")
    okButtonText: qsTrId("qtn_zirrup_discard_command")
}
