StackPage {
    label: "C"
}
