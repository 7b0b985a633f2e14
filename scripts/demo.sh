#!/usr/bin/env bash
# Builds Plaza and runs the demo host on the bundled sample catalog.
# Without a display it runs the scripted tour and prints where the screenshots are.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZA_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)"
exec build/bin/plaza-host "$@"
