#!/bin/sh
# Runs the libFuzzer targets one after another, each for the given number of seconds, at the
# lowest priority (the machine is shared). Builds them first in build-fuzz/ with clang.
#
#   scripts/fuzz.sh [seconds per target] [target...]     targets: json stream markup multipart requestguard
#
# The seed corpus under tests/fuzz/corpus/<target> is only read; what the fuzzer adds goes to
# build-fuzz/corpus/<target>, crashes to build-fuzz/artifacts/<target>/. A crash found becomes a
# regression case: copy the file into tests/fuzz/corpus/<target>/ and mend the code.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-600}
[ $# -gt 0 ] && shift
targets=${*:-json stream markup multipart requestguard}
build=build-fuzz

if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZIRRUP_BUILD_TESTS=OFF -DZIRRUP_BUILD_FUZZ=ON
fi
for target in $targets; do
    nice -n 19 cmake --build "$build" -j2 --target "fuzz_$target"
done

export QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=disabled: QT_LOGGING_RULES='*.debug=false'
export ASAN_OPTIONS=detect_leaks=0
status=0
for target in $targets; do
    work="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$work" "$artifacts"
    log="$build/fuzz_$target.log"
    echo "fuzz_$target: ${seconds}s, log in $log"
    if ! nice -n 19 "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        status=1
        echo "fuzz_$target: FOUND A CRASH, see $log and $artifacts/"
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^Done ' "$log" || true
done
exit $status
