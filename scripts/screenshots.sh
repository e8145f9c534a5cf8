#!/bin/sh
# Takes the README's screenshots: the start page signed out (with trends), the home timeline and a
# profile signed in, all against a fresh seeded sandbox, in a throwaway home folder, on a virtual X
# display so that the window has its own size.
# Takes the README's screenshots: the start page signed out (with trends), also in Arabic, and the
# home timeline signed in, also in German, all against a fresh seeded sandbox, in a throwaway home
# Takes the README's screenshots: the start page signed out (with trends), and the home timeline
# and the results of a search signed in, all against a fresh seeded sandbox, in a throwaway home
# folder, on a virtual X display so that the window has its own size.
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

WORK=$(mktemp -d)
SANDBOX_PID=""
cleanup() {
    [ -z "$SANDBOX_PID" ] || kill "$SANDBOX_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
export XDG_CACHE_HOME="$WORK/cache" XDG_RUNTIME_DIR="$WORK/runtime"
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$HOME" -m 700 "$XDG_RUNTIME_DIR"

"$SANDBOX" --memory --seed --port 0 >"$WORK/sandbox.log" 2>&1 &
SANDBOX_PID=$!
URL=""
while [ -z "$URL" ]; do
    kill -0 "$SANDBOX_PID" 2>/dev/null || { cat "$WORK/sandbox.log" >&2; exit 1; }
    case "$(head -n 1 "$WORK/sandbox.log")" in http://*) URL=$(head -n 1 "$WORK/sandbox.log") ;; *) sleep 0.1 ;; esac
done
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
