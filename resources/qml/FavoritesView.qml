import QtQuick 2.15
import com.orvik.meego 1.0

// The favourites of the user named by the controller's currentUser.
TweetsView {
    id: page

    showFavorites: true

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            var user = dataHandler.currentUser;
            dataHandler.updateUserFavorites(user, loadedUser !== user);
            loadedUser = user;
            dataHandler.updateProfileSubView(user);
        }
    }
}
