#!/usr/bin/env bash
# Builds the installer and starts it under Wine (the x86_64 twin of the
# shipped 32-bit setup.exe, which this machine's Wine cannot run).
# With a display it opens there. Without one it runs on a private Xvfb
# display inside a Wine virtual desktop, saves a screenshot of each page it
# reaches and prints their paths.
#   scripts/run.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"

. "$root/scripts/wine-env.sh"
prefix=$build/win64/wineprefix
exe=$build/win64/setup.exe
echo "Built: $build/win32/setup.exe (shipped, i686) and $exe (x86_64)"

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--headless" ]; then
  wine_prefix_ensure "$prefix"
  WINEPREFIX=$prefix exec "$WINE64" "$exe"
fi

shots=$build/screenshots
mkdir -p "$shots"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -eu
  . "$1/scripts/wine-env.sh"
  wine_prefix_ensure "$2"
  export WINEPREFIX=$2
  "$WINE64" explorer /desktop=setup,800x600 "$3" >/dev/null 2>&1 &
  # The wizard waits on its welcome page for the user; give it time to draw.
  sleep 10
  import -window root -crop 800x600+0+0 "$4/welcome.png"
  wineserver -k || true
' _ "$root" "$prefix" "$exe" "$shots"
echo "Screenshots of the pages reached:"
echo "  $shots/welcome.png"
