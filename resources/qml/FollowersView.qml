import QtQuick 2.15

// The followers of the user named by the controller's currentUser.
PeopleListView {
    showFollowers: true
}
