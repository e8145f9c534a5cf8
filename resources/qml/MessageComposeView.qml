import QtQuick 2.15

// Writing a direct message. Shows only the recipient for now.
SimplePage {
    id: page

    title: composeview_screenname
}
