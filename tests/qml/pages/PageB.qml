StackPage {
    label: "B"
}
