#!/usr/bin/env bash
# The turtle ride on the generated content, played on an X server (run under xvfb-run).
# Usage: game7.sh <pilo> <content folder> <ride>
#   ride: a player whose hub view stands at 0 and who has not ridden yet (game7-hub.sav) takes
#         "Turtle Surf" to node 13, on a copy of the content whose level 1 brings shells only, on four
#         lanes of one height, ends its clock soon and sends the vortex at one height; space cuts the
#         intro where there is one; the pointer steers the turtle onto the shells' lane, where a shell
#         is taken ("ts_pickup") and its points show on the score digits, then to the vortex's height
#         until the vortex takes it ("whirlpool"); "Prize_Conch", a key, level 2's banner; "exit1",
#         the good-bye line where there is an intro, the hub, whose arrival save holds entry 13:
#         level 2 reached and last played, the level won, its prize, and, after the intro, the first
#         visit over.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "game7 ($scenario)"
harness_content "$2"

# The ride's record of 23 bytes: first visit, level reached (4), level won (1), high score (4), last
# level played (4), a second word (4), the five prize bytes.
entry=$(save_entry 13)

# One look at the screen: whether screen_check.py <args> passes on it.
screen_shows() {
  xwd -id "$wid" -silent >"$work/shot.xwd" 2>/dev/null &&
    "$harness_python" "$here/screen_check.py" "$1" "$work/shot.xwd" "${@:2}" >"$work/check.txt"
}

# The score's digits, right-aligned with the ones at x 684 and 19 pixels apart.
score_checks() {
  local score=$1 i
  for ((i = 0; i < ${#score}; i++)); do
    echo "TS_pointDigits:${score:$((${#score} - 1 - i)):1}@$((684 - 19 * i)),558"
  done
}

case $scenario in
ride)
  save=$work/SaveGame0.sav
  cp "$content/saves/game7-hub.sav" "$save" || fail "no prepared save game7-hub.sav"
  # Level 1: three yellow shells (25 points each) and nothing else, released every 0.4 to 0.9 s on
  # the lane at 460 (every other release: the draw takes a height other than the last one's), a
  # quick current and a 6 s clock; the vortex always at 200.
  level1='numTurtles 0
numBabies 0
numGoodie1 3
numGoodie2 0
numGoodie3 0
ObstacleSpeed 200
LevelDuration 6000
MinReleaseTime 400
MaxReleaseTime 900'
  edits=()
  while read -r key value; do edits+=(-e "s/^\\($key *= *\\)[-0-9.]*/\\1$value/"); done <<<"$level1"
  data=universal/Game7/RuduraZizuru2Data.txt
  harness_content_edit "$data" sed "${edits[@]}" \
    -e 's/^PossibleYPositions *=.*/PossibleYPositions = 460, 460, 460, 460, 140\r/' \
    -e 's/^PossibleVortexPos *=.*/PossibleVortexPos = 200, 200, 200\r/'
  # Each row there once and edited, should the generator's rows change.
  while read -r key value; do
    [ "$(grep -c "^$key *= *${value}[,"$'\r'"]" "$content/$data")" = 1 ] || fail "the level data's $key is not $value"
  done <<<"$level1
PossibleYPositions 460
PossibleVortexPos 200"
  harness_start PILO_SEED=7
  # The "Turtle Surf" hotspot spans the panorama from (0, 0) to (526, 168).
  enter_game 0 13 300 100 "$(save_u32 "$save" 1)"

  # Level 1's banner at once, or the intro first (its first visit's opening line), which space cuts.
  intro=0
  deadline=$((SECONDS + 90))
  until grep -qxF "INFO: Level banner 1 shows." "$work/stderr"; do
    [ $SECONDS -lt $deadline ] || fail "neither level 1's banner nor the end of the intro within 90 s"
    running || fail "the game ended before level 1 began"
    if [ $intro = 0 ] && spoke 3230; then
      intro=1
      press space
      pressed=$SECONDS
    elif [ $intro = 1 ] && [ $((SECONDS - pressed)) -ge 5 ]; then
      # The intro goes on after its speech: once more should the press have come before it could skip.
      press space
      pressed=$SECONDS
    fi
    poll_pause
  done
  [ $intro = 1 ] || ! spoke 3230 || fail "the intro's opening line came after the level's banner"

  # Onto the shells' lane, well right of the start (200, 300): the first shell taken, its points show.
  pointer 500 460
  wait_sound 60 ts_pickup >/dev/null
  deadline=$((SECONDS + 10))
  until score=$((25 * $(sound_count ts_pickup))) && mapfile -t checks < <(score_checks "$score") &&
    screen_shows sprites "$manifest" "${checks[@]}"; do
    [ $SECONDS -lt $deadline ] || fail "the score digits do not show $score: $(cat "$work/check.txt")"
    running || fail "the game ended while the score was awaited"
    poll_pause
  done

  # Up to the vortex's height: it crosses once the clock is out and takes the turtle.
  pointer 500 200
  wait_sound 60 whirlpool >/dev/null
  wait_trace "INFO: Movie 'Prize_Conch' plays." 1 60
  press space
  wait_trace "INFO: Movie 'Prize_Conch' stops." 1 30
  wait_trace "INFO: Level banner 2 shows." 1 30

  # The exit button, given its click again until the good-bye or the hub follows.
  for ((tries = 0; tries < 10; tries++)); do
    pointer 765 573
    click 765 573
    deadline=$((SECONDS + 5))
    while [ $SECONDS -lt $deadline ]; do
      grep -qE "$(sound_pattern '(3801|3810|3431|3311)')" "$work/stderr" && break 2
      [ "$(grep -cxF "INFO: Node 6 (Unnamed Node) active" "$work/stderr")" -ge 2 ] && break 2
      running || break 2
      poll_pause
    done
  done
  [ $intro = 0 ] || wait_sound 30 3801 3810 3431 3311 >/dev/null
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60

  deadline=$((SECONDS + 20))
  until [ "$(save_u8 "$save" $((entry + 18)))" = 1 ]; do
    [ $SECONDS -lt $deadline ] || fail "the hub's save does not hold level 1's prize"
    poll_pause
  done
  [ "$(save_u32 "$save" $((entry + 1)))" = 2 ] || fail "the save's level reached is $(save_u32 "$save" $((entry + 1))), expected 2"
  [ "$(save_u8 "$save" $((entry + 5)))" = 1 ] || fail "the save's level-won byte is not set"
  [ "$(save_u32 "$save" $((entry + 10)))" = 2 ] || fail "the save's last level played is $(save_u32 "$save" $((entry + 10))), expected 2"
  [ "$(save_u8 "$save" $((entry + 19)))" = 0 ] || fail "the save holds level 2's prize"
  # The intro is what ends the first visit.
  if [ $intro = 1 ]; then
    [ "$(save_u8 "$save" "$entry")" = 0 ] || fail "the save's entry 13 is still a first visit after the intro"
  fi
  ;;
*)
  echo "game7: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "game7 ($scenario): ok"
