#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Keys window outlives the main window: with Save on Exit turned off,
# Alt+X closes only the main window and writes nothing; the launcher runs on
# until Enter closes the Keys window, and then ends cleanly.
source "$(dirname "$0")/e2e_lib.sh"

folder=$(make_folder O2ROM.BIN 'Space Raiders.bin')
start_norvan "$folder"

xdotool key alt+f k
keys=$(wait_window '^Keys- Norvan$')
focus "$main"
xdotool key alt+f s                         # Save on Exit off
xdotool key alt+x
wait_for "the main window to close" has_no_window "$main_title"

wait_idle "$norvan_pid" # the main window's close handled, and whatever it set off
is_running "$norvan_pid" || fail "norvan ended while the Keys window was open"
has_window '^Keys- Norvan$' || fail "the Keys window closed with the main window"

focus "$keys"
xdotool key Return
expect_clean_exit
expect_bytes "$folder/norvan.cfg" '0,0,0,1,0,"#TRUE#"\r\n'
echo PASS
