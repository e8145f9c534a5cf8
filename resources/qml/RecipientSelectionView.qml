import QtQuick 2.15

// Choosing the recipient of a direct message. Shows only its title for now.
SimplePage {
    id: page

    title: qsTrId("qtn_zirrup_message_command")
}
