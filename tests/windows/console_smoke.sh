#!/usr/bin/env bash
# The Windows program in its own console window: Wine runs bellform.exe on a
# virtual X display, the program leaves the shell's console and opens a
# window of its own, and xdotool types the worked example into that window
# one key at a time: the four answers, File with a step of 0.5, Macro with
# AutoCAD, then Enter to end. The data file and the script must be byte for
# byte the files in DATA_DIR (which the POSIX build writes for the same
# dialogue), and the process must end with status 0.
#
# Usage: console_smoke.sh BELLFORM_EXE DATA_DIR
# Needs: wine, Xvfb, xdotool; import (ImageMagick) for the failure screenshot.
# Environment:
#   WINEPREFIX         default: the build's own prefix beside the .exe
#   BELLFORM_KEY_PAUSE seconds between keys (default 0.3): the program drops
#                      keys typed while it draws, so each key waits its turn
set -uo pipefail

exe=${1:?usage: console_smoke.sh BELLFORM_EXE DATA_DIR}
data=${2:?usage: console_smoke.sh BELLFORM_EXE DATA_DIR}
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
data=$(cd "$data" && pwd)
pause=${BELLFORM_KEY_PAUSE:-0.3}
# The window's title carries the version the build sets (CMakeLists.txt).
version=$(sed -n 's/^set(BELLFORM_VERSION \(.*\))$/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ -n "$version" ] || { echo "console_smoke: no version in CMakeLists.txt" >&2; exit 2; }
title="** Bellform Version $version - 32 bit **"

export WINEPREFIX=${WINEPREFIX:-$(dirname "$exe")/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES=mscoree,mshtml=
for tool in wine wineserver Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "console_smoke: $tool is missing" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/bellform-console-XXXXXX")
xvfb_pid=
wine_pid=
display=

cleanup() {
  if [ -n "$wine_pid" ] && kill -0 "$wine_pid" 2>/dev/null; then
    kill "$wine_pid" 2>/dev/null
    # The console host and the other processes the run left in the prefix.
    timeout 20 wineserver -k 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  return 0
}
trap cleanup EXIT

fail() {
  echo "console_smoke: FAIL: $*" >&2
  if [ -n "$display" ] && command -v import >/dev/null; then
    import -display "$display" -window root "$work/screen.png" 2>/dev/null &&
      echo "console_smoke: screenshot of the display: $work/screen.png" >&2
  fi
  echo "console_smoke: files of the run kept in $work" >&2
  exit 1
}

# A wineserver still running for this prefix (a test run that just ended)
# would host the new console on its own display: let it finish first.
timeout 60 wineserver -w || fail "the prefix's wineserver did not finish"

# A display of our own: Xvfb picks a free number and writes it when ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start (see $work/xvfb.log)"
display=:$(head -n1 "$work/display")
export DISPLAY=$display

# Started from a terminal (a pseudo-terminal of script(1), which Wine makes
# the process's console, and which records what reaches it): the program
# leaves that console and allocates its own, a window titled with the
# banner. Without script(1), started with no console at all.
if command -v script >/dev/null; then
  (cd "$work" && exec script -qec "$(printf '%q ' wine "$exe")" "$work/terminal.log" \
     </dev/null >/dev/null 2>&1) &
else
  (cd "$work" && exec wine "$exe" </dev/null >"$work/terminal.log" 2>&1) &
fi
wine_pid=$!

window=
for _ in $(seq 600); do
  window=$(xdotool search --name "Bellform Version" 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 "$wine_pid" 2>/dev/null || fail "bellform.exe ended before its window opened"
  sleep 0.1
done
[ -n "$window" ] || fail "no console window titled \"$title\" within 60 s"
# No window manager: give the window the keyboard directly, then let the
# program draw its first question and wait for a key.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 1.5

# One key at a time; "Return" is Enter, anything else a typed character.
keys=(1 2 Return 1 2 Return 2 Return Return
      F Return 0 . 5 Return
      M Return A
      Return)
for key in "${keys[@]}"; do
  kill -0 "$wine_pid" 2>/dev/null || fail "bellform.exe ended before the key '$key'"
  if [ "$key" = Return ]; then
    xdotool key Return
  else
    xdotool type -- "$key"
  fi
  sleep "$pause"
done

for _ in $(seq 150); do
  kill -0 "$wine_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$wine_pid" 2>/dev/null && fail "bellform.exe still running 15 s after the last Enter"
wait "$wine_pid"
status=$?
[ "$status" -eq 0 ] || fail "bellform.exe ended with status $status (output: $work/terminal.log)"

grep -q "Input mouth width" "$work/terminal.log" &&
  fail "the dialogue reached the terminal it was started from ($work/terminal.log)"
for name in bellform.txt horn.scr; do
  [ -f "$work/$name" ] || fail "$name was not written"
  cmp "$work/$name" "$data/$name" >&2 || fail "$name differs from $data/$name"
done
echo "console_smoke: PASS (bellform.txt, horn.scr identical to the POSIX build's; exit status 0)"
rm -rf "$work"
