// LANG=de_DE.UTF-8
// Signed out in German: the start page in the German catalogue's words, read left to right.
import QtQuick 2.15

SmokeRunner {
    steps: languageSteps({ signIn: "Anmelden", signUp: "Registrieren", fiveMinutesAgo: "Vor 5 Minuten",
                           number: "12.345", mirrored: false })
}
