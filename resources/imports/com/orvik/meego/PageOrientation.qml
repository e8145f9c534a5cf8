import QtQml 2.15

// How a page wants the window oriented; read as PageOrientation.LockPortrait and so on.
QtObject {
    enum Orientation {
        Automatic,
        LockPortrait,
        LockLandscape,
        LockPrevious,
        Manual
    }
}
