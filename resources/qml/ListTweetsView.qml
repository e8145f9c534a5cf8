import QtQuick 2.15
import com.orvik.meego 1.0

// The tweets of the list named by the controller's currentListId.
TweetsView {
    id: page

    showList: true

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            var listId = dataHandler.currentListId;
            listName = dataHandler.currentListName;
            ownList = dataHandler.currentUser.toLowerCase() === dataHandler.authenticatedUser();
            dataHandler.updateListTweets(listId, loadedUser !== listId);
            loadedUser = listId;
            // Loading the tweets takes the list as followed; ask the service.
            dataHandler.updateListFollowing(listId);
        }
    }
}
