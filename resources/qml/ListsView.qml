import QtQuick 2.15

// The lists a user was added to. Shows only its title for now.
SimplePage {
    id: page

    title: qsTrId("qtn_zirrup_more_lists")
}
