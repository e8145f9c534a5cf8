import QtQuick 2.15

// The users that the user named by the controller's currentUser follows.
PeopleListView {
    showFollowers: false
}
