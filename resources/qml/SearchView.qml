import QtQuick 2.15
import com.orvik.meego 1.0

// The results of a search. Shows only the query for now.
SimplePage {
    id: page

    property string searchText: ""

    onStatusChanged: {
        if (status === PageStatus.Activating) {
            searchText = dataHandler.currentSearchString;
            dataHandler.searchTweets(searchText);
        }
    }

    title: searchText
}
