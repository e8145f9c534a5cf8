#!/bin/sh
# Takes the README's screenshots: the start page signed out (with trends), also in Arabic, the home
# timeline signed in, also in German, a profile, a conversation, the results of a search, the
# compose page with a picture and a place, and a tweet page with its reply editor open, all against
# a fresh seeded sandbox, in a throwaway home folder, on a virtual X display so that the window has
# its own size.
# Usage: scripts/screenshots.sh [build folder]   (default: build)
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
SANDBOX="$BUILD_DIR/sandbox/zirrup-sandbox"
SIGNIN="$BUILD_DIR/platform/integration/tools/zirrup-signin"
CLIENT="$BUILD_DIR/src/zirrup-qml"
for program in "$SANDBOX" "$SIGNIN" "$CLIENT"; do
    [ -x "$program" ] || { echo "$program is missing: build first" >&2; exit 1; }
done

. scripts/throwaway-session.sh
throwaway_home
start_sandbox "$SANDBOX" --seed
URL="$SANDBOX_URL"
export ZIRRUP_SERVICE_URL="$URL"

# shoot <picture> [locale] [script]: the program runs in the locale (default: this shell's LANG)
# and the script (default: the first page settled) drives it and saves "screenshot.png" beside
# itself.
cp scripts/*.qml "$WORK/"
shoot() {
    rm -f "$WORK/screenshot.png"
    env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="${2:-${LANG:-C.UTF-8}}" \
        ZIRRUP_UI_SCRIPT="$WORK/$(basename "${3:-ScreenshotScript.qml}")" \
        xvfb-run -a -s "-screen 0 1280x1024x24" "$CLIENT" >"$WORK/client.log" 2>&1 || {
        cat "$WORK/client.log" >&2
        exit 1
    }
    cp "$WORK/screenshot.png" "$1"
    echo "wrote $1"
}

shoot docs/screenshot-signed-out.png
shoot docs/screenshot-signed-out-arabic.png ar_EG.UTF-8
printf 'demo\n' | "$SIGNIN" --service "$URL" --user demo --password-stdin >/dev/null
shoot docs/screenshot-home.png
shoot docs/screenshot-profile.png scripts/ProfileShotScript.qml
shoot docs/screenshot-home-german.png de_DE.UTF-8
shoot docs/screenshot-conversation.png ConversationShotScript.qml
shoot docs/screenshot-search.png SearchShotScript.qml
# A picture for the gallery and a recorded position in Kallio, Helsinki, for the place.
mkdir -p "$HOME/Pictures"
convert -size 1600x1200 gradient:'#f6c36b'-'#2a6fb0' -fill '#1d3b5a' -draw 'rectangle 0,820 1600,1200' \
    -fill '#ffe9a8' -draw 'circle 1100,520 1100,600' "$HOME/Pictures/lake.jpg"
export ZIRRUP_POSITION_LOG="$PWD/tests/smoke/position.nmea"
shoot docs/screenshot-compose.png ComposeShotScript.qml
shoot docs/screenshot-tweet.png TweetShotScript.qml
