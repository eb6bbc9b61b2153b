# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end tests, which ctest starts as
#   bash <test>.sh <norvan program> <stand-in program>
# Gives each test a private Xvfb display and a scratch folder, helpers that
# wait for windows and drive them with real X input, and cleans up on every
# way out of the test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"

norvan=$(realpath "$1")
standin=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/norvan-e2e.XXXXXX")
norvan_pid='' standin_pids=()

cleanup() {
  local pid
  for pid in $norvan_pid "${standin_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/norvan.log" ]; then
    echo "--- norvan's output:" >&2
    cat "$work/norvan.log" >&2
  fi
  exit 1
}

# Runs "$@" every 50 ms until it succeeds; fails the test after
# $wait_seconds (15 unless a test sets more).
wait_for() {
  local what=$1 tries=$((${wait_seconds:-15} * 20))
  shift
  until "$@"; do
    ((--tries > 0)) || fail "timed out waiting for $what"
    sleep 0.05
  done
}

# Mapped windows whose title matches the extended regex $1.
visible_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
has_window() { visible_windows "$1" >/dev/null; }
has_no_window() { ! visible_windows "$1" >/dev/null; }

# Waits for a mapped window matching $1 and prints its id.
wait_window() {
  wait_for "a window \"$1\"" has_window "$1"
  visible_windows "$1" | head -n 1
}

is_running() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [ "${stat:0:1}" != Z ]
}

# Waits until process $1 sleeps in poll() with time to spare, as Qt's event
# loop does only with no event left to handle: all that was sent to it before
# has then been handled.
wait_idle() {
  idle() {
    is_running "$1" || fail "process $1 ended"
    grep -qx 'poll_schedule_timeout.*' "/proc/$1/wchan" 2>/dev/null
  }
  # A kernel without symbol names says 0 for every wait.
  [ "$(cat "/proc/$1/wchan" 2>/dev/null)" != 0 ] || fail "this kernel does not say where a process waits"
  wait_for "process $1 to be idle" idle "$1"
}

# No window manager runs, so the test hands out the keyboard focus itself.
focus() { timeout 5 xdotool windowfocus --sync "$1" || fail "cannot focus window $1"; }

# Clicks the point of window $1 at ($2, $3) twips from the top-left corner of
# its client area, below the menu bar, as the window's design measures it.
# Scale and menu bar height follow from the window's size and the design's
# client size of $4 x $5 twips.
click_design() {
  local x=$2 y=$3 client_width=$4 client_height=$5 X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  local menu=$((HEIGHT - client_height * WIDTH / client_width))
  xdotool mousemove --sync $((X + x * WIDTH / client_width)) \
    $((Y + menu + y * WIDTH / client_width)) click 1
}

# A game folder: the stand-in as O2EM.EXE and a few random bytes in each file
# named by the arguments (backslash escapes such as \xe9 allowed). Prints its
# path as getcwd() will give it.
make_folder() {
  local folder=$work/games name
  mkdir "$folder"
  cp "$standin" "$folder/O2EM.EXE"
  for name in "$@"; do head -c 64 /dev/urandom >"$folder/$(printf '%b' "$name")"; done
  (cd "$folder" && pwd -P)
}

# Starts norvan in folder $1 as a desktop does, with no terminal for its
# input, and waits for its main window, focused; its id is left in $main.
# The stand-in records its start in $record. norvan's PATH is $work/bin, where
# a test puts the programs it may run.
main_title='^Norvan - Front-end for O2EM ver\. 0\.65\.3$'
start_norvan() {
  export O2EM_STANDIN_RECORD=$work/record
  record=$O2EM_STANDIN_RECORD
  mkdir -p "$work/bin"
  (cd "$1" && PATH=$work/bin exec "$norvan") </dev/null >"$work/norvan.log" 2>&1 &
  norvan_pid=$!
  main=$(wait_window "$main_title")
  focus "$main"
}

# Waits for norvan to end and fails unless its exit code is 0.
expect_clean_exit() {
  wait_for "norvan to end" eval "! is_running $norvan_pid"
  local status=0
  wait "$norvan_pid" || status=$?
  norvan_pid=''
  [ "$status" -eq 0 ] || fail "norvan ended with exit code $status"
}

# Fails unless the stand-in recorded exactly the working folder $1 and what
# follows, as started by norvan: its arguments, or on Windows its command line
# and window state. expect_record_in FILE … does the same for another record.
expect_record() { expect_record_in "$record" "$@"; }
expect_record_in() {
  wait_for "$1 to be written" test -e "$1"
  printf '%s\0' "${@:2}" >"$work/expected"
  compare "$1"
}

# Fails unless file $1 holds exactly the bytes $2, with backslash escapes.
expect_bytes() {
  printf '%b' "$2" >"$work/expected"
  compare "$1"
}

compare() {
  cmp -s "$work/expected" "$1" ||
    fail "$1 holds $(od -An -c "$1" 2>&1 | tr -d '\n'), expected $(od -An -c "$work/expected" | tr -d '\n')"
}

start_xvfb "$work" || fail "no display"
