#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A user who started norvan from a desktop picks a game, sets options with
# the mouse, debug mode among them, and presses Enter: the desktop's terminal
# starts the emulator, which receives exactly the expected words, in the game
# folder; Alt+X then saves those options and ends the launcher cleanly. Then
# Enter and Alt+R, each held down past the keyboard's auto-repeat delay, start
# one emulator each, Alt+R also with a Cyrillic layout active.
source "$(dirname "$0")/e2e_lib.sh"

# In list order: Alpha.bin, "Café Racer's (USA, Europe).bin" (Latin-1 é), O2ROM.BIN, ...
folder=$(make_folder O2ROM.BIN Alpha.bin "Caf\\xe9 Racer's (USA, Europe).bin" 'Space Raiders.bin' \
  notes.txt)
game=$'Caf\xe9 Racer\'s (USA, Europe).bin'
# The desktop's terminal, standing in: it records its arguments and runs the
# words after -e from another folder, as a terminal that runs them from its
# server does.
mkdir "$work/bin"
cat >"$work/bin/x-terminal-emulator" <<EOF
#!/bin/bash
printf '%s\0' "\$@" >"$work/terminal"
shift
cd / && exec "\$@"
EOF
chmod +x "$work/bin/x-terminal-emulator"
start_norvan "$folder"

xdotool key Down                            # the first game is selected: move to the second
click_design "$main" 2168 2647 6540 3585    # "Debug mode"
click_design "$main" 3608 1507 6540 3585    # stick 2 "Right Keyboard": stick 1 gives way
xdotool key Return
# The name is one argument, byte for byte, and so is every other word.
expect_record_in "$work/terminal" -e /usr/bin/env -C "$folder" ./O2EM.EXE "$game" -debug -s1=2 -s2=1
expect_record "$folder" ./O2EM.EXE "$game" -debug -s1=2 -s2=1

standin=$(wait_window '^O2EM stand-in ')
standin_pids+=("$(xdotool getwindowpid "$standin")")
kill "${standin_pids[@]}"
wait_for "the stand-in to close" has_no_window '^O2EM stand-in '

focus "$main"
xdotool key alt+x
expect_clean_exit
expect_bytes "$folder/norvan.cfg" '1,0,0,2,1\r\n'

# This emulator shows no window, so the key's repeats keep coming to the
# launcher, as they do while a slow emulator loads. With debug mode off it
# starts without a terminal: there is none to start it now.
quiet=$work/quiet
mkdir "$quiet"
touch "$quiet/Alpha.bin" "$quiet/Beta.bin"
printf '#!/bin/sh\necho started >>"%s"\n' "$work/starts" >"$quiet/O2EM.EXE"
chmod +x "$quiet/O2EM.EXE"
rm "$work/bin/x-terminal-emulator"
start_norvan "$quiet"
hold() {
  xdotool keydown "$1"
  sleep 1.5
  xdotool keyup "$1"
}
hold Return
hold alt+r
# With Russian active the R key types a Cyrillic letter; Qt finds Alt+R
# through the Latin layout behind it. So the key goes by its keycode.
setxkbmap -layout ru,us
hold "alt+$(xkbcomp -xkb "$DISPLAY" - | sed -n 's/^ *<AD04> *= *\([0-9]*\);.*/\1/p')"
# Once norvan has ended, nothing more starts; each emulator it started holds
# norvan's output open, inherited, until it has finished.
xdotool key alt+x
expect_clean_exit
output_open() {
  local fd
  for fd in /proc/[0-9]*/fd/*; do [ "$(readlink "$fd")" = "$work/norvan.log" ] && return 0; done
  return 1
}
wait_for "the emulators to finish" eval '! output_open 2>/dev/null'
starts=$(cat "$work/starts" 2>/dev/null | wc -l)
[ "$starts" -eq 3 ] || fail "three held keys started the emulator $starts times"
echo PASS
