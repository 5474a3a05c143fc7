#!/usr/bin/env bash
# The shape game on the generated content, played on an X server (run under xvfb-run).
# Usage: game4.sh <pilo> <content folder> <first-level>
#   first-level: a player who has seen the hub, its view on the "Moonfish" button, enters node 10; space
#                cuts the introduction; the shapes the school forms (the traced "shapeN_fish" starts
#                before the shapes are enabled) are clicked in order; "Prize_Conch" plays and a key
#                ends it; the banner shows 2; the exit button goes back to the hub; the slot's entry 10
#                holds first visit 0, level 2, the traced score, last level 2 and the prize of level 1.
#                Any right shape scores, so the real clock cannot fail the copy.
#   no-school-sprite: the same way in without the school's sprite "G4_moonfish": the game ends with
#                its "Error" naming the sprite, with status 1 (no signal, no sanitizer's report).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "game4 ($scenario)"
harness_content "$2"

# Entry 10 of the record: 23 bytes after the 11-byte header and the ten entries before it.
entry=$(save_entry 10)

case $scenario in
first-level)
  save=$work/SaveGame0.sav
  cp "$content/saves/game4-hub.sav" "$save" || fail "no prepared save game4-hub.sav"
  # The real clock: the banner holds its number a second, long enough for the screenshots.
  harness_start
  # The "Moonfish" button's middle; the save's view starts at 2500.
  enter_game 0 10 2874 108 2500

  # The introduction: space while it speaks, and again for the first visit's last line.
  wait_trace "INFO: Game4 state 0 -> 1." 1 60
  press space
  wait_trace "INFO: Game4 state 1 -> 2."
  until grep -qxF "INFO: Game4 state 2 -> 6." "$work/stderr"; do
    running || fail "the game ended in the introduction"
    press space
    poll_pause
  done

  # The demonstration: the shapes the school forms, in order, until the shapes are enabled.
  wait_trace "INFO: Game4 shapes enabled." 1 60
  mapfile -t shapes < <(sed -n '/^INFO: Game4 state 6 -> 9\.$/,/^INFO: Game4 shapes enabled\.$/p' "$work/stderr" |
    sed -nE "s/^INFO: Sound 'shape([0-4])_fish' starts.*$/\\1/p")
  [ "${#shapes[@]}" -eq 2 ] || fail "the school formed ${#shapes[@]} shapes, expected 2: ${shapes[*]}"
  for shape in "${shapes[@]}"; do click $((165 + 120 * shape)) 515; done
  wait_trace "INFO: Game4 state 12 -> 8." 1 30
  score=$(sed -nE 's/^INFO: Game4 press of shape [0-4] at mark [0-9]+, t -?[0-9]+: (-?[0-9]+) points\.$/\1/p' \
    "$work/stderr" | awk '{ s += $1 } END { print s + 0 }')
  [ "$score" -gt 0 ] || fail "the copy scored $score"

  # The prize, cut short by a key; then the banner of level 2.
  wait_trace "INFO: Movie 'Prize_Conch' plays." 1 60
  press x
  wait_trace "INFO: Movie 'Prize_Conch' stops."
  # The pointer off the banner's number.
  xdotool mousemove --window "$wid" 700 200 || fail "xdotool could not move the pointer"
  wait_screen 20 sprites "$manifest" "G4_bannerDigits:2@388,402"

  # The exit button: back to the hub, which writes the slot.
  click 35 561
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
  deadline=$((SECONDS + 20))
  until [ "$(save_u32 "$save" $((entry + 10)))" = 2 ]; do
    [ $SECONDS -lt $deadline ] || fail "the slot's entry 10 has last level $(save_u32 "$save" $((entry + 10)))"
    poll_pause
  done
  [ "$(save_u8 "$save" "$entry")" = 0 ] || fail "the first-visit byte of entry 10 is still set"
  [ "$(save_u32 "$save" $((entry + 1)))" = 2 ] || fail "entry 10 has level $(save_u32 "$save" $((entry + 1)))"
  [ "$(save_u32 "$save" $((entry + 6)))" = "$score" ] ||
    fail "entry 10 has the high score $(save_u32 "$save" $((entry + 6))), the copy scored $score"
  [ "$(save_u8 "$save" $((entry + 18)))" = 1 ] || fail "entry 10 lacks the prize of level 1"
  [ "$(save_u8 "$save" $((entry + 19)))" = 0 ] || fail "entry 10 has the prize of level 2"
  ;;
no-school-sprite)
  harness_content_without universal/GAME4.qel universal/GAME4/G4_moonfish.qela
  cp "$content/saves/game4-hub.sav" "$work/SaveGame0.sav" || fail "no prepared save game4-hub.sav"
  harness_start
  reach_hub 0
  hub_button 2874 108 2500 "^Error: Failed to load sprite 'G4_moonfish'\$"
  wait_exit 60
  grep -qxF "Error: Failed to load sprite 'G4_moonfish'" "$work/stderr" || fail "no \"Error\" named the sprite"
  expect_fatal_end
  ;;
*)
  echo "game4: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "game4 ($scenario): ok"
