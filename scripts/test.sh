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

# One Xvfb display for the whole run. A process kept open in the prefix keeps
# Wine's services up between the test programs instead of booting them anew
# for each.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  root=$1; build=$2; shift 2
  . "$root/scripts/wine-env.sh"
  prefix=$build/win64/wineprefix
  wine_prefix_ensure "$prefix"
  hold=$(mktemp -u); mkfifo "$hold"
  WINEPREFIX=$prefix "$WINE64" cmd /c "set /p hold=" <"$hold" >/dev/null 2>&1 &
  exec 7>"$hold"   # closed when this shell ends: the held process then exits
  rm -f "$hold"
  ctest --test-dir "$build" --output-on-failure "$@"
  status=$?
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  exit $status
' _ "$root" "$build" "$@"
