import QtQuick 2.15

// Writing a new tweet. Shows only its title for now; the editor comes with the compose pages.
SimplePage {
    id: page

    title: qsTrId("qtn_zirrup_tweet_command")
}
