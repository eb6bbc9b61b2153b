#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows test program under wine64, as ctest starts it:
#   run_under_wine.sh --prefix WINEPREFIX [--display] [--qtest] -- PROGRAM [ARGUMENT...]
# --display gives it a private Xvfb display and Qt's Windows platform on it.
# --qtest is for a Qt Test program: a window program has no console under
# Wine, so its results go to a file, which is printed. The exit code is the
# program's.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../e2e/wine_lib.sh"

prefix='' display=false qtest=false
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --display) display=true; shift ;;
    --qtest) qtest=true; shift ;;
    --) shift; break ;;
    *) echo "run_under_wine.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[ -n "$prefix" ] && [ $# -gt 0 ] || { echo "usage: $0 --prefix DIR [--display] [--qtest] -- PROGRAM..." >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/norvan-wine.XXXXXX")
cleanup() {
  wine_end
  if $display; then stop_xvfb; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

if $display; then
  source "$here/../../scripts/xvfb.sh"
  start_xvfb "$work"
  # The Xvfb helper chooses Linux's platform; Windows Qt takes its own by default.
  unset QT_QPA_PLATFORM
else
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fi
wine_begin "$prefix"

program=$1
shift
arguments=("$@")
results=$work/results.txt
if $qtest; then arguments+=(-o "$(windows_path "$results"),txt"); fi

status=0
"$wine" "$program" "${arguments[@]}" || status=$?
# Now and then Wine ends a Qt Test program before it has run a line of its own
# (exit code 1, no results at all, in a fraction of a second); a second start
# then runs it. A program that ran wrote results, failing or not, and is never
# started again.
if $qtest && [ ! -e "$results" ] && [ $status -ne 0 ]; then
  echo "$(basename "$program") did not start under Wine (exit code $status); starting it again"
  status=0
  "$wine" "$program" "${arguments[@]}" || status=$?
fi
if $qtest; then
  if [ -s "$results" ]; then
    cat "$results"
  else
    echo "$(basename "$program") wrote no results (exit code $status)"
    [ $status -ne 0 ] || status=1
  fi
  # A crash part-way leaves results without their totals.
  if ! grep -q '^Totals: ' "$results" 2>/dev/null && [ $status -eq 0 ]; then
    echo "$(basename "$program") ended before its totals"
    status=1
  fi
fi
exit $status
