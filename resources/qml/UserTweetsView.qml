import QtQuick 2.15
import com.orvik.meego 1.0

// The tweets of the user named by the controller's currentUser.
TweetsView {
    id: page

    showFavorites: false

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            var user = dataHandler.currentUser;
            dataHandler.updateUserTweets(user, loadedUser !== user);
            loadedUser = user;
            dataHandler.updateProfileSubView(user);
        }
    }
}
