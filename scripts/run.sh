#!/bin/sh
# Builds Zirrup and runs it signed in to a local sandbox service with demo data.
# The sandbox keeps its database under the XDG data folder, so the demo world (and whatever you
# post) is still there next time. It stops when the client exits.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
BUILD_DIR="${ZIRRUP_BUILD_DIR:-build-release}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DZIRRUP_BUILD_TESTS=OFF
cmake --build "$BUILD_DIR" -j2

SANDBOX="$BUILD_DIR/sandbox/zirrup-sandbox"
SIGNIN="$BUILD_DIR/platform/integration/tools/zirrup-signin"
CLIENT="$BUILD_DIR/src/zirrup-qml"

LOG=$(mktemp)
ERRLOG=$(mktemp)
"$SANDBOX" --seed --port 0 >"$LOG" 2>"$ERRLOG" &
SANDBOX_PID=$!
cleanup() {
    kill "$SANDBOX_PID" 2>/dev/null || true
    wait "$SANDBOX_PID" 2>/dev/null || true
    rm -f "$LOG" "$ERRLOG"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The sandbox's first line of output is its address.
URL=""
tries=0
while [ -z "$URL" ]; do
    if ! kill -0 "$SANDBOX_PID" 2>/dev/null; then
        echo "zirrup-sandbox did not start:" >&2
        cat "$LOG" "$ERRLOG" >&2
        exit 1
    fi
    line=$(head -n 1 "$LOG")
    case "$line" in http://*) URL="$line" ;; esac
    tries=$((tries + 1))
    [ "$tries" -lt 600 ] || { echo "zirrup-sandbox did not answer" >&2; exit 1; }
    [ -n "$URL" ] || sleep 0.1
done
echo "Sandbox service: $URL (demo account: demo / demo)"

export ZIRRUP_SERVICE_URL="$URL"
printf 'demo\n' | "$SIGNIN" --service "$URL" --user demo --password-stdin

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running on a virtual X display (xvfb-run)."
    xvfb-run -a -s "-screen 0 1280x1024x24" "$CLIENT" "$@"
else
    "$CLIENT" "$@"
fi
