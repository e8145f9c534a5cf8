import QtQuick 2.15

// The users a user follows. Shows only its title for now.
SimplePage {
    id: page

    title: qsTrId("qtn_zirrup_profile_following")
}
