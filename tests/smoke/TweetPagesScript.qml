// Signed in: compose a tweet with a picture and a place and see it on top of home; open it, look at
// its picture, reply to it and see "in reply to"; delete the reply through its confirmation;
// retweet someone else's tweet; leave compose with text and get the discard dialog.
import QtQuick 2.15

SmokeRunner {
    id: script

    property string posted: "Lake view from Kallio #smoke"
    property string replied: "@demo and a reply to it"
    property string replyId: ""
    property var page: null
    property var editor: null
    property var dialog: null

    // The newest home row written by the given text, or null.
    function homeRow(text) {
        return rowWhere(myTimelineModel, function (row) { return row.status_text === text })
    }

    function openTweet(id) {
        dataHandler.currentTweetId = id
        script.page = root.nextPage("TweetView.qml", false)
    }

    function tweetShown() {
        return settled(2) && page && page.tweet_desc !== "" && !tweetview_loading && !tinyurl_thumb_loading
    }

    steps: [
        { name: "home", ready: homeShown,
          then: function () { script.page = root.nextPage("ComposeView.qml", false) } },
        { name: "compose", ready: function () { return settled(2) && findItem(page, "composeEditor") },
          then: function () {
              script.editor = findItem(page, "composeEditor")
              editor.text = script.posted
              editor.openPicker()
          } },
        { name: "picker", ready: function () {
              return editor.picker.status === 1 && dataHandler.photosModel && dataHandler.photosModel.count === 3
                      && editor.picker.loadingCount === 0
          },
          then: function () {
              // A tap on the lake, the landscape picture.
              for (var i = 0; i < dataHandler.photosModel.count; ++i) {
                  var photo = dataHandler.photosModel.get(i)
                  if (String(photo.role_image_url).indexOf("lake.jpg") > 0)
                      editor.picker.imagePicked(photo.role_image_url, photo.role_orientation_portrait,
                                                photo.role_aspect_ratio)
              }
              editor.picker.close()
          } },
        { name: "picture", ready: function () { return tweetImageUploadModel.count === 1 && editor.picker.status === 3 },
          then: function () { editor.toggleLocation() } },
        { name: "place", ready: function () { return editor.locationEnabled && geo_id !== "" && !editor.locating },
          then: function () { findItem(page, "composeTopBar").okClicked() } },
        // The service's answer brings the user back home; the tweet comes with the next refresh.
        { name: "posted", ready: function () { return settled(1) && !posting_tweet },
          then: function () { dataHandler.updateTimelineView(false) } },
        { name: "hometop", ready: function () {
              var row = myTimelineModel.count > 0 ? myTimelineModel.get(0) : null
              return row && row.status_text.indexOf(script.posted) === 0 && row.place !== ""
          },
          then: function () { openTweet(myTimelineModel.get(0).original_tweetid) } },
        { name: "owntweet", ready: function () { return tweetShown() && tweetThumbModel.count > 0 && page.tweet_place !== "" },
          then: function () { page.openPreview(tweetThumbModel.get(0).pic_url) } },
        { name: "preview", ready: function () {
              return tinyUrlPreview !== "" && !tinyurl_preview_loading && findItem(page, "previewImage").status === Image.Ready
          },
          then: function () {
              page.previewOpen = false
              script.editor = findItem(page, "replyEditor")
              page.openEditor()
          } },
        { name: "replyeditor", ready: function () { return page.state === "editing" && editor.text === "@demo " && !root.showToolBar },
          then: function () {
              editor.text = script.replied
              findItem(page, "replyCommitBar").okClicked()
          } },
        { name: "replied", ready: function () { return settled(1) && !posting_tweet && root.showToolBar },
          then: function () { dataHandler.updateTimelineView(false) } },
        { name: "replyinhome", ready: function () { return homeRow(script.replied) !== null },
          then: function () {
              script.replyId = homeRow(script.replied).original_tweetid
              openTweet(script.replyId)
          } },
        { name: "inreplyto", ready: function () {
              return tweetShown() && page.tweet_reply_status_id !== "" && findItem(page, "inReplyToLine").visible
          },
          then: function () {
              script.dialog = findItem(page, "deleteDialog")
              findItem(page.tools, "deleteButton").clicked()
          } },
        { name: "deleteconfirm", ready: function () { return dialog.status === 1 },
          then: function () { findItem(dialog, "confirmButton").clicked() } },
        // The stream reports the deletion; the row leaves home.
        { name: "deleted", ready: function () { return settled(1) && homeRow(script.replied) === null },
          then: function () {
              openTweet(rowWhere(myTimelineModel, function (row) {
                  return row.name.toLowerCase() !== "demo" && !row.protected_profile && row.retweeted_by_me_id === ""
                          && row.retweeted_name === ""
              }).original_tweetid)
          } },
        { name: "othertweet", ready: function () { return tweetShown() && findItem(page.tools, "retweetButton") },
          then: function () { findItem(page.tools, "retweetButton").clicked() } },
        { name: "retweeted", ready: function () { return page.tweet_retweeted_by_me_id !== "" },
          then: function () { root.prevPage() } },
        { name: "back", ready: function () { return settled(1) },
          then: function () { script.page = root.nextPage("ComposeView.qml", false) } },
        { name: "draft", ready: function () { return settled(2) && findItem(page, "composeEditor") },
          then: function () {
              findItem(page, "composeEditor").text = "Not sent"
              script.dialog = findItem(page, "discardDialog")
              findItem(page, "composeTopBar").cancelClicked()
          } },
        { name: "discard", ready: function () { return dialog.status === 1 },
          then: function () { findItem(dialog, "confirmButton").clicked() } },
        { name: "discarded", ready: function () { return settled(1) && tweetImageUploadModel.count === 0 },
          then: function () { Qt.exit(0) } }
    ]
}
