// Signed in: the conversations, one conversation with a reply sent and a message deleted through
// its confirmation, then a new message to a follower picked in the recipient list.
import QtQuick 2.15

SmokeRunner {
    id: script

    property string partner: ""
    property string sentId: ""
    property string recipient: ""
    readonly property string replyText: "Smoke test reply " + Date.now()
    readonly property string newText: "Smoke test message " + Date.now()

    function conversationRow(text) {
        for (var i = 0; i < myConversationModel.count; ++i) {
            var row = myConversationModel.get(i)
            if (String(row.msg_text).indexOf(text) >= 0)
                return row
        }
        return null
    }

    function hasConversationId(id) {
        for (var i = 0; i < myConversationModel.count; ++i) {
            if (myConversationModel.get(i).msg_id === id)
                return true
        }
        return false
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
              dataHandler.currentUser = script.partner
              root.nextPage("MessagingConversationView.qml")
          } },
        { name: "conversation", ready: function () {
              return settled(2) && myConversationModel.count > 0
                      && conversation_zirrupName.toLowerCase() === script.partner.toLowerCase()
                      && profileview_follower
          },
          then: function () {
              var field = findItem(currentPage(), "replyField")
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
        { name: "deletequery", ready: function () {
              return findOnTop("deleteMessageDialog").status === 1 /* DialogStatus.Open */
          },
          then: function () { findOnTop("deleteMessageDialog").accept() } },
        { name: "deleted", ready: function () { return !hasConversationId(script.sentId) },
          then: function () { root.prevPage() } },
        { name: "composemenu", ready: function () { return settled(1) },
          then: function () {
              findItem(findItem(root, "messagesTab"), "topBarCompose").clicked()
          } },
        { name: "composechoice", ready: function () {
              var menu = findOnTop("composeMenu")
              return menu && menu.status === 1 /* DialogStatus.Open */
          },
          then: function () { findItem(findOnTop("composeMenu"), "directMessageButton").clicked() } },
        { name: "recipients", ready: function () {
              return settled(2) && myFollowerModel.count > 1 && !peoplelistview_is_refreshing
          },
          then: function () {
              // Narrow the list by part of the second follower's name, typed in capitals.
              var name = myFollowerModel.get(1).peoplelistitem_zirrupname
              findItem(currentPage(), "recipientFilter").text = name.substring(1).toUpperCase()
              script.recipient = name
          } },
        { name: "filtered", ready: function () {
              var list = findItem(currentPage(), "recipientList")
              var found = false
              for (var i = 0; i < list.count; ++i) {
                  var row = list.itemAtIndex(i)
                  if (!row)
                      continue
                  var part = script.recipient.substring(1).toLowerCase()
                  if (row.visible !== (row.zirrupName.toLowerCase().indexOf(part) >= 0
                                       || row.realName.toLowerCase().indexOf(part) >= 0))
                      return false
                  if (row.zirrupName === script.recipient)
                      found = true
              }
              return found
          },
          then: function () {
              var list = findItem(currentPage(), "recipientList")
              for (var i = 0; i < list.count; ++i) {
                  if (list.itemAtIndex(i).zirrupName === script.recipient) {
                      list.itemAtIndex(i).clicked()
                      return
                  }
              }
          } },
        { name: "compose", ready: function () {
              return settled(2) && composeview_screenname === script.recipient && profileview_follower
          },
          then: function () {
              findItem(currentPage(), "messageEditor").text = script.newText
              currentPage().send()
          } },
        { name: "sent", ready: function () {
              if (!settled(1))
                  return false
              for (var i = 0; i < myMessageModel.count; ++i) {
                  var row = myMessageModel.get(i)
                  if (row.screen_name.toLowerCase() === script.recipient.toLowerCase()
                          && String(row.msg_text).indexOf(script.newText) >= 0)
                      return true
              }
              return false
          },
          then: function () { Qt.exit(0) } }
    ]
}
