import QtQuick 2.15
import com.orvik.meego 1.0

// Writing a direct message. Shows only the recipient for now.
SimplePage {
    id: page

    title: composeview_screenname
}
