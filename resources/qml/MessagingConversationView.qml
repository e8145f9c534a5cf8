import QtQuick 2.15
import com.orvik.meego 1.0

// One direct-message conversation. Shows only the partner for now.
SimplePage {
    id: page

    onStatusChanged: {
        if (status === PageStatus.Activating)
            dataHandler.updateConversationView(dataHandler.currentUser);
    }

    title: conversation_zirrupName
}
