import QtQuick 2.15

// Holds the tabs of a page (its children) and shows only currentTab. Tabs that are pages follow
// the status of the page the group sits on: the current tab is Active while that page is, the
// others are Inactive; switching tabs takes the old one through Deactivating and the new one
// through Activating.
Item {
    id: root

    property Item currentTab: null
    property Item __page: null
    property Item __shownTab: null

    function __findPage() {
        for (var item = parent; item; item = item.parent) {
            if (item.status !== undefined && item.pageStack !== undefined && item.tools !== undefined)
                return item;
        }
        return null;
    }

    function __pageStatus() {
        return __page ? __page.status : PageStatus.Active;
    }

    function __showCurrent() {
        var previous = __shownTab;
        __shownTab = currentTab;
        for (var i = 0; i < children.length; ++i) {
            if (children[i] !== currentTab)
                children[i].visible = false;
        }
        if (previous && previous !== currentTab && previous.status !== undefined) {
            if (previous.status !== PageStatus.Inactive) {
                previous.status = PageStatus.Deactivating;
                previous.status = PageStatus.Inactive;
            }
        }
        if (!currentTab)
            return;
        currentTab.visible = true;
        if (currentTab.status === undefined || previous === currentTab)
            return;
        var pageStatus = __pageStatus();
        if (pageStatus === PageStatus.Active) {
            currentTab.status = PageStatus.Activating;
            currentTab.status = PageStatus.Active;
        } else {
            currentTab.status = pageStatus;
        }
    }

    function __followPage() {
        if (currentTab && currentTab.status !== undefined)
            currentTab.status = __pageStatus();
    }

    width: parent ? parent.width : 0
    height: parent ? parent.height : 0

    onCurrentTabChanged: __showCurrent()
    onChildrenChanged: {
        for (var i = 0; i < children.length; ++i) {
            if (children[i] !== currentTab)
                children[i].visible = false;
        }
    }
    Component.onCompleted: {
        __page = __findPage();
        __shownTab = null;
        __showCurrent();
    }

    Connections {
        target: root.__page
        function onStatusChanged() { root.__followPage(); }
    }
}
