// Signed in: the own profile edited (bio, then photo) and read back from the service, another
// user followed, unfollowed, blocked and unblocked, and the own followers loading a second batch.
import QtQuick 2.15

SmokeRunner {
    id: script

    readonly property string bio: "Edited from the smoke test."
    property bool photoReplaced: false

    function openProfile(name) {
        dataHandler.currentUser = name
        root.nextPage("ProfileView.qml", false)
    }

    function profileShown(name, depth) {
        return settled(depth) && profileview_screen_name === name && !profileview_loading
    }

    // Only the own photo change lets go of the old picture with an empty source.
    Connections {
        target: dataHandler
        function onUserImageLoaded(screenName, size, imageUrl) {
            if (imageUrl === "")
                script.photoReplaced = true
        }
    }

    steps: [
        { name: "home", ready: function () { return settled(1) && dataHandler.authenticatedUser() === "demo" },
          then: function () { openProfile(dataHandler.authenticatedUser()) } },
        { name: "ownprofile", ready: function () { return profileShown("demo", 2) && profileview_own_profile === true },
          then: function () { findItem(currentPage(), "topBarEdit").clicked() } },
        { name: "editor", ready: function () { return settled(3) && findItem(currentPage(), "bioArea") !== null },
          then: function () {
              findItem(currentPage(), "bioArea").text = script.bio
              findItem(currentPage(), "editTopBar").okClicked()
          } },
        // The editor closes once the service has taken the change.
        { name: "saved", ready: function () { return settled(2) && profileview_description === script.bio },
          then: function () { root.prevPage() } },
        { name: "closed", ready: function () { return settled(1) },
          then: function () { openProfile("demo") } },
        // Opened again, the page reads the profile from the service.
        { name: "reopened", ready: function () { return profileShown("demo", 2) && profileview_description === script.bio },
          then: function () { findItem(currentPage(), "topBarEdit").clicked() } },
        { name: "editagain", ready: function () { return settled(3) && findItem(currentPage(), "changePhotoButton") !== null },
          then: function () { findItem(currentPage(), "changePhotoButton").clicked() } },
        { name: "picker", ready: function () {
              var grid = findOnTop("pickerGrid")
              return grid !== null && grid.count === 3
          },
          then: function () {
              var picture = dataHandler.photosModel.get(0)
              var picker = findOnTop("profilePhotoPicker")
              picker.imagePicked(picture.role_image_url, picture.role_orientation_portrait,
                                 picture.role_aspect_ratio)
              picker.close()
              findItem(currentPage(), "editTopBar").okClicked()
          } },
        // The new picture is fetched when the service has it, and the busy indicator ends.
        { name: "photo", ready: function () { return settled(2) && script.photoReplaced && !updatingProfileImage },
          then: function () { openProfile("alice") } },
        { name: "alice", ready: function () {
              return profileShown("alice", 3) && profileview_following && findItem(currentPage(), "followButton").visible
          },
          then: function () { findItem(currentPage(), "followButton").clicked() } },
        { name: "unfollowed", ready: function () { return !profileview_loading && !profileview_following },
          then: function () { findItem(currentPage(), "followButton").clicked() } },
        { name: "followed", ready: function () { return !profileview_loading && profileview_following },
          then: function () { tool("blockButton").clicked() } },
        { name: "blocked", ready: function () { return !profileview_loading && profileview_blocked },
          then: function () { tool("blockButton").clicked() } },
        { name: "unblocked", ready: function () { return !profileview_loading && !profileview_blocked },
          then: function () {
              dataHandler.currentUser = "demo"
              root.nextPage("FollowersView.qml", false)
          } },
        { name: "followers", ready: function () {
              return settled(3) && myFollowerModel.count === 20 && !peoplelistview_is_refreshing
                      && peoplelistview_more_people_available
          },
          then: function () { findItem(currentPage(), "followersList").positionViewAtEnd() } },
        // Reaching the end loads the next batch.
        { name: "morefollowers", ready: function () { return myFollowerModel.count > 20 && !peoplelistview_is_loading_more },
          then: function () { Qt.exit(0) } }
    ]
}
