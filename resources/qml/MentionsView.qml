// The mentions of the signed-in user.
TimelineView {
    showMentions: true
}
