StackPage {
    label: "A"
}
