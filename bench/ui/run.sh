#!/bin/sh
# Measures the program against a sandbox with a long home timeline, with the software renderer and
# with OpenGL, beside the floor (an empty Qt Quick window measured the same way), and prints one
# table; each is started a second time with the cache its first run left, to its first rows.
# Builds nothing: give it a Release build configured with -DZIRRUP_BUILD_BENCH=ON in which
# zirrup-qml, zirrup-sandbox, zirrup-signin and zirrup-bench-floor are built.
# Usage: bench/ui/run.sh <build folder> [extra home tweets, default 6000]
# ZIRRUP_BENCH_BACKENDS=software measures one renderer only (default: "software opengl").
set -eu
cd "$(dirname "$0")/../.."
BUILD_DIR="${1:?usage: bench/ui/run.sh <build folder> [tweets]}"
TWEETS="${2:-6000}"

if [ -z "${ZIRRUP_BENCH_INNER:-}" ]; then
    SANDBOX="$BUILD_DIR/sandbox/zirrup-sandbox"
    SIGNIN="$BUILD_DIR/platform/integration/tools/zirrup-signin"
    for program in "$SANDBOX" "$SIGNIN" "$BUILD_DIR/src/zirrup-qml" \
        "$BUILD_DIR/bench/ui/zirrup-bench-floor"; do
        [ -x "$program" ] || { echo "$program is missing: build first" >&2; exit 1; }
    done
    . scripts/throwaway-session.sh
    throwaway_home
    started=$(date +%s%3N)
    start_sandbox "$SANDBOX" --seed-large "$TWEETS"
    URL="$SANDBOX_URL"
    echo "sandbox with $TWEETS more tweets ready in $(($(date +%s%3N) - started)) ms"
    printf 'demo\n' | "$SIGNIN" --service "$URL" --user demo --password-stdin >/dev/null
    export ZIRRUP_SERVICE_URL="$URL" ZIRRUP_BENCH_INNER="$WORK" BUILD_DIR
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$BUILD_DIR" "$TWEETS"
    exit 0
fi

# Inside the virtual display.
WORK="$ZIRRUP_BENCH_INNER"
SCRIPT="$PWD/bench/ui/BenchScript.qml"
# Frames are swapped on the GUI thread, where the script takes their times; the script reads its
# own resident memory from /proc.
export QSG_RENDER_LOOP=basic QML_XHR_ALLOW_FILE_READ=1

# start <log> <backend> <script> <program...>: one start of the program with the script; the
# floor is given the script as its last argument as well.
start() {
    log=$1 backend=$2 script=$3
    shift 3
    case "$1" in *zirrup-bench-floor) set -- "$@" "$script" ;; esac
    if [ "$backend" = software ]; then
        QT_QUICK_BACKEND=software ZIRRUP_UI_SCRIPT="$script" "$@" >"$log" 2>&1 || true
    else
        QSG_RHI_BACKEND=opengl ZIRRUP_UI_SCRIPT="$script" "$@" >"$log" 2>&1 || true
    fi
}

# figures <log> <started> [key prefix]: the script's figures, times from the start in ms
figures() {
    sed -n 's/.*BENCH: //p' "$1" | awk -v t0="$2" -v prefix="${3:-}" '
        $1 == "first-frame" || $1 == "first-rows" { $2 = $2 - t0 }
        $1 ~ /^rss/ { $2 = sprintf("%.0f", $2 / 1024) }
        { print prefix $1, $2 }'
}

# measure <name> <backend> <program...>: runs once with an empty cache, then starts once more with
# the cache that run left, to its first rows; writes <name>.txt
measure() {
    name=$1 backend=$2
    shift 2
    rm -rf "$WORK/cache"
    export XDG_CACHE_HOME="$WORK/cache"
    started=$(date +%s%3N)
    start "$WORK/$name.log" "$backend" "$SCRIPT" "$@"
    figures "$WORK/$name.log" "$started" >"$WORK/$name.txt"
    grep -q frame-median "$WORK/$name.txt" || {
        echo "$name did not finish:" >&2
        tail -n 20 "$WORK/$name.log" >&2
    }
    started=$(date +%s%3N)
    start "$WORK/$name-cached.log" "$backend" "$PWD/bench/ui/FirstRowsScript.qml" "$@"
    figures "$WORK/$name-cached.log" "$started" cached- >>"$WORK/$name.txt"
}

for backend in ${ZIRRUP_BENCH_BACKENDS:-software opengl}; do
    measure "zirrup-$backend" "$backend" "$BUILD_DIR/src/zirrup-qml"
    measure "floor-$backend" "$backend" "$BUILD_DIR/bench/ui/zirrup-bench-floor" \
        "$PWD/bench/ui/Floor.qml"
    [ -z "${ZIRRUP_BENCH_TEXT_FLOOR:-}" ] || measure "textfloor-$backend" "$backend" \
        "$BUILD_DIR/bench/ui/zirrup-bench-floor" "$PWD/bench/ui/FloorText.qml"
done

value() { [ ! -f "$WORK/$1.txt" ] || awk -v k="$2" '$1 == k { print $2 }' "$WORK/$1.txt"; }
printf '%-26s %12s %12s %12s %12s\n' "" "software" "sw floor" "opengl" "gl floor"
for row in "first-frame:time to first frame (ms)" "first-rows:time to first rows (ms)" \
    "rss-start:resident at first rows (MiB)" "loaded-rows:rows loaded" \
    "load-ms:time to load them (ms)" "rss-loaded:resident after loading (MiB)" \
    "scrolled-rows:rows scrolled" "frames:frames" "frame-median:frame median (ms)" \
    "frame-p95:frame p95 (ms)" "frame-p99:frame p99 (ms)" "frame-worst:worst frame (ms)" \
    "frames-over-25ms:frames over 25 ms" "cached-first-frame:cached: first frame (ms)" \
    "cached-first-rows:cached: first rows (ms)"; do
    key=${row%%:*}
    printf '%-26s %12s %12s %12s %12s\n' "${row#*:}" "$(value zirrup-software "$key")" \
        "$(value floor-software "$key")" "$(value zirrup-opengl "$key")" \
        "$(value floor-opengl "$key")"
done
if [ -n "${ZIRRUP_BENCH_TEXT_FLOOR:-}" ]; then
    printf '\n%-26s %12s %12s\n' "text floor" "software" "opengl"
    for key in first-frame first-rows frame-median frame-p95 frame-p99 frame-worst \
        frames-over-25ms; do
        printf '%-26s %12s %12s\n' "$key" "$(value textfloor-software "$key")" \
            "$(value textfloor-opengl "$key")"
    done
fi
