StackPage {
    label: "E"
}
