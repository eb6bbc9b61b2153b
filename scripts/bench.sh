#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds optimised (with symbols, for profiling) into build-bench/ and prints
# every benchmark figure: the game list beside a plain read of the folder;
# type-ahead and scrolling in the list at 100 000 games; norvan's start-up
# time and memory with 50 and 100 000 games beside Qt windows that do the
# least (one that also reads the folder's names first), on a private Xvfb
# display. Figures, not tests: the machine's load moves them, which is why
# each one is a ratio measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
build="build-bench"
rounds=${ROUNDS:-9}

scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target norvan game_list_bench list_view_bench \
  bare_window text_window read_window startup_bench >/dev/null

# Generated once and kept: making 220 000 files takes a while.
data=$PWD/$build/bench-data
bench=$build/bench
[ -d "$data/list-120k" ] || "$bench/game_list_bench" --make "$data/list-120k" 100000 20000
[ -d "$data/games-100k" ] || "$bench/game_list_bench" --make "$data/games-100k" 100000 0
[ -d "$data/games-50" ] || "$bench/game_list_bench" --make "$data/games-50" 50 0

echo
"$bench/game_list_bench" --rounds "$rounds" "$data/list-120k"

source scripts/xvfb.sh
work=$(mktemp -d)
cleanup() {
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work"

echo
"$bench/list_view_bench" --rounds "$rounds" "$data/games-100k"

echo
"$bench/startup_bench" --rounds "$rounds" \
  --case "bare Qt window" "$data/games-50" "$PWD/$bench/bare_window" \
  --case "Qt window with one label" "$data/games-50" "$PWD/$bench/text_window" \
  --case "one label, 100 000 names read first" "$data/games-100k" "$PWD/$bench/read_window" \
  --case "norvan, 50 games" "$data/games-50" "$PWD/$build/app/norvan" \
  --time-goal "Qt window with one label" 1.1 \
  --case "norvan, 100 000 games" "$data/games-100k" "$PWD/$build/app/norvan" \
  --time-goal "one label, 100 000 names read first" 1.3 --memory-goal-mb 17
