#!/usr/bin/env bash
# A user picks a game, sets options with the mouse and presses Enter: the
# emulator receives exactly the expected words, in the game folder; Alt+X
# then saves those options and ends the launcher cleanly.
source "$(dirname "$0")/e2e_lib.sh"

# In list order: Alpha.bin, "Café Racer.bin" (Latin-1 é), O2ROM.BIN, ...
folder=$(make_folder O2ROM.BIN Alpha.bin 'Caf\xe9 Racer.bin' 'Space Raiders.bin' notes.txt)
start_norvan "$folder"

xdotool key Down                            # the first game is selected: move to the second
click_design "$main" 2168 2647 6540 3585    # "Debug mode"
click_design "$main" 3608 1507 6540 3585    # stick 2 "Right Keyboard": stick 1 gives way
xdotool key Return
# The name is split at its blank and passed byte for byte.
expect_record "$folder" O2EM.EXE $'Caf\xe9' Racer.bin -debug -s1=2 -s2=1

standin=$(wait_window '^O2EM stand-in ')
standin_pids+=("$(xdotool getwindowpid "$standin")")
kill "${standin_pids[@]}"
wait_for "the stand-in to close" has_no_window '^O2EM stand-in '

focus "$main"
xdotool key alt+x
expect_clean_exit
expect_bytes "$folder/norvan.cfg" '1,0,0,2,1\r\n'
echo PASS
