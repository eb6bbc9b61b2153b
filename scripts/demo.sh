#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows Norvan at work: installs what is missing, builds into build/ (or the
# folder NORVAN_BUILD names), makes its demo/ folder a game folder as a user
# has one (the stand-in emulator as O2EM.EXE, a system ROM and a few game
# images, all made up here) and starts norvan in it. With --prepare-only it
# stops once the folder is ready; --prepare-only FOLDER makes that folder the
# demo folder instead.
#
# The stand-in is not an emulator: it shows the arguments norvan started it
# with. The ROM and the games are a few random bytes each, named the way
# today's catalogued game sets name them.
set -euo pipefail
# A folder given is the caller's, relative to where they stand.
[ "${1:-}" = --prepare-only ] && [ -n "${2:-}" ] && set -- "$1" "$(realpath -m "$2")"
cd "$(dirname "$0")/.."
build=$(realpath -m "${NORVAN_BUILD:-build}")
demo=$build/demo
[ "${1:-}" = --prepare-only ] && [ -n "${2:-}" ] && demo=$2

scripts/build.sh "$build"

mkdir -p "$demo"
# Always the stand-in just built; the other files and norvan.cfg are kept
# from an earlier demo, so that saved options carry over as they would.
cp "$build/tools/o2em_standin" "$demo/O2EM.EXE"
games=("Café Racer (France)" "Cosmic Castle (USA, Europe)" "Lunar Golf (Europe)"
  "Robot Maze (USA, Europe) (Rev 1)" "Space Raiders! (USA)" "Turtle Race (Europe, Brazil)")
for name in O2ROM.BIN "${games[@]/%/.bin}" readme.txt; do
  [ -e "$demo/$name" ] || head -c $((RANDOM % 48 + 16)) /dev/urandom >"$demo/$name"
done
echo "Demo folder: $demo"
[ "${1:-}" = --prepare-only ] && exit 0

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<TEXT
There is no display (DISPLAY is not set), so norvan, a desktop program, has
nowhere to show its window. Run this script in a desktop session (or over
"ssh -X"), or start it yourself where there is a display:
  cd "$demo" && "$build/app/norvan"
To see its windows without a display, scripts/screenshots.sh takes pictures
of them on a virtual one (Xvfb) into docs/screenshots/.
TEXT
  exit 1
fi

echo "Starting norvan in the demo folder; pick a game and press Enter."
cd "$demo"
exec "$build/app/norvan"
