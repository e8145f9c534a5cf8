// LANG=de_DE.UTF-8
// Signed out in German: the start page in the German catalogue's words, read left to right.
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
              var ok = check(signIn.text === "Anmelden" && signUp.text === "Registrieren", "button texts")
                      && check(qsTrId("qtn_comm_time_minute_ago", 5) === "Vor 5 Minuten", "time text")
                      && check(dataHandler.getLocalizedInt(12345) === "12.345", "number")
                      && check(!root.LayoutMirroring.enabled
                               && signIn.mapToItem(root, 0, 0).x < signUp.mapToItem(root, 0, 0).x,
                               "reading direction")
              Qt.exit(ok ? 0 : 4)
          } }
    ]
}
