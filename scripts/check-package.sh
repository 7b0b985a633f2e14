#!/usr/bin/env bash
# Installs the normal build (build/, made by scripts/test.sh) into a temporary
# prefix, builds examples/minimal-host against that installed package alone,
# and runs it offscreen until Plaza lists the sample catalog's first page.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ ! -f build/CMakeCache.txt ] || [ ! -d build/catalog/sample ]; then
    echo "no normal build in build/ with its sample catalog: run scripts/test.sh first" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage

cmake --install build --prefix "$stage" >"$work/install.log" || {
    cat "$work/install.log" >&2
    exit 1
}

library=$(find "$stage" -name 'libPlaza.so' -print -quit 2>/dev/null || true)
if [ -z "$library" ]; then
    echo "the install put no libPlaza.so under $stage" >&2
    exit 1
fi
libdir=$(dirname "$library")

# Nothing installed may still point into the build folder, and the installed
# programs find every library of the package next to them.
for file in "$libdir"/*.so* "$stage"/bin/*; do
    [ -f "$file" ] && [ ! -L "$file" ] || continue
    if readelf -d "$file" | grep -E 'R(UN)?PATH' | grep -qF "$root"; then
        echo "$file still carries the build folder as RUNPATH:" >&2
        readelf -d "$file" | grep -E 'R(UN)?PATH' >&2
        exit 1
    fi
done
for program in "$stage"/bin/*; do
    if ldd "$program" | grep -q 'not found'; then
        echo "$program does not find its libraries:" >&2
        ldd "$program" | grep 'not found' >&2
        exit 1
    fi
done

cmake -S examples/minimal-host -B "$work/minimal-host" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$stage" >"$work/configure.log" || {
    cat "$work/configure.log" >&2
    exit 1
}
cmake --build "$work/minimal-host" -j"$(nproc)"

# The host keeps its log and analytics under its own home, not the user's.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CACHE_HOME="$work/home/cache" \
    XDG_CONFIG_HOME="$work/home/config" \
    "$work/minimal-host/plaza-minimal-host" --smoke build/catalog/sample
