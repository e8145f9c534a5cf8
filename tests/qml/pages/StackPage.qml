import QtQuick 2.15
import com.orvik.meego 1.0

// A page for the navigation tests: it keeps the statuses it went through, the subject the
// controller named when it was made, and reports its destruction to the fake controller.
Page {
    id: page

    property string label: ""
    property string user: ""
    property string tweetId: ""
    property string extra: ""
    // The subject the controller named when the page was last shown.
    property string shownUser: ""
    property var statusLog: []

    tools: ToolBarLayout {
        objectName: page.label + "Tools"
    }

    onStatusChanged: {
        statusLog.push(status);
        if (status === PageStatus.Activating)
            shownUser = dataHandler.currentUser;
    }

    Component.onCompleted: {
        user = dataHandler.currentUser;
        tweetId = dataHandler.currentTweetId;
    }
    Component.onDestruction: dataHandler.record("pageDestroyed", [label])
}
