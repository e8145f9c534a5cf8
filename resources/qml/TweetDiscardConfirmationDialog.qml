import QtQuick 2.15

// Asked before an unsent tweet is thrown away.
ZirrupConfirmationDialog {
    objectName: "discardDialog"
    titleText: qsTrId("qtn_zirrup_discard_tweet_query")
    messageText: qsTrId("qtn_zirrup_discard_tweet_query_info")
    okButtonText: qsTrId("qtn_zirrup_discard_command")
}
