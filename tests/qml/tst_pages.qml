import QtQuick 2.15
import QtTest 1.2

// Every page opens as the start page of the window, with the controller's context properties at
// their start values and again with rows in every list, without a single QML warning.
TestCase {
    id: testCase
    name: "Pages"
    width: 480
    height: 854
    visible: true
    when: windowShown

    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")

    readonly property var pages: [
        "SignInView.qml", "MainView.qml", "TimelineView.qml", "MentionsView.qml",
        "RetweetedByMeView.qml", "UserTweetsView.qml", "FavoritesView.qml", "ListTweetsView.qml",
        "MenuView.qml", "MessagesView.qml", "SearchHistoryView.qml", "TweetView.qml",
        "ComposeView.qml", "ProfileView.qml", "SearchView.qml", "MessagingConversationView.qml",
        "MessageComposeView.qml", "RecipientSelectionView.qml", "OwnProfileEditView.qml",
        "FollowersView.qml", "FollowingView.qml", "ListsView.qml"
    ]

    function tweet(id, name, extra) {
        var row = {
            "desc": "hello <a href=\"#qt\" style=\"text-decoration:none; color:#4d6980\">#qt</a>",
            "name": name, "place": "", "timestamp": "Sat Dec 05 10:11:12 2026",
            "section_timestamp": "A moment ago - \u2028" + "6 hours ago", "original_image_url": "",
            "image_url": "", "retweeted_name": "", "reply_status_id": "", "reply_name": "",
            "source": "web", "tweetid": id, "original_tweetid": id, "fullname": name,
            "favorited": false, "status_text": "hello #qt", "retweeted_by_me_id": "",
            "protected_profile": false
        };
        for (var key in extra)
            row[key] = extra[key];
        return row;
    }

    function fillModels() {
        var tweets = [tweet("3", "alice", {}), tweet("2", "bob", { "reply_name": "alice", "favorited": true }),
                      tweet("1", "carol", { "retweeted_name": "dave", "place": "Oulu", "retweeted_by_me_id": "9" })];
        for (var i = 0; i < tweets.length; ++i) {
            myTimelineModel.append(tweets[i]);
            myMentionsModel.append(tweets[i]);
            myRetweetedModel.append(tweets[i]);
            myTweetsModel.append(tweets[i]);
            myFavoritesModel.append(tweets[i]);
            myTweetSearchModel.append(tweets[i]);
        }
        myProfileSearchModel.append({ "peoplelistitem_zirrupname": "alice", "peoplelistitem_realname": "Alice",
                                      "peoplelistitem_following": false, "peoplelistitem_avatar": "" });
        mySearchHistoryModel.append({ "query_item": "#qt" });
        myTrendsModel.append({ "query_item": "#meego", "id": "" });
        mySavedSearchesModel.append({ "query_item": "zirrup", "id": "12" });
        mySubscribedListsModel.append({ "name": "@alice/friends", "desc": "Good\npeople", "isprivate": true,
                                        "id": "77", "screenName": "alice", "avatar": "" });
        var person = { "peoplelistitem_zirrupname": "bob", "peoplelistitem_realname": "Bob Baker",
                       "peoplelistitem_following": true, "peoplelistitem_avatar": "" };
        myFollowerModel.append(person);
        myFollowingModel.append(person);
        myMessageModel.append({ "screen_name": "bob", "sender_screen_name": "bob", "msg_text": "hi",
                                "created_at": "Sat Dec 05 10:11:12 2026", "avatar_url": "",
                                "sender_avatar_url": "", "received": true, "msg_id": "5", "msg_unread": true });
        myConversationModel.append({ "screen_name": "bob", "sender_screen_name": "alice", "msg_text": "hello",
                                     "created_at": "Sat Dec 05 10:11:12 2026", "avatar_url": "",
                                     "sender_avatar_url": "", "received": false, "msg_id": "6", "msg_unread": false });
        myAddedToListsModel.append({ "name": "@bob/bakers", "desc": "Bread", "isprivate": false,
                                     "id": "78", "screenName": "bob", "avatar": "" });
    }

    function init() {
        testContext.reset();
        failOnWarning(/.?/);
    }

    function openPage(page, signedIn) {
        if (signedIn) {
            testContext.set("zirrup_account_exists", true);
            dataHandler.authenticatedUserName = "alice";
        }
        dataHandler.startViewResult = page;
        var root = createTemporaryObject(rootComponent, testCase);
        verify(root, "the root window loads");
        compare(root.pageStack.depth, 1);
        var current = root.pageStack.currentPage;
        verify(current, page + " is on the stack");
        compare(current.status, 2 /* PageStatus.Active */);
        wait(0);
        return root;
    }

    function test_startValues_data() {
        var data = [];
        for (var i = 0; i < pages.length; ++i)
            data.push({ tag: pages[i], page: pages[i] });
        return data;
    }

    function test_startValues(data) {
        var root = openPage(data.page, false);
        root.destroy();
        wait(0);
    }

    function test_withRows_data() {
        return test_startValues_data();
    }

    function test_withRows(data) {
        fillModels();
        testContext.set("timelineview_more_tweets_available", true);
        testContext.set("profile_subview_favourites_count", 12);
        var root = openPage(data.page, true);
        root.destroy();
        wait(0);
    }

    // A faulty or hostile server's names, bios and places must show as typed, never as markup
    // that styles the page or fetches an address. The controller escapes what it marks up itself.
    readonly property string hostile: "<b>x</b><img src='http://127.0.0.1:9/x.png'>"
    readonly property string escaped: "&lt;b&gt;x&lt;/b&gt;&lt;img src='http://127.0.0.1:9/x.png'&gt;"

    function fillHostileModels() {
        var h = hostile;
        var row = tweet("4", h, { "desc": escaped, "status_text": h, "fullname": h, "retweeted_name": h,
                                  "reply_name": h, "place": h, "source": h });
        var models = [myTimelineModel, myMentionsModel, myRetweetedModel, myTweetsModel, myFavoritesModel,
                      myTweetSearchModel];
        for (var i = 0; i < models.length; ++i)
            models[i].append(row);
        var person = { "peoplelistitem_zirrupname": h, "peoplelistitem_realname": h,
                       "peoplelistitem_following": false, "peoplelistitem_avatar": "" };
        myProfileSearchModel.append(person);
        myFollowerModel.append(person);
        myFollowingModel.append(person);
        mySearchHistoryModel.append({ "query_item": h });
        myTrendsModel.append({ "query_item": h, "id": "" });
        mySavedSearchesModel.append({ "query_item": h, "id": "12" });
        var list = { "name": h, "desc": h, "isprivate": false, "id": "77", "screenName": h, "avatar": "" };
        mySubscribedListsModel.append(list);
        myAddedToListsModel.append(list);
        var message = { "screen_name": h, "sender_screen_name": h, "msg_text": escaped,
                        "created_at": "Sat Dec 05 10:11:12 2026", "avatar_url": "", "sender_avatar_url": "",
                        "received": true, "msg_id": "5", "msg_unread": true };
        myMessageModel.append(message);
        myConversationModel.append(message);
        var names = ["profileview_firstname", "profileview_screen_name", "profileview_location",
                     "profileview_description", "profile_subview_firstname", "profile_subview_screen_name",
                     "conversation_zirrupName", "conversation_firstname", "composeview_screenname",
                     "composeview_realname", "tweetview_profile_name", "geo_location"];
        for (var j = 0; j < names.length; ++j)
            testContext.set(names[j], h);
        testContext.set("profileview_ui_url", escaped);
        testContext.set("composeview_msg_text", escaped);
        dataHandler.currentListName = h;
        dataHandler.currentSearchString = h;
    }

    // Every visible text item that holds the hostile markup as it stands, unescaped.
    function hostileTexts(item, out) {
        if (item.visible && item.textFormat !== undefined && typeof item.text === "string"
                && item.text.indexOf("<b>x</b>") >= 0)
            out.push(item);
        for (var i = 0; i < item.children.length; ++i)
            hostileTexts(item.children[i], out);
        return out;
    }

    function test_hostileStrings_data() {
        // Pages that show none of these strings, or only through the controller's markup.
        var quiet = ["SignInView.qml", "SearchHistoryView.qml", "ComposeView.qml"];
        var data = test_startValues_data();
        for (var i = 0; i < data.length; ++i)
            data[i].shows = quiet.indexOf(data[i].page) < 0;
        return data;
    }

    function test_hostileStrings(data) {
        fillHostileModels();
        var root = openPage(data.page, true);
        var page = root.pageStack.currentPage;
        if (data.page === "TweetView.qml") {
            var fields = ["tweet_name", "tweet_firstname", "tweet_place", "tweet_retweeted_name",
                          "tweet_reply_name", "tweet_source"];
            for (var f = 0; f < fields.length; ++f)
                page[fields[f]] = hostile;
            page.tweet_desc = escaped;
            page.tweet_tweetid = "4";
            page.tweet_reply_status_id = "3";
        }
        var texts = hostileTexts(root, []);
        for (var i = 0; i < texts.length; ++i)
            compare(texts[i].textFormat, Text.PlainText, String(texts[i]) + " shows " + texts[i].text);
        compare(texts.length > 0, data.shows, "the page shows the server's strings");
        root.destroy();
        wait(0);
    }
}
