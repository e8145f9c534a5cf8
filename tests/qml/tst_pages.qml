import QtQuick 2.15
import QtTest 1.2

// Every page opens as the start page of the window without a single QML warning: signed out with
// the controller's start values, and signed in with a row in every list holding a hostile server's
// strings, which must show as typed, never as markup that styles the page or fetches an address.
// (Pages with the sandbox's own rows are opened by the smoke test.)
PageTestCase {
    id: testCase
    name: "Pages"

    property Component rootComponent: Qt.createComponent("qrc:/resources/qml/Zirrup-qml.qml")
    readonly property var fixture: testContext.readJson("data/rows.json")
    readonly property string hostile: "<b>x</b><img src='http://127.0.0.1:9/x.png'>"
    readonly property string escaped: "&lt;b&gt;x&lt;/b&gt;&lt;img src='http://127.0.0.1:9/x.png'&gt;"

    // A row holding a hostile server's strings in every model, and those strings in every property
    // that shows them (the texts the controller marks up itself come escaped).
    function fill() {
        var h = hostile;
        var row = tweet("4", h, { "desc": escaped, "status_text": h, "retweeted_name": h, "reply_name": h, "place": h, "source": h });
        fixture.tweetModels.forEach(function (name) { testContext.get(name).append(row); });
        for (var model in fixture.rows)
            testContext.get(model).append(fixture.rows[model]);
        fixture.hostileProperties.forEach(function (name) { testContext.set(name, h); });
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

    function test_open_data() {
        var data = [];
        ["start values", "hostile"].forEach(function (kind) {
            fixture.pages.forEach(function (page) {
                data.push({ tag: kind + ": " + page, page: page, kind: kind,
                            shows: fixture.quietPages.indexOf(page) < 0 });
            });
        });
        return data;
    }

    function test_open(data) {
        var signedIn = data.kind === "hostile";
        if (signedIn) {
            testContext.set("zirrup_account_exists", true);
            testContext.set("timelineview_more_tweets_available", true);
            testContext.set("profile_subview_favourites_count", 12);
            dataHandler.authenticatedUserName = "alice";
            fill();
        }
        dataHandler.startViewResult = data.page;
        var root = createTemporaryObject(rootComponent, testCase);
        compare(root.pageStack.depth, 1);
        var page = root.pageStack.currentPage;
        compare(page.status, 2 /* PageStatus.Active */);
        if (signedIn) {
            if (data.page === "TweetView.qml") {
                fixture.hostileTweetFields.forEach(function (field) { page[field] = hostile; });
                page.tweet_desc = escaped;
                page.tweet_tweetid = "4";
                page.tweet_reply_status_id = "3";
            }
            var texts = hostileTexts(root, []);
            for (var i = 0; i < texts.length; ++i)
                compare(texts[i].textFormat, Text.PlainText, String(texts[i]) + " shows " + texts[i].text);
            compare(texts.length > 0, data.shows, "the page shows the server's strings");
        }
        wait(0);
    }
}
