# Sourced by the scripts that run Windows programs: the environment of the
# project's own Wine prefix. Never touches the user's ~/.wine.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
if [ -x /usr/lib/wine/wine64 ]; then WINE64=/usr/lib/wine/wine64; else WINE64=wine64; fi
export WINE64

# wine_prefix_ensure PREFIX: creates the prefix once (serialised by a lock)
# and turns the shell folders Wine links to $HOME into plain folders, so that
# nothing a test writes lands in the user's home.
wine_prefix_ensure() {
  local prefix=$1
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/.ready" ]; then
      rm -rf "$prefix"
      WINEPREFIX=$prefix "$WINE64" wineboot -i >/dev/null 2>&1 || true
      WINEPREFIX=$prefix wineserver -w || true
      local d
      for d in "$prefix"/drive_c/users/*/*; do
        if [ -L "$d" ]; then rm -f "$d"; mkdir -p "$d"; fi
      done
      touch "$prefix/.ready"
    fi
  ) 9>"$prefix.lock"
}
