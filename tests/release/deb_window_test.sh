#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by dist_test.sh inside a throwaway Debian root, in a folder that holds
# the package and scripts/xvfb.sh:
#   deb_window_test.sh <package file>
# Installs the package as a user does, with apt, and starts norvan in an
# empty folder on a private Xvfb: passes when its main window shows.
set -euo pipefail
source ./xvfb.sh
deb=$(realpath "$1")
work=$(mktemp -d)
pid=''
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; stop_xvfb; rm -rf "$work"' EXIT

fail() {
  echo "FAIL on $(. /etc/os-release && echo "$PRETTY_NAME"): $*"
  [ ! -s "$work/norvan.log" ] || { echo "--- norvan's output:"; cat "$work/norvan.log"; }
  exit 1
}

export DEBIAN_FRONTEND=noninteractive
{ apt-get update -q && apt-get install -y -q "$deb"; } >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get cannot install $(basename "$deb")"; }
start_xvfb "$work" || fail "no display"
mkdir "$work/games"
(cd "$work/games" && exec norvan) >"$work/norvan.log" 2>&1 &
pid=$!
for ((tries = 300; ; tries--)); do
  xdotool search --onlyvisible --name '^Norvan - Front-end for O2EM' >/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "norvan ended without showing its window"
  ((tries > 0)) || fail "norvan shows no window in 30 s"
  sleep 0.1
done
echo "$(. /etc/os-release && echo "$PRETTY_NAME"): the package installs with apt and norvan shows its window"
