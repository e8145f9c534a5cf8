// LANG=ar_EG.UTF-8
// Signed out in Arabic: the start page in the Arabic catalogue's words, the window mirrored.
import QtQuick 2.15

SmokeRunner {
    id: script

    steps: [
        { name: "start", ready: function () {
              var trends = findItem(root, "trendsList")
              return settled(1) && trends && trends.count > 0
          },
          then: function () {
              var signIn = findItem(root, "signInButton")
              var signUp = findItem(root, "signUpButton")
              var ok = check(signIn.text === "تسجيل الدخول" && signUp.text === "إنشاء حساب", "button texts")
                      && check(qsTrId("qtn_comm_time_minute_ago", 5) === "منذ ٥ دقائق", "time text")
                      && check(root.LayoutMirroring.enabled
                               && signIn.mapToItem(root, 0, 0).x > signUp.mapToItem(root, 0, 0).x,
                               "mirroring")
              Qt.exit(ok ? 0 : 4)
          } }
    ]
}
