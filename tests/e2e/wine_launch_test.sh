#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# norvan.exe under Wine, driven with real X input on a private display:
#   wine_launch_test.sh <norvan.exe> <o2em_standin.exe> <Wine prefix> <record_args.exe>
# Enter starts the emulator with the command line whole, double blanks
# included, maximized, in the game folder; a name with a blank, and outside
# every ANSI code page, reaches it quoted and intact; the emulator beside
# norvan.exe wins over the one in the game folder; a fresh start writes the
# default settings and Alt+X saves them; the message window refuses the system
# ROM and closes on Enter and Esc; the File menu answers its access keys.
here=$(dirname "$0")
source "$here/e2e_lib.sh"
source "$here/wine_lib.sh"
decoy=$(realpath "$4")
trap 'wine_end; cleanup' EXIT
unset QT_QPA_PLATFORM # the Xvfb helper's choice for Linux; Windows Qt takes its own
wine_begin "$3" || fail "no Wine prefix"

# Wine is slow to start the first time: a minute for anything to happen.
wait_seconds=60

# Starts norvan.exe $2 in folder $1 and waits for its main window, focused.
start_norvan_exe() {
  record=$work/record
  rm -f "$record"
  O2EM_STANDIN_RECORD=$(windows_path "$record")
  export O2EM_STANDIN_RECORD
  (cd "$1" && exec "$wine" "$2") >"$work/norvan.log" 2>&1 &
  norvan_pid=$!
  main=$(wait_window "$main_title")
  focus "$main"
}

# Closes the stand-in's window, and forgets its record for the next start.
close_standin() {
  rm -f "$record"
  focus "$(wait_window '^O2EM stand-in ')"
  xdotool key alt+c # its &Close button
  wait_for "the stand-in to close" has_no_window '^O2EM stand-in '
}

SW_SHOWMAXIMIZED=3
options='  -s1=1 -s2=0  ' # the defaults: no debug, speed or sound option, stick 1 Right Keyboard

# In list order: Alpha.bin, O2ROM.BIN, then the name no ANSI code page holds.
folder=$(make_folder O2ROM.BIN Alpha.bin '日本語 Ελληνικά.bin')
start_norvan_exe "$folder" "$norvan"
wait_for "the default settings" test -e "$folder/norvan.cfg"
expect_bytes "$folder/norvan.cfg" '0,0,0,1,0,"#TRUE#"\r\n'

echo "Enter on the first game"
xdotool key Return
expect_record "$(windows_path "$folder")" "O2EM.EXE Alpha.bin$options" $SW_SHOWMAXIMIZED
close_standin

echo "Enter on the name no ANSI code page holds"
focus "$main"
xdotool key End Return
expect_record "$(windows_path "$folder")" "O2EM.EXE \"日本語 Ελληνικά.bin\"$options" $SW_SHOWMAXIMIZED
close_standin

echo "The system ROM is refused; Enter, then Esc, closes the message"
for close_key in Return Escape; do
  focus "$main"
  xdotool key Home Down Return
  message=$(wait_window '^Warning-Norvan$')
  focus "$message"
  xdotool key "$close_key"
  wait_for "the message window to close on $close_key" has_no_window '^Warning-Norvan$'
done

echo "Alt+X saves the settings"
focus "$main"
xdotool key alt+x
expect_clean_exit
expect_bytes "$folder/norvan.cfg" '0,0,0,1,0\r\n'

# The emulator beside norvan.exe comes first: the game folder's O2EM.EXE, a
# program that writes "args" where it runs, must not be the one started.
echo "The emulator beside norvan.exe first"
mkdir "$work/program" "$work/games2"
cp "$norvan" "$work/program/norvan.exe"
cp "$standin" "$work/program/O2EM.EXE"
cp "$decoy" "$work/games2/O2EM.EXE"
head -c 64 /dev/urandom >"$work/games2/O2ROM.BIN"
head -c 64 /dev/urandom >"$work/games2/Alpha.bin"
start_norvan_exe "$work/games2" "$work/program/norvan.exe"
xdotool key Return
started() { [ -e "$record" ] || [ -e "$work/games2/args" ]; }
wait_for "an emulator to start" started
[ ! -e "$work/games2/args" ] || fail "the game folder's O2EM.EXE ran, not the one beside norvan.exe"
expect_record "$(windows_path "$work/games2")" "O2EM.EXE Alpha.bin$options" $SW_SHOWMAXIMIZED
close_standin

echo "The File menu's keys: K shows the Keys window, S turns Save on Exit off, X exits"
focus "$main"
xdotool key alt+f k
keys=$(wait_window '^Keys- Norvan$')
focus "$keys"
xdotool key Return
wait_for "the Keys window to close" has_no_window '^Keys- Norvan$'
focus "$main"
xdotool key alt+f s
xdotool key alt+f x
expect_clean_exit
expect_bytes "$work/games2/norvan.cfg" '0,0,0,1,0,"#TRUE#"\r\n'
echo PASS
