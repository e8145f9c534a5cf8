// Signed in: the own profile edited (bio, then photo) and read back from the service, another
// user followed, unfollowed, blocked and unblocked, and the own followers loading a second batch.
import QtQuick 2.15

SmokeRunner {
    id: script

    readonly property string bio: "Edited from the smoke test."
    property bool photoReplaced: false
    // The own name, web address and place, sent back unchanged with the new bio.
    property string kept: ""

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
          then: function () { openFor(dataHandler.authenticatedUser(), "ProfileView.qml") } },
        { name: "ownprofile", ready: function () { return profileShown("demo", 2) && profileview_own_profile === true },
          then: function () { onPage("topBarEdit").clicked() } },
        { name: "editor", ready: function () { return settled(3) && onPage("bioArea") !== null },
          then: function () {
              // The name as the service has it; empty or of 21 characters it is refused, of 20 taken.
              var name = onPage("nameLine")
              var own = name.text
              var taken = ["", "n".repeat(21), "n".repeat(20)].map(function (text) {
                  name.text = text
                  return onPage("editTopBar").okButtonEnabled
              })
              name.text = own
              script.kept = String([own, profileview_url, profileview_location])
              if (!check(own === profileview_firstname && String(taken) === "false,false,true", "name limits"))
                  return Qt.exit(4)
              onPage("bioArea").text = script.bio
              onPage("editTopBar").okClicked()
          } },
        // The editor closes once the service has taken the change.
        { name: "saved", ready: function () {
              return settled(2) && profileview_description === script.bio
                      && script.kept === String([profileview_firstname, profileview_url, profileview_location])
          },
          then: function () { root.prevPage() } },
        { name: "closed", ready: function () { return settled(1) },
          then: function () { openFor("demo", "ProfileView.qml") } },
        // Opened again, the page reads the profile from the service.
        { name: "reopened", ready: function () { return profileShown("demo", 2) && profileview_description === script.bio },
          then: function () { onPage("topBarEdit").clicked() } },
        { name: "editagain", ready: function () { return settled(3) && onPage("changePhotoButton") !== null },
          then: function () { onPage("changePhotoButton").clicked() } },
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
              onPage("editTopBar").okClicked()
          } },
        // The new picture is fetched when the service has it, and the busy indicator ends.
        { name: "photo", ready: function () { return settled(2) && script.photoReplaced && !updatingProfileImage },
          then: function () { openFor("alice", "ProfileView.qml") } },
        { name: "alice", ready: function () {
              return profileShown("alice", 3) && profileview_following && onPage("followButton").visible
          },
          then: function () { onPage("followButton").clicked() } },
        { name: "unfollowed", ready: function () { return !profileview_loading && !profileview_following },
          then: function () { onPage("followButton").clicked() } },
        { name: "followed", ready: function () { return !profileview_loading && profileview_following },
          then: function () { tool("blockButton").clicked() } },
        { name: "blocked", ready: function () { return !profileview_loading && profileview_blocked },
          then: function () { tool("blockButton").clicked() } },
        { name: "unblocked", ready: function () { return !profileview_loading && !profileview_blocked },
          then: function () { openFor("demo", "FollowersView.qml") } },
        { name: "followers", ready: function () {
              return settled(3) && myFollowerModel.count === 20 && !peoplelistview_is_refreshing
                      && peoplelistview_more_people_available
          },
          then: function () { onPage("followersList").positionViewAtEnd() } },
        // Reaching the end loads the next batch.
        { name: "morefollowers", ready: function () { return myFollowerModel.count > 20 && !peoplelistview_is_loading_more },
          then: function () { Qt.exit(0) } }
    ]
}
