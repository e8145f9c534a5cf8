// Signed in: the conversations, one conversation with a reply sent and a message deleted through
// its confirmation, then a new message to a follower picked in the recipient list.
import QtQuick 2.15

SmokeRunner {
    id: script

    property string partner: ""
    property string sentId: ""
    property string recipient: ""
    property var picked: null
    readonly property string replyText: "Smoke test reply " + Date.now()
    readonly property string newText: "Smoke test message " + Date.now()

    function conversationRow(text) {
        return rowWhere(myConversationModel, function (row) { return String(row.msg_text).indexOf(text) >= 0 })
    }

    steps: [
        { name: "messages", ready: function () {
              return settled(1) && myMessageModel.count > 0 && !messagesview_loading
          },
          then: function () { root.messagesTab() } },
        { name: "conversations", ready: function () {
              var tab = findItem(root, "messagesTab")
              return tab && tab.visible && findItem(tab, "messagesList").count > 0
          },
          then: function () {
              // What a tap on the first row does.
              script.partner = myMessageModel.get(0).screen_name
              openFor(script.partner, "MessagingConversationView.qml")
          } },
        { name: "conversation", ready: function () {
              return settled(2) && myConversationModel.count > 0
                      && conversation_zirrupName.toLowerCase() === script.partner.toLowerCase()
                      && profileview_follower
          },
          then: function () {
              var field = onPage("replyField")
              field.forceActiveFocus()
              field.text = script.replyText
              currentPage().send()
          } },
        { name: "replied", ready: function () {
              return conversationRow(script.replyText) !== null && !messagesview_refresh_after_sending
          },
          then: function () {
              var row = conversationRow(script.replyText)
              script.sentId = row.msg_id
              currentPage().openMessageMenu({ id: row.msg_id, text: row.msg_text,
                                       sender: row.sender_screen_name, avatar: row.sender_avatar_url })
          } },
        { name: "messagemenu", ready: function () {
              var button = findOnTop("deleteMessageButton")
              return button && button.visible && currentPage().messageMenu.status === 1 /* DialogStatus.Open */
          },
          then: function () { findOnTop("deleteMessageButton").clicked() } },
        { name: "deletequery", ready: function () { return isOpen("deleteMessageDialog") },
          then: function () { findOnTop("deleteMessageDialog").accept() } },
        { name: "deleted", ready: function () {
              return rowWhere(myConversationModel, function (row) { return row.msg_id === script.sentId }) === null
          },
          then: function () { root.prevPage() } },
        { name: "composemenu", ready: function () { return settled(1) },
          then: function () {
              findItem(findItem(root, "messagesTab"), "topBarCompose").clicked()
          } },
        { name: "composechoice", ready: function () { return isOpen("composeMenu") },
          then: function () { findItem(findOnTop("composeMenu"), "directMessageButton").clicked() } },
        { name: "recipients", ready: function () {
              return settled(2) && myFollowerModel.count > 1 && !peoplelistview_is_refreshing
          },
          then: function () {
              // Narrow the list by part of the second follower's name, typed in capitals.
              var name = myFollowerModel.get(1).peoplelistitem_zirrupname
              onPage("recipientFilter").text = name.substring(1).toUpperCase()
              script.recipient = name
          } },
        // Shown are the rows that hold the typed part in either name, in any case.
        { name: "filtered", ready: function () {
              var list = onPage("recipientList")
              var part = script.recipient.substring(1).toLowerCase()
              var found = null
              for (var i = 0; i < list.count; ++i) {
                  var row = list.itemAtIndex(i)
                  if (row && row.visible !== (row.zirrupName.toLowerCase().indexOf(part) >= 0
                                              || row.realName.toLowerCase().indexOf(part) >= 0))
                      return false
                  if (row && row.zirrupName === script.recipient)
                      found = row
              }
              script.picked = found
              return found !== null
          },
          then: function () { script.picked.clicked() } },
        { name: "compose", ready: function () {
              return settled(2) && composeview_screenname === script.recipient && profileview_follower
          },
          then: function () {
              onPage("messageEditor").text = script.newText
              currentPage().send()
          } },
        { name: "sent", ready: function () {
              return settled(1) && rowWhere(myMessageModel, function (row) {
                  return row.screen_name.toLowerCase() === script.recipient.toLowerCase()
                          && String(row.msg_text).indexOf(script.newText) >= 0
              }) !== null
          },
          then: function () { Qt.exit(0) } }
    ]
}
