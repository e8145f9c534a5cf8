import QtQuick 2.15
import QtTest 1.2
import com.orvik.meego 1.0

// The profile page (what it loads when it becomes active, where its counters lead) and the
// followers and following pages.
TestCase {
    id: testCase
    name: "ProfileView"
    width: 480
    height: 854
    visible: true
    when: windowShown

    FakeWindow {
        id: window
    }

    function open(file) {
        var page = createTemporaryObject(Qt.createComponent("qrc:/resources/qml/" + (file || "ProfileView.qml")),
                                         testCase, { width: 480, height: 854 });
        verify(page);
        page.visible = true;
        return page;
    }

    function activate(page) {
        page.status = PageStatus.Activating;
        page.status = PageStatus.Active;
        page.status = PageStatus.Deactivating;
        page.status = PageStatus.Inactive;
    }

    function init() {
        testContext.reset();
        window.reset();
        failOnWarning(/.?/);
    }

    function test_activation() {
        var page = open();
        dataHandler.currentUser = "bob";
        activate(page);
        // Only the first load fetches the avatar again.
        activate(page);
        compare(dataHandler.callsOf("updateProfileView"), [["bob", true], ["bob", false]]);
        // Back from the editor the page keeps what the service answered to the edit.
        page.navigatedToProfileEdit = true;
        activate(page);
        compare(dataHandler.count("updateProfileView"), 2);
        compare(page.navigatedToProfileEdit, false);
    }

    function test_counters_data() {
        return [
            { tag: "tweets", counter: "tweetsCounter", file: "UserTweetsView.qml", protect: false, following: false },
            { tag: "favourites", counter: "favoritesCounter", file: "FavoritesView.qml", protect: false, following: false },
            { tag: "following", counter: "followingCounter", file: "FollowingView.qml", protect: false, following: false },
            { tag: "followers", counter: "followersCounter", file: "FollowersView.qml", protect: false, following: false },
            { tag: "listed", counter: "listedCounter", file: "ListsView.qml", protect: false, following: false },
            { tag: "protected", counter: "followersCounter", file: "", protect: true, following: false },
            { tag: "protected, approved follower", counter: "tweetsCounter", file: "UserTweetsView.qml", protect: true, following: true },
        ];
    }

    function test_counters(data) {
        testContext.set("profileview_screen_name", "Bob");
        testContext.set("profileview_protected", data.protect);
        testContext.set("profileview_following", data.following);
        var page = open();
        dataHandler.currentUser = "bob";
        var counter = findChild(page, data.counter);
        verify(counter);
        mouseClick(counter);
        var dialog = findChild(page, "protectedDialog");
        if (data.file === "") {
            compare(dataHandler.count("window.nextPage"), 0);
            tryCompare(dialog, "status", DialogStatus.Open);
            mouseClick(findChild(dialog, "sendRequestButton"));
            compare(dataHandler.callsOf("followProfile"), [["Bob", true]]);
        } else {
            compare(dataHandler.callsOf("window.nextPage"), [[data.file]]);
            compare(dataHandler.currentUser, "Bob");
            compare(dialog.status, DialogStatus.Closed);
        }
    }

    function test_peopleLists_data() {
        return [
            { tag: "followers", file: "FollowersView.qml", call: "updateFollowersView" },
            { tag: "following", file: "FollowingView.qml", call: "updateFollowingView" },
        ];
    }

    function test_peopleLists(data) {
        dataHandler.currentUser = "bob";
        var page = open(data.file);
        activate(page);
        activate(page);
        // Only a user not loaded yet forces the list to load again.
        compare(dataHandler.callsOf(data.call), [["bob", true], ["bob", false]]);
        compare(dataHandler.callsOf("updateProfileSubView"), [["bob"], ["bob"]]);
    }

    function test_editor_data() {
        return [
            { tag: "20 characters", name: "n".repeat(20), valid: true },
            { tag: "21 characters", name: "n".repeat(21), valid: false },
            // The service refuses an empty name.
            { tag: "empty", name: "", valid: false },
        ];
    }

    function test_editor(data) {
        testContext.set("profileview_firstname", "Bob Baker");
        testContext.set("profileview_url", "http://example.org/bob");
        testContext.set("profileview_location", "Berlin");
        testContext.set("profileview_description", "Bread by day.");
        var page = open("OwnProfileEditView.qml");
        var name = findChild(page, "nameLine");
        compare(name.text, "Bob Baker");
        name.text = data.name;
        var bar = findChild(page, "editTopBar");
        compare(bar.okButtonEnabled, data.valid);
        findChild(page, "profilePhotoPicker").imagePicked("file:///pictures/lake.jpg", false, 0.75);
        bar.okClicked();
        if (!data.valid) {
            compare(dataHandler.count("updateAccountData"), 0);
            return;
        }
        compare(dataHandler.callsOf("updateAccountData"),
                [[data.name, "http://example.org/bob", "Berlin", "Bread by day."]]);
        compare(dataHandler.callsOf("updateAccountImage"), [["file:///pictures/lake.jpg"]]);
    }
}
