import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// A profile, its counters and editor, and the pages behind it: one user's tweets and favourites,
// one list's tweets, and the followers and following lists (pulled and paged in tst_timeline).
PageTestCase {
    id: testCase
    name: "TweetsView"

    FakeWindow { id: window }
    readonly property var tables: testContext.readJson("data/tweetsview.json")

    // Shown and left again.
    function showAndLeave(page) {
        activate(page);
        page.status = PageStatus.Deactivating;
        page.status = PageStatus.Inactive;
    }

    function setUp() {
        window.reset();
        dataHandler.currentUser = "bob";
        dataHandler.currentListId = "77";
    }

    function test_activation_data() {
        return tables.activation;
    }

    function test_activation(data) {
        var page = openPage(data.file);
        dataHandler[data.key] = "bob";
        showAndLeave(page);
        // The first time the request is forced: the shared model may hold someone else's rows.
        showAndLeave(page);
        compare(dataHandler.count("updateProfileSubView"), data.sub ? 2 : 0);
        dataHandler[data.key] = "carol";
        showAndLeave(page);
        compare(dataHandler.callsOf(data.call), [["bob", true], ["bob", false], ["carol", !data.once]]);
        if (!data.once)
            return;
        // Back from the profile editor the page keeps what the service answered to the edit.
        page.navigatedToProfileEdit = true;
        showAndLeave(page);
        compare(dataHandler.count(data.call), 3);
    }

    function test_leavingCleansTheSharedModel() {
        var favourites = openPage("FavoritesView.qml");
        dataHandler.currentListName = "@alice/friends";
        var list = openPage("ListTweetsView.qml");
        showAndLeave(list);
        var name = list.listName;
        favourites.destroy();
        list.destroy();
        wait(0);
        compare([name, dataHandler.callsAmong(["cleanFavoritesView", "cleanTweetsView"])],
                ["@alice/friends", ["cleanFavoritesView()", "cleanTweetsView()"]]);
    }

    function test_blockAndFollowList() {
        testContext.set("zirrup_account_exists", true);
        testContext.set("profile_subview_screen_name", "bob");
        var page = openPage("UserTweetsView.qml");
        var block = findChild(page.tools, "blockButton");
        block.clicked();
        testContext.set("profile_subview_blocked", true);
        verify(String(block.iconSource).indexOf("zirrup-icon-toolbar-blocked.png") > 0);
        block.clicked();
        // Not while the profile is loading, not on the own profile.
        testContext.set("profileview_loading", true);
        block.clicked();
        compare(dataHandler.callsOf("blockProfile"), [["bob", true], ["bob", false]]);
        testContext.set("profile_subview_own_profile", true);
        verify(!block.visible);

        var list = openPage("ListTweetsView.qml");
        var follow = findChild(list.tools, "followListButton");
        // Subscribing is walked by the smoke test.
        testContext.set("tweetsview_following_list", true);
        follow.clicked();
        compare(dataHandler.callsAmong(["subscribeList", "unsubscribeList"]), ['unsubscribeList("77")']);
        // Not on the own lists.
        dataHandler.authenticatedUserName = "Bob";
        showAndLeave(list);
        verify(!follow.visible);
    }

    function test_profileCounters_data() {
        return tables.profileCounters;
    }

    function test_profileCounters(data) {
        testContext.set("profileview_screen_name", "Bob");
        testContext.set("profileview_protected", data.protect === true);
        testContext.set("profileview_following", data.following === true);
        var page = openPage("ProfileView.qml");
        mouseClick(findChild(page, data.counter));
        var dialog = findChild(page, "protectedDialog");
        if (data.file) {
            compare([dataHandler.callsOf("window.nextPage"), dataHandler.currentUser, dialog.status],
                    [[[data.file]], "Bob", DialogStatus.Closed]);
            return;
        }
        compare(dataHandler.count("window.nextPage"), 0);
        tryCompare(dialog, "status", DialogStatus.Open);
        mouseClick(findChild(dialog, "sendRequestButton"));
        compare(dataHandler.callsOf("followProfile"), [["Bob", true]]);
    }

    function test_profileEditor_data() {
        return tables.profileEditor;
    }

    function test_profileEditor(data) {
        testContext.set("profileview_firstname", "Bob Baker");
        testContext.set("profileview_url", "http://example.org/bob");
        testContext.set("profileview_location", "Berlin");
        testContext.set("profileview_description", "Bread by day.");
        var page = openPage("OwnProfileEditView.qml");
        var name = findChild(page, "nameLine");
        compare(name.text, "Bob Baker");
        name.text = data.name;
        var bar = findChild(page, "editTopBar");
        compare(bar.okButtonEnabled, data.valid);
        // A new photo is walked by the smoke test.
        bar.okClicked();
        compare(dataHandler.callsOf("updateAccountData"),
                data.valid ? [[data.name, "http://example.org/bob", "Berlin", "Bread by day."]] : []);
    }
}
