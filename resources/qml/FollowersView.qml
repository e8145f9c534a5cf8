import QtQuick 2.15

// The followers of a user. Shows only its title for now.
SimplePage {
    id: page

    title: qsTrId("qtn_zirrup_profile_followers")
}
