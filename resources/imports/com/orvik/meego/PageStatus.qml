import QtQml 2.15

// Where a page is in its life on the page stack; read as PageStatus.Active and so on.
QtObject {
    enum Status {
        Inactive,
        Activating,
        Active,
        Deactivating
    }
}
