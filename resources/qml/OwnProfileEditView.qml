import QtQuick 2.15

// Editing the own profile. Shows only its title for now.
SimplePage {
    id: page

    title: qsTrId("qtn_zirrup_profile_edit_command")
}
