import QtQml 2.15

// Where a dialog, sheet or menu is between opening and closing; read as DialogStatus.Open.
QtObject {
    enum Status {
        Opening,
        Open,
        Closing,
        Closed
    }
}
