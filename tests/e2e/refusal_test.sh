#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A folder with no game but the system ROM: Enter (and Enter again after the
# message has been closed) shows the message window instead of starting the
# emulator; its Enter and Esc close it; Alt+X saves the default options.
# Then, with a game and debug mode, started from a desktop with no terminal
# emulator to be found: the message window again, and no emulator whose
# debugger reads the end of its input for ever.
source "$(dirname "$0")/e2e_lib.sh"

folder=$(make_folder O2ROM.BIN)
start_norvan "$folder"

for close_key in Return Escape; do
  xdotool key Return
  message=$(wait_window '^Warning-Norvan$')
  focus "$message"
  xdotool key "$close_key"
  wait_for "the message window to close on $close_key" has_no_window '^Warning-Norvan$'
  has_window "$main_title" || fail "the main window went with the message window"
  focus "$main"
done

xdotool key alt+x
expect_clean_exit
[ ! -e "$record" ] || fail "the emulator was started with no game to play"
expect_bytes "$folder/norvan.cfg" '0,0,0,1,0\r\n'

touch "$folder/Alpha.bin"
printf '1,0,0,1,0\r\n' >"$folder/norvan.cfg"
start_norvan "$folder"
xdotool key Return
wait_window '^Warning-Norvan$' >/dev/null
[ ! -e "$record" ] || fail "debug mode started the emulator with no terminal"
echo PASS
