# Sourced by the scripts that run the program by hand (bench/ui/run.sh, scripts/screenshots.sh):
# a throwaway home and a fresh sandbox on a free loopback port, both gone when the script exits.
#
# throwaway_home: makes $WORK and points HOME, the XDG folders and the session bus into it.
# start_sandbox <zirrup-sandbox> [options...]: starts it in memory with the options, waits for it
#   to answer and sets SANDBOX_URL.

WORK=""
SANDBOX_PID=""

throwaway_session_cleanup() {
    [ -z "$SANDBOX_PID" ] || kill "$SANDBOX_PID" 2>/dev/null || true
    [ -z "$WORK" ] || rm -rf "$WORK"
}

throwaway_home() {
    WORK=$(mktemp -d)
    trap throwaway_session_cleanup EXIT
    export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
    export XDG_CACHE_HOME="$WORK/cache" XDG_RUNTIME_DIR="$WORK/runtime"
    export DBUS_SESSION_BUS_ADDRESS=disabled:
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
    mkdir -p "$HOME" -m 700 "$XDG_RUNTIME_DIR"
}

start_sandbox() {
    sandbox_program=$1
    shift
    # The first line it prints is its address.
    "$sandbox_program" --memory --port 0 "$@" >"$WORK/sandbox.log" 2>&1 &
    SANDBOX_PID=$!
    SANDBOX_URL=""
    while [ -z "$SANDBOX_URL" ]; do
        kill -0 "$SANDBOX_PID" 2>/dev/null || { cat "$WORK/sandbox.log" >&2; exit 1; }
        case "$(head -n 1 "$WORK/sandbox.log")" in
        http://*) SANDBOX_URL=$(head -n 1 "$WORK/sandbox.log") ;;
        *) sleep 0.05 ;;
        esac
    done
}
