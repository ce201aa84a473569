#!/usr/bin/env bash
# Runs a 64-bit Windows program under wine64 in a given prefix:
#   wine-run.sh PREFIX program.exe [args...]
# CTest uses it as the emulator of the Windows build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
prefix=$1; shift
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run.sh: no X display; run the tests through scripts/test.sh (it starts Xvfb)" >&2
  exit 2
fi
wine_prefix_ensure "$prefix"
export WINEPREFIX=$prefix
exec "$WINE64" "$@"
