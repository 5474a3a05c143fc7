#!/usr/bin/env bash
# The hub on the generated content, played on an X server (run under xvfb-run).
# Usage: hub.sh <pilo> <content folder> <walk|game-button>
#   walk: a new player in slot 2: the hub saves the slot on arrival (542 bytes, signed in, slot 2); the
#         introduction's first lines come in order and space cuts the rest; resting the pointer on
#         "Turtle Surf" brings its hover line; the pointer at the right edge moves the panorama panel
#         by panel and wraps it from the fourth back to the first; the back arrow saves the scroll
#         position at which the pointer left the edge (read off the screen) and returns to the sign-in
#         screen with slot 2 selected; play again brings a sign-in opening and no introduction; Escape,
#         "0100", yes, "5089" and status 0, the file holding the last scroll position and the hub's
#         first-visit byte cleared.
#   game-button: a new player's click on "Turtle Surf": its loading picture on the screen, then its
#         node (13) active after the hub.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "hub ($scenario)"
harness_content "$2"

# The view's scroll position, from the top row of a screenshot of the panorama: the panel whose
# colour is at the left edge, and where the next one begins. The outlines of the game buttons' click
# areas are no panel's colour: the turtle ride's runs down the first panel's left edge.
view_scroll() {
  python3 - "$harness_dir" "$1" "$hub1" "$hub2" "$hub3" "$hub4" <<'PYTHON'
import sys
sys.path.insert(0, sys.argv[1])
from screen_check import Xwd, parse_colour, TOLERANCE
shot = Xwd(sys.argv[2])
panels = [parse_colour(c) for c in sys.argv[3:7]]
def panel_at(x):
    pixel = shot.pixel(x, 10)
    for index, colour in enumerate(panels):
        if pixel and max(abs(a - b) for a, b in zip(pixel, colour)) <= TOLERANCE:
            return index
    return None
start = next((x for x in range(8) if panel_at(x) is not None), None)
if start is None:
    sys.exit("no panel's colour at the left edge")
first = panel_at(start)
following = (first + 1) % 4
edge = next((x for x in range(start + 1, 800) if panel_at(x) == following), None)
while edge is not None and edge - 1 > start and panel_at(edge - 1) is None:
    edge -= 1
print(first * 800 if edge is None else ((first + 1) * 800 - edge) % 3200)
PYTHON
}

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

  # The introduction, in its order; space while its third line speaks ends it (the lines are short:
  # the key may land in the fourth or fifth).
  intro=(0180 0190 02001 02002 02003 0210 0220 0240 0250 0260 0270 0280 0290 0300 0303 0304)
  for name in 0180 0190 02001; do wait_sound 30 "$name" >/dev/null; done
  press space
  [ "$(line_of_sound 0180)" -lt "$(line_of_sound 0190)" ] && [ "$(line_of_sound 0190)" -lt "$(line_of_sound 02001)" ] ||
    fail "the introduction's first lines came out of order"

  # The pointer on "Turtle Surf" (the panorama's first 526 x 168 pixels, the view at 0): one of its
  # two hover lines, once the cast rests.
  pointer 300 100
  hover=$(wait_sound 40 1360 0820)
  cut=$(line_of_sound "$hover")
  for name in "${intro[@]:5}"; do
    at=$(line_of_sound "$name")
    [ "$at" -eq 0 ] || [ "$at" -gt "$cut" ] || fail "the introduction's line $name played after space"
  done
  if [ "$hover" = 1360 ]; then wait_sound 20 1370 >/dev/null; fi
  # No scrolling while a fish talks: the hover line's speaker is done when the help button is back.
  # The first panel's colour still fills the top row (from x 3: the turtle ride's outline is left of it).
  hub1=$(sprite_colour Hub_1) hub2=$(sprite_colour Hub_2) hub3=$(sprite_colour Hub_3) hub4=$(sprite_colour Hub_4)
  wait_screen 10 pixels "3,10=$hub1" "799,10=$hub1"

  # The pointer in the right edge's band: the view moves right, a panel every 800 pixels, and after
  # the fourth the first comes round again. Under the fixed frame step the game's clock runs faster
  # than the wall's: at full speed the view could go round between two screenshots, so the pointer
  # stays where the view moves 3 pixels a step.
  pointer 645 300
  wait_screen 30 pixels "3,10=$hub2"
  wait_screen 30 pixels "3,10=$hub3"
  wait_screen 30 pixels "3,10=$hub4" "799,10=$hub1"
  wait_screen 30 pixels "3,10=$hub1" "799,10=$hub2"
  # The view runs on while the screenshot is checked: the pointer leaves the edge with the game
  # held, and where the view stands then is read off the picture.
  hold_game
  pointer 400 300
  xwd -id "$wid" -silent >"$work/wrapped.xwd" || fail "no screenshot of the held game"
  seen=$(view_scroll "$work/wrapped.xwd") || fail "the view's place cannot be read: $seen"
  kill -CONT "$pid" 2>/dev/null

  # The back arrow saves the view where the pointer left it (give or take the step being drawn and
  # the one that read the pointer) and returns to the sign-in screen, slot 2 still selected.
  click 45 560
  wait_trace "INFO: Node 5 (SignIn) active" 2 60
  scroll=$(save_u32 "$save" 1)
  [ $(((scroll - seen + 3200) % 3200)) -le 6 ] ||
    fail "the back arrow saved the scroll position $scroll; the view stood at $seen when the pointer left the edge"
  wait_screen 20 sprites "$manifest" "SignIn_portrait:2@494,114"

  # Play again: no introduction, one of the sign-in openings.
  click 620 420
  pointer 400 300
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
  [ "$(save_u8 "$save" "$(save_entry 6)")" = 0 ] || fail "the hub's first-visit byte is still set"
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
  [ "$(save_u8 "$save" "$(save_entry 6)")" = 0 ] || fail "the exit's save has the hub's first-visit byte set"
  # Kept for a look: the panorama as the pointer left the edge, after the wrap.
  [ -z "${HUB_SHOTS:-}" ] || cp "$work/wrapped.xwd" "$HUB_SHOTS/hub-wrapped.xwd"
  ;;
game-button)
  # "Turtle Surf" (the panorama's first 526 x 168 pixels) with the view at 0, as a new player's is
  # while the introduction speaks: its loading picture stands for a frame or two, then its game starts.
  harness_start PILO_FRAME_MS=20
  reach_hub 2
  wait_sound 30 0180 >/dev/null
  # The picture stands two frames only: the game is held before the click and let on a little at a time.
  hold_game
  hub_click 300 100 0
  step_until_screen 400 sprites "$manifest" "loading_turtl:0@0,0"
  deadline=$((SECONDS + 60))
  until grep -qE '^INFO: Node 13 \(.*\) active$' "$work/stderr"; do
    [ $SECONDS -lt $deadline ] || fail "node 13 did not become active within 60 s"
    running || fail "the game ended before node 13 became active"
    ! grep -qxF "$invalid_node" "$work/stderr" || fail "node 13 was not built"
    poll_pause
  done
  nodes=$(grep -E '^INFO: Node [0-9]+ ' "$work/stderr" | cut -d' ' -f3 | tr '\n' ' ')
  [ "$nodes" = "3 5 6 13 " ] || fail "the nodes came in the order $nodes, expected 3 5 6 13"
  kill -TERM "$pid" 2>/dev/null
  wait_exit 30
  ;;
*)
  echo "hub: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "hub ($scenario): ok"
