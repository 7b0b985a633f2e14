#!/usr/bin/env bash
# Builds what the demo needs (the host, the catalog tool and its sample catalog,
# the catalog server; no test programs) and runs the demo host on the sample catalog.
# Options go to the host (build/bin/plaza-host --help). Without a display, and
# without --tour, it runs the scripted tour into ./plaza-tour instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZA_BUILD_BENCH=OFF
cmake --build build -j"$(nproc)" --target plaza-host plaza-catalog plaza-sample-catalog plaza-catalog-server

args=("$@")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [[ " $* " != *" --tour"* ]]; then
    echo "No display: running the tour; screenshots go to ./plaza-tour" >&2
    args+=(--tour plaza-tour)
fi
exec build/bin/plaza-host "${args[@]}"
