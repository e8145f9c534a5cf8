// The tweets the signed-in user retweeted.
TimelineView {
    showRetweetedByMe: true
}
