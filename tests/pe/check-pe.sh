#!/usr/bin/env bash
# Reads a built setup.exe as a file and checks what Windows sees before it
# runs it: the image kind, the machine, the GUI subsystem and that the only
# DLLs it imports are the system's (the run-time is linked in statically).
#   check-pe.sh i686|x86_64 OBJDUMP setup.exe
set -uo pipefail
arch=$1 objdump=$2 exe=$3

case $arch in
  i686)   want_machine=014c want_magic=010b want_file='PE32 executable (GUI) Intel 80386' ;;
  x86_64) want_machine=8664 want_magic=020b want_file='PE32+ executable (GUI) x86-64' ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

if [ ! -f "$exe" ]; then
  echo "FAIL: $exe does not exist"; exit 1
fi

# Little-endian unsigned integer of `size` bytes at `offset`, as hex.
hexat() { od -An -tx1 -j "$1" -N "$2" "$exe" | tr -d ' \n' | sed -E 's/(..)/\1 /g' |
            awk '{ s = ""; for (i = NF; i >= 1; --i) s = s $i; print s }'; }

if [ "$(hexat 0 2)" != 5a4d ]; then
  fail "no MZ header"
else
  pe=$((16#$(hexat 60 4)))
  [ "$(hexat "$pe" 4)" = 00004550 ] && pass "PE signature" || fail "no PE signature at $pe"
  machine=$(hexat $((pe + 4)) 2)
  [ "$machine" = "$want_machine" ] && pass "machine 0x$machine" || fail "machine 0x$machine, want 0x$want_machine"
  opt=$((pe + 24))
  magic=$(hexat "$opt" 2)
  [ "$magic" = "$want_magic" ] && pass "optional header magic 0x$magic" || fail "optional header magic 0x$magic, want 0x$want_magic"
  subsystem=$(hexat $((opt + 68)) 2)
  [ "$subsystem" = 0002 ] && pass "subsystem 2 (Windows GUI)" || fail "subsystem 0x$subsystem, want 2 (Windows GUI)"
fi

described=$(file -b "$exe")
case $described in
  "$want_file"*) pass "file(1): $described" ;;
  *) fail "file(1) says '$described', want '$want_file...'" ;;
esac

# Imports: system DLLs only.
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|shlwapi|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
if [ -z "$dlls" ]; then
  fail "no imported DLL found (objdump output not understood?)"
fi
while IFS= read -r dll; do
  [ -z "$dll" ] && continue
  lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
  if [[ $lower =~ $allowed ]]; then
    pass "imports $dll"
  else
    fail "imports $dll, which is not a system DLL"
  fi
done <<< "$dlls"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed for $exe"
  exit 1
fi
