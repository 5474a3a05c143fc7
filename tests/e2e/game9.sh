#!/usr/bin/env bash
# The memory card game on the generated content, played on an X server (run under xvfb-run).
# Usage: game9.sh <pilo> <content folder> <level1>
#   level1: a returning player whose hub shows the game's button (game9-hub.sav: the hub at scroll
#           1400, the game at level 2 resuming there, high score 85, level 2's prize owned) enters
#           node 15; space cuts the opening line and banner "2" follows; the selector's back arrow lays
#           level 1 (banner "1") on the second sand picture; its six pairs, found in the screenshot by
#           their rocks' colours, turn and vanish; the picture revealed, the cheer line, a click on it,
#           "Prize_Conch" skipped by a key, banner "2"; the exit arrow, "5027", the hub, whose arrival
#           save holds level 1's prize, level 2 reached and to resume at, and the high score 85, only
#           equalled. The banner stands a moment only: the trace tells of it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "game9 ($scenario)"
harness_content "$2"

# The game's record (23 bytes after the 11-byte header): first visit, level (4), flag, high score (4),
# level to resume at (4), a second value (4), the five prize bytes.
entry=$(save_entry 15)

# The game draws its own pointer, 32 pixels square about the point: keys go in with the pointer away
# at the top right, and the points looked at after a click lie off the pointer's square.
key() { xdotool mousemove --window "$wid" 760 60 key "$1" || fail "xdotool could not press $1"; }
off_pointer() { IFS=, read -r x y <<<"$1"; echo "$((x + 25)),$((y + 25))"; }
# A card reads the pointer where the game last drew it: the pointer goes there first, and the click
# follows once the game shows its rollover pointer over the card.
click_card() {
  IFS=, read -r x y <<<"$1"
  xdotool mousemove --window "$wid" "$x" "$y" || fail "xdotool could not move the pointer"
  wait_screen 10 pixels "$x,$y=$rollover" "$((x + 4)),$((y + 4))=$rollover"
  click "$x" "$y"
}
# One look at the screen: whether screen_check.py <args> passes on it.
screen_shows() {
  xwd -id "$wid" -silent >"$work/shot.xwd" 2>/dev/null &&
    "$harness_python" "$here/screen_check.py" "$1" "$work/shot.xwd" "${@:2}" >"$work/check.txt"
}
# The first card of a try (its rock, its point), clicked again should the click come while the
# banner, which leaves no trace of its end, was still going: until it lies face up.
turn_first() {
  local up tries deadline
  up=$(sprite_colour "$1" 3)
  for tries in 1 2 3 4 5; do
    click_card "$2"
    deadline=$((SECONDS + 3))
    while [ $SECONDS -lt $deadline ]; do
      screen_shows pixels "$(off_pointer "$2")=$up" && return 0
      poll_pause
    done
  done
  fail "the card at $2 does not turn up: $(cat "$work/check.txt")"
}

# The rocks of boards 1 to 6; face down each shows its own colour.
easy_rocks=(RockPilo RockTovin RockZelka RockBrago RockOskel RockHumbo RockOrvel RockPertu RockBlenny)
# The banner's digit stands between two cards of the top row, on the sand when the banner is gone.
digit_point=402,278
# A point of the sand picture (103, 198; 600 x 340) that no card covers.
sand_point=130,520

# The pairs on the screen ("rock point point" each) into $pairs; false when a colour lies on more than
# two cards.
find_pairs() {
  local rock=0 colour areas area x y w h cards
  pairs=()
  xwd -id "$wid" -silent >"$work/shot.xwd" || fail "no screenshot of the board"
  "$harness_python" "$here/screen_check.py" locate "$work/shot.xwd" "${colours[@]}" >"$work/cards.txt" 2>/dev/null
  while read -r colour areas; do
    cards=()
    for area in $areas; do
      IFS=, read -r x y w h <<<"$area"
      [ "$w" -ge 72 ] && [ "$w" -le 84 ] && [ "$h" -ge 72 ] && [ "$h" -le 84 ] && cards+=("$x,$y")
    done
    case ${#cards[@]} in
    0) ;;
    2) pairs+=("${easy_rocks[rock]} ${cards[0]} ${cards[1]}") ;;
    *) return 1 ;;
    esac
    rock=$((rock + 1))
  done <"$work/cards.txt"
}

case $scenario in
level1)
  cp "$content/saves/game9-hub.sav" "$work/SaveGame0.sav" || fail "no prepared save game9-hub.sav"
  harness_start PILO_FRAME_MS=20
  rollover=$(sprite_colour Cursor 1)
  # The button's hotspot spans 1764 to 2034 of the panorama, 92 to 342 down.
  enter_game 0 15 1900 220 1400

  # A returning player hears one opening line; space ends it and the banner brings level 2.
  wait_sound 60 4505 >/dev/null
  key space
  wait_trace "INFO: Level banner 2 shows."
  grep -qE "$(sound_pattern 4500)" "$work/stderr" && fail "a returning player heard the first visit's lines"

  # The selector's back arrow: level 1 on the second sand picture, once its banner has gone.
  click 122 578
  wait_trace "INFO: Level banner 1 shows."
  sand=$(sprite_colour CardBackground2 0)
  wait_screen 20 pixels "$digit_point=$sand" "$sand_point=$sand"

  # Six kinds of the nine lie twice each: a pair is a colour in two card-sized areas, looked for
  # until the banner no longer covers any.
  colours=()
  for rock in "${easy_rocks[@]}"; do colours+=("$(sprite_colour "$rock" 0)"); done
  deadline=$((SECONDS + 20))
  until find_pairs && [ ${#pairs[@]} -eq 6 ]; do
    [ $SECONDS -lt $deadline ] || fail "level 1 shows ${#pairs[@]} pairs, expected 6: $(cat "$work/cards.txt")"
    poll_pause
  done

  # Each pair turned together vanishes, the sand showing where its cards lay; the last one reveals
  # the picture.
  revealed=$(sprite_colour CardBackground2 1)
  left=${#pairs[@]}
  for pair in "${pairs[@]}"; do
    read -r name first second <<<"$pair"
    turn_first "$name" "$first"
    click_card "$second"
    left=$((left - 1))
    [ $left -gt 0 ] || sand=$revealed
    wait_screen 20 pixels "$(off_pointer "$first")=$sand" "$(off_pointer "$second")=$sand"
  done
  wait_screen 20 pixels "$sand_point=$revealed"
  wait_sound 20 4523 4524 4525 4526 >/dev/null

  # The won picture leads to level 1's prize (not owned yet), a key skips it, and level 2 follows.
  click 400 368
  wait_trace "INFO: Movie 'Prize_Conch' plays."
  key space
  wait_trace "INFO: Movie 'Prize_Conch' stops."
  wait_trace "INFO: Level banner 2 shows." 2

  # The exit arrow: the guide's goodbye, then the hub, which saves on arrival.
  click 48 562
  wait_sound 30 5027 >/dev/null
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
  save=$work/SaveGame0.sav
  deadline=$((SECONDS + 20))
  until [ "$(save_u8 "$save" $((entry + 18)))" = 1 ]; do
    [ $SECONDS -lt $deadline ] || fail "the hub's save does not hold level 1's prize"
    poll_pause
  done
  [ "$(save_u32 "$save" $((entry + 1)))" = 2 ] || fail "the save's level reached is $(save_u32 "$save" $((entry + 1))), expected 2"
  [ "$(save_u32 "$save" $((entry + 6)))" = 85 ] || fail "the save's high score is $(save_u32 "$save" $((entry + 6))), expected 85"
  [ "$(save_u32 "$save" $((entry + 10)))" = 2 ] || fail "the save resumes at $(save_u32 "$save" $((entry + 10))), expected 2"
  [ "$(save_u8 "$save" $((entry + 19)))" = 1 ] || fail "the save lost level 2's prize"
  [ "$(save_u8 "$save" 5)" = 0 ] || fail "an equalled high score was taken for a new one"
  ;;
*)
  echo "game9: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "game9 ($scenario): ok"
