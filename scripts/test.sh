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

# One Xvfb display for the whole run; the prefix is made before the first
# test and its server stopped after the last.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  root=$1; build=$2; shift 2
  . "$root/scripts/wine-env.sh"
  prefix=$build/win64/wineprefix
  wine_prefix_ensure "$prefix"
  ctest --test-dir "$build" --output-on-failure "$@"
  status=$?
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  exit $status
' _ "$root" "$build" "$@"
