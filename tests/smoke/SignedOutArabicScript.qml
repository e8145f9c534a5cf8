// LANG=ar_EG.UTF-8
// Signed out in Arabic: the start page in the Arabic catalogue's words, the window mirrored.
import QtQuick 2.15

SmokeRunner {
    steps: languageSteps({ signIn: "تسجيل الدخول", signUp: "إنشاء حساب", fiveMinutesAgo: "منذ ٥ دقائق",
                           mirrored: true })
}
