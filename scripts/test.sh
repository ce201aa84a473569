#!/usr/bin/env bash
# Builds everything (host tools and tests, the i686 setup.exe, its x86_64
# twin and the Windows tests) and runs every test: the host tests natively,
# the Windows tests under wine64 on a private Xvfb display.
#   scripts/test.sh [BUILD_DIR] [extra ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}; shift || true

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"

. "$root/scripts/wine-env.sh"
cleanup() { for p in "$build"/win*/wineprefix; do [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null || true; done; }
trap cleanup EXIT
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$build" --output-on-failure "$@"
