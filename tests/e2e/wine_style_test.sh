#!/usr/bin/env bash
# The Windows program starts under Wine on the Windows platform with the
# native Windows style, both linked into the one executable:
#   wine_style_test.sh <wine_style_probe.exe> <Wine prefix>
set -euo pipefail
here=$(dirname "$0")
source "$here/wine_lib.sh"
source "$here/../../scripts/xvfb.sh"
probe=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/norvan-e2e.XXXXXX")
trap 'wine_end; stop_xvfb; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM HUP

start_xvfb "$work"
unset QT_QPA_PLATFORM # the Xvfb helper's choice for Linux; the probe takes its default
wine_begin "$2"
status=0
(cd "$work" && timeout 120 "$wine" "$probe") || status=$?
[ -s "$work/style.txt" ] || { echo "FAIL: no report (exit code $status)"; exit 1; }
echo "platform and style: $(sed -n 1p "$work/style.txt")"
echo "the dialog font: $(sed -n 2p "$work/style.txt")"
[ "$(sed -n 1p "$work/style.txt")" = "windows windowsvista" ] || { echo FAIL; exit 1; }
[ $status -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
echo PASS
