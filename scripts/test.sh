#!/bin/sh
# Builds everything and runs every test (ctest). Exit status is non-zero when a test fails.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
BUILD_DIR="${ZIRRUP_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug -DZIRRUP_BUILD_TESTS=ON
cmake --build "$BUILD_DIR" -j2
cd "$BUILD_DIR"
ctest --output-on-failure -j2 --timeout 300 "$@"
