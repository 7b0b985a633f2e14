#!/usr/bin/env bash
# Builds Plaza with its tests and runs the whole suite.
#   scripts/test.sh              the normal build, in build/
#   scripts/test.sh --sanitize   AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
options=()
case "${1:-}" in
    "") ;;
    --sanitize)
        build=build-asan
        options=(-DPLAZA_SANITIZE=ON)
        ;;
    *)
        echo "usage: $0 [--sanitize]" >&2
        exit 2
        ;;
esac

scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZA_BUILD_BENCH=OFF "${options[@]}"
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" -j"$(nproc)" --output-on-failure
