StackPage {
    label: "D"
}
