import QtQuick 2.15
import com.orvik.meego 1.0

// A user's profile. Shows only the screen name for now.
SimplePage {
    id: page

    onStatusChanged: {
        if (status === PageStatus.Activating)
            dataHandler.updateProfileView(dataHandler.currentUser, false);
    }

    title: profileview_screen_name
}
