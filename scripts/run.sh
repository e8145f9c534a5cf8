#!/bin/sh
# Builds the program and runs it.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
BUILD_DIR="${ZIRRUP_BUILD_DIR:-build-release}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DZIRRUP_BUILD_TESTS=OFF
cmake --build "$BUILD_DIR" -j2
exec "$BUILD_DIR/src/zirrup-qml" "$@"
