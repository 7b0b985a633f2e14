#!/usr/bin/env bash
# Installs what building and running Plaza needs on Debian 12, if missing.
# clang, its sanitizer and libFuzzer runtimes and llvm-symbolizer (in `llvm`)
# are for the fuzz targets and readable sanitizer stacks. The PostgreSQL server
# is for the tests, which start a throwaway cluster of their own.
set -euo pipefail

packages=(g++ cmake make pkg-config
          qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite libsqlite3-dev
          qttools5-dev qttools5-dev-tools qttranslations5-l10n
          fonts-wqy-microhei
          libgtest-dev libbenchmark-dev
          clang libclang-rt-14-dev llvm
          libcpp-httplib-dev
          libqt5x11extras5-dev xvfb xauth
          postgresql libqt5sql5-psql)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
