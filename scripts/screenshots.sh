#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes pictures of norvan's four windows into docs/screenshots/: the main
# window as it starts in a demo folder, the message window (Enter on
# O2ROM.BIN), the About window (Alt+A) and the Keys window (Alt+F, K). Runs
# on a private virtual display (Xvfb), so it needs no desktop.
#
# With --windows it takes main-windows.png instead: the main window of
# norvan.exe as Windows draws it, under Wine (built by scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/docs/screenshots
windows=false
[ "${1:-}" = --windows ] && windows=true
if $windows; then
  echo "Building norvan.exe (scripts/windows.sh)"
  scripts/windows.sh >/dev/null
  build=$(realpath build-windows)
else
  build=$(realpath "${NORVAN_BUILD:-build}")
fi

source scripts/xvfb.sh
source tests/e2e/wine_lib.sh
work=$(mktemp -d)
norvan=''
cleanup() {
  [ -z "$norvan" ] || kill "$norvan" 2>/dev/null || true
  wine_end
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "screenshots: $*" >&2; exit 1; }

start_xvfb "$work" || exit 1

# A fresh demo folder: the demo's games, no settings file, so the defaults show.
echo "Preparing a demo folder (scripts/demo.sh --prepare-only)"
NORVAN_BUILD=${NORVAN_BUILD:-build} scripts/demo.sh --prepare-only "$work/games" >/dev/null

# Waits up to 60 s for a mapped window with a title matching $1; prints its id.
window() {
  local tries=1200 id
  until id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ]; do
    ((--tries > 0)) || fail "no window \"$1\""
    sleep 0.05
  done
  echo "$id"
}
# No window manager runs: the keyboard goes where we put the focus.
focus() { timeout 5 xdotool windowfocus --sync "$1" || fail "cannot focus window $1"; }
# Window $1 into $out/$2 once it has finished painting: two pictures alike.
# Without a time stamp in them, the same windows give the same files.
capture() { import -window "$1" -define png:exclude-chunks=date,time "$2"; }
shot() {
  local tries=50
  capture "$1" "$work/previous.png"
  while sleep 0.1; capture "$1" "$work/shot.png"; ! cmp -s "$work/shot.png" "$work/previous.png"; do
    ((--tries > 0)) || fail "window $1 never stopped changing"
    mv "$work/shot.png" "$work/previous.png"
  done
  mkdir -p "$out"
  mv "$work/shot.png" "$out/$2"
  echo "wrote $out/$2"
}

# Wait for the program to end on its own and fail unless it ends cleanly.
expect_clean_exit() {
  local tries stat status=0
  for ((tries = 300; tries > 0; tries--)); do
    stat=$(cat "/proc/$norvan/stat" 2>/dev/null) || break
    stat=${stat##*) }
    [ "${stat:0:1}" = Z ] && break
    sleep 0.05
  done
  ((tries > 0)) || fail "norvan did not end on Alt+X"
  wait "$norvan" || status=$?
  norvan=''
  [ "$status" -eq 0 ] || fail "norvan ended with exit code $status"
}

main_title='^Norvan - Front-end for O2EM ver\. 0\.65\.3$'

if $windows; then
  cp "$build/tools/o2em_standin.exe" "$work/games/O2EM.EXE"
  unset QT_QPA_PLATFORM # Windows Qt takes its own platform
  wine_begin "$build/wineprefix"
  (cd "$work/games" && exec "$wine" "$build/norvan.exe") >"$work/norvan.log" 2>&1 &
  norvan=$!
  main=$(window "$main_title")
  focus "$main"
  shot "$main" main-windows.png
  focus "$main"
  xdotool key alt+x
  expect_clean_exit
  exit 0
fi

(cd "$work/games" && exec "$build/app/norvan") >"$work/norvan.log" 2>&1 &
norvan=$!

main=$(window "$main_title")
focus "$main"
shot "$main" main.png

xdotool type O2ROM # the list jumps to the entry that starts so
xdotool key Return
message=$(window '^Warning-Norvan$')
shot "$message" message.png
focus "$message"
xdotool key Return

focus "$main"
xdotool key alt+a
about=$(window '^About-Norvan ver 0\.65\.3$')
shot "$about" about.png
xdotool mousemove --window "$about" 5 5 click 1 # any click closes it

focus "$main"
xdotool key alt+f k
keys=$(window '^Keys- Norvan$')
shot "$keys" keys.png
focus "$keys"
xdotool key Return

focus "$main"
xdotool key alt+x
expect_clean_exit
