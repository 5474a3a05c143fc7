#!/usr/bin/env bash
# The hub on the generated content, played on an X server (run under xvfb-run).
# Usage: hub.sh <pilo> <content folder> <walk>
#   walk: a new player in slot 2: the hub saves the slot on arrival (542 bytes, signed in, slot 2); the
#         introduction's first lines come in order and space cuts the rest; resting the pointer on
#         "Turtle Surf" brings its hover line; the pointer at the right edge moves the panorama panel
#         by panel and wraps it from the fourth back to the first; the back arrow returns to the sign-in
#         screen with slot 2 selected; play again brings a sign-in opening and no introduction; Escape,
#         "0100", yes, "5089" and status 0, the file holding the last scroll position and the hub's
#         first-visit byte cleared.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "hub ($scenario)"
harness_content "$2"

# Offsets in a save: the scroll position (u32), the slot (u32), and each game's record of 23 bytes
# after the 11-byte header, its first-visit byte first.
save_u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
save_u8() { od -An -tu1 -j"$2" -N1 "$1" | tr -d ' '; }
first_visit_offset() { echo $((11 + 23 * $1)); }

# The trace's line for a sound by its file name, played under its own name or a speech channel's.
sound_pattern() { echo "^INFO: Sound '([^']*' starts \\(file '$1'\\)|$1' starts)\\.\$"; }
spoke() { grep -qE "$(sound_pattern "$1")" "$work/stderr"; }

# Waits until the trace holds one of the sound lines named; prints the one found.
wait_sound() {
  local seconds=$1 deadline name
  shift
  deadline=$((SECONDS + seconds))
  while :; do
    for name in "$@"; do
      if spoke "$name"; then
        echo "$name"
        return 0
      fi
    done
    [ $SECONDS -lt $deadline ] || fail "none of the lines $* started within $seconds s"
    running || fail "the game ended while the lines $* were awaited"
    poll_pause
  done
}

# The line of the trace where a sound first starts (0 for never).
line_of_sound() {
  grep -nE "$(sound_pattern "$1")" "$work/stderr" | head -n 1 | cut -d: -f1 | grep . || echo 0
}

# A colour of the manifest: sprite_colour <sprite>.
sprite_colour() {
  python3 -c 'import json, sys
for database in json.load(open(sys.argv[1]))["databases"].values():
    if sys.argv[2] in database.get("sprites", {}):
        print(database["sprites"][sys.argv[2]]["animations"][0]["colour"]); break' "$manifest" "$1"
}

pointer() { xdotool mousemove --window "$wid" "$1" "$2" || fail "xdotool could not move the pointer"; }

case $scenario in
walk)
  harness_start PILO_FRAME_MS=20
  reach_hub 2
  save=$work/SaveGame2.sav
  deadline=$((SECONDS + 20))
  until [ -f "$save" ] && [ "$(stat -c %s "$save")" -eq 542 ]; do
    [ $SECONDS -lt $deadline ] || fail "the hub did not save slot 2 on arrival"
    poll_pause
  done
  [ "$(save_u8 "$save" 0)" = 1 ] || fail "the arrival's save is not signed in"
  [ "$(save_u32 "$save" 6)" = 2 ] || fail "the arrival's save names slot $(save_u32 "$save" 6), expected 2"

  # The introduction, in its order; space while its third line speaks ends it.
  intro=(0180 0190 02001 02002 02003 0210 0220 0240 0250 0260 0270 0280 0290 0300 0303 0304)
  for name in 0180 0190 02001; do wait_sound 30 "$name" >/dev/null; done
  [ "$(line_of_sound 0180)" -lt "$(line_of_sound 0190)" ] && [ "$(line_of_sound 0190)" -lt "$(line_of_sound 02001)" ] ||
    fail "the introduction's first lines came out of order"
  press space

  # The pointer on "Turtle Surf" (the panorama's first 526 x 168 pixels, the view at 0): one of its
  # two hover lines, once the cast rests.
  pointer 300 100
  hover=$(wait_sound 40 1360 0820)
  cut=$(line_of_sound "$hover")
  for name in "${intro[@]:4}"; do
    at=$(line_of_sound "$name")
    [ "$at" -eq 0 ] || [ "$at" -gt "$cut" ] || fail "the introduction's line $name played after space"
  done
  if [ "$hover" = 1360 ]; then wait_sound 20 1370 >/dev/null; fi
  # No scrolling while a fish talks: the hover line's speaker is done when the help button is back.
  # The first panel's colour still fills the top row.
  hub1=$(sprite_colour Hub_1) hub2=$(sprite_colour Hub_2) hub3=$(sprite_colour Hub_3) hub4=$(sprite_colour Hub_4)
  wait_screen 10 pixels "0,10=$hub1" "799,10=$hub1"

  # The pointer at the right edge: the view moves right at full speed, a panel every 800 pixels, and
  # after the fourth the first comes round again.
  pointer 795 300
  wait_screen 30 pixels "0,10=$hub2"
  wait_screen 30 pixels "0,10=$hub3"
  wait_screen 30 pixels "0,10=$hub4" "799,10=$hub1"
  wait_screen 30 pixels "0,10=$hub1" "799,10=$hub2"
  pointer 400 300
  cp "$work/shot.xwd" "$work/wrapped.xwd"

  # The back arrow saves and returns to the sign-in screen, slot 2 still selected.
  click 45 560
  wait_trace "INFO: Node 5 (SignIn) active" 2 60
  scroll=$(save_u32 "$save" 1)
  [ "$scroll" -ge 0 ] && [ "$scroll" -lt 3200 ] || fail "the back arrow saved the scroll position $scroll"
  wait_screen 20 sprites "$manifest" "SignIn_portrait:2@494,114"

  # Play again: no introduction, one of the sign-in openings.
  click 620 420
  pointer 400 300
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
  [ "$(save_u8 "$save" "$(first_visit_offset 6)")" = 0 ] || fail "the hub's first-visit byte is still set"
  wait_sound 30 0310 0350 0390 >/dev/null
  [ "$(grep -cE "$(sound_pattern 0180)" "$work/stderr")" -eq 1 ] || fail "the introduction played twice"

  # Escape, the exit dialog, yes: the closing line and status 0, the file as the hub left it.
  press Escape
  wait_sound 30 0100 >/dev/null
  wait_screen 20 sprites "$manifest" "DialogBox:0@0,0" "Pilo_yes:0@229,240"
  click 299 280
  wait_sound 30 5089 >/dev/null
  wait_exit 30
  [ "$status" -eq 0 ] || fail "status $status after yes in the exit dialog, expected 0"
  [ "$(save_u32 "$save" 1)" = "$scroll" ] || fail "the exit saved the scroll $(save_u32 "$save" 1), expected $scroll"
  [ "$(save_u8 "$save" "$(first_visit_offset 6)")" = 0 ] || fail "the exit's save has the hub's first-visit byte set"
  # Kept for a look: the panorama just past its wrap.
  [ -z "${HUB_SHOTS:-}" ] || cp "$work/wrapped.xwd" "$HUB_SHOTS/hub-wrapped.xwd"
  ;;
*)
  echo "hub: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "hub ($scenario): ok"
