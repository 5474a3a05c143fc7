#!/usr/bin/env bash
# The submarine ball game on the generated content, played on an X server (run under xvfb-run).
# Usage: game5.sh <pilo> <content folder> <play>
#   play: a returning player whose hub view stands at 2000 and who has not played the game; "Sub Chase"
#         in the hub brings node 11 and the long introduction's four lines; then throw after throw
#         (the pointer at the pipe until the fish holds the ball, then under the door where the shark
#         shows until the fish rests there, a click once no jellyfish is near the ball's way) until the
#         third goal, each goal an encouraging line, the last the bonus's bell, each miss "ball_miss";
#         "Sub_Movie_Happy" and "Prize_Conch", a key each; the exit arrow back to the hub, whose
#         arrival save holds the game's entry: visited, level 2 reached and current, a goal scored,
#         the high score the trace adds up, level 1's prize shown.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "game5 ($scenario)"
harness_content "$2"

# The game's entry of 23 bytes: first visit, level reached (4), success, high score (4), current level
# (4), a word the game does not use (4), the five prize bytes.
entry=$(save_entry 11)

wait_sound_times() {
  local name=$1 count=${2:-1} seconds=${3:-30} deadline
  deadline=$((SECONDS + seconds))
  until [ "$(sound_count "$name")" -ge "$count" ]; do
    [ $SECONDS -lt $deadline ] || fail "the sound $name did not start (${count} times) within $seconds s"
    running || fail "the game ended while the sound $name was awaited"
    poll_pause
  done
}

# "<fish animation> <fish x> <shark's door> <way clear>" of a new screenshot (game5_look.py).
look() {
  xwd -id "$wid" -silent >"$work/shot.xwd" 2>/dev/null || fail "no screenshot"
  "$harness_python" "$here/game5_look.py" "$work/shot.xwd" "$manifest" 100 || fail "game5_look.py could not read the screenshot"
}

# Each door's pointer x: the fish there throws the ball along the arc's outward heading into it.
door_x=(172 352 498)

# Goals so far (each an encouraging line, the last one the bonus's first bell), and the ball loaded
# again (after a goal, a miss or a throw out of the room).
goals() {
  local n total=0
  for n in 2549 2550 2551 2552 2553 2554 2555 2556 2557 2558 2601 2602 2603; do
    total=$((total + $(sound_count "$n")))
  done
  echo $((total + ($(sound_count bell) > 0 ? 1 : 0)))
}
loads() { sound_count ball_load; }
lost_games() { grep -cxF "INFO: Movie 'Sub_Movie_Angry' plays." "$work/stderr"; }

# One throw: the ball fetched from the pipe (the fish shows one of its four holding animations), the
# pointer under the shark's door until the fish rests there facing left with the ball (animation 0),
# the click once the shark is still there and the way clear. Returns once the throw has ended: the
# ball loaded again, the bonus, or a lost game (the fish throws by itself when the aim time is out).
throw() {
  local before lost deadline anim x door=-1 clear target
  before=$(loads) lost=$(lost_games)
  deadline=$((SECONDS + 60))
  pointer 700 450
  while :; do
    [ $SECONDS -lt $deadline ] || fail "the fish did not take the ball within 60 s"
    running || fail "the game ended while the fish swam to the pipe"
    read -r anim x door clear < <(look)
    [ "$anim" -ge 0 ] && [ "$anim" -le 3 ] && [ "$door" -ge 0 ] && break
  done
  target=$door
  pointer "${door_x[target]}" 450
  while [ "$(loads)" -eq "$before" ] && [ "$(lost_games)" -eq "$lost" ]; do
    [ $SECONDS -lt $deadline ] || fail "the fish did not aim within 60 s"
    running || fail "the game ended while the fish aimed"
    read -r anim x door clear < <(look)
    if [ "$anim" -eq 0 ] && [ $((x - door_x[target])) -ge -4 ] && [ $((x - door_x[target])) -le 4 ]; then
      if [ "$door" -eq "$target" ] && [ "$clear" -eq 1 ]; then
        click "${door_x[target]}" 450
        break
      fi
      # The shark went to another door: follow it.
      if [ "$door" -ge 0 ]; then
        target=$door
        pointer "${door_x[target]}" 450
      fi
    fi
  done
  deadline=$((SECONDS + 30))
  until [ "$(loads)" -gt "$before" ] || [ "$(sound_count bell)" -gt 0 ] || [ "$(lost_games)" -gt "$lost" ]; do
    [ $SECONDS -lt $deadline ] || fail "the throw at door $target came to no end within 30 s"
    running || fail "the game ended while the ball flew"
    poll_pause
  done
}

case $scenario in
play)
  cp "$content/saves/game5-new.sav" "$work/SaveGame0.sav" || fail "no prepared save game5-new.sav"
  # The real clock: the game runs as fast as the player looks, whatever the frame rate.
  harness_start PILO_SEED=5
  enter_game 0 11 2300 220 2000

  # The long introduction, in its order; then the level's banner and the ball in the pipe.
  for name in 2470 2480 2490 2540; do wait_sound_times "$name" 1 60; done
  at() { grep -nE "$(sound_pattern "$1")" "$work/stderr" | head -n 1 | cut -d: -f1; }
  [ "$(at 2470)" -lt "$(at 2480)" ] && [ "$(at 2480)" -lt "$(at 2490)" ] && [ "$(at 2490)" -lt "$(at 2540)" ] ||
    fail "the introduction's lines came out of order"
  wait_sound_times ball_load 1 60

  # On the real clock a loaded machine spoils aims: beside the other suites a lost game or two may
  # come before the win.
  deadline=$((SECONDS + 300))
  while [ "$(sound_count bell)" -eq 0 ]; do
    [ $SECONDS -lt $deadline ] || fail "three goals were not scored within 300 s ($(goals) goals)"
    throw
  done
  echo "goals $(goals), misses $(sound_count ball_miss), jellyfish $(sound_count ball_hit_jelly_01)"

  loaded=$(loads)
  for movie in Sub_Movie_Happy Prize_Conch; do
    wait_trace "INFO: Movie '$movie' plays." 1 60
    press space
    wait_trace "INFO: Movie '$movie' stops." 1 30
  done
  # The next level's banner and ball.
  wait_sound_times ball_load $((loaded + 1)) 60

  # The high score the trace adds up: 50 a goal, 10 a jellyfish, taken at the last goal and at a lost
  # game, whose score starts again from 0.
  high=$(grep -E "$(sound_pattern '(25(49|5[0-8])|260[1-3])')|$(sound_pattern ball_hit_jelly_01)|$(sound_pattern bell)|^INFO: Movie 'Sub_Movie_Angry' plays\\.\$" "$work/stderr" |
    awk -v best=0 'BEGIN { score = 0; done = 0 }
      /Sub_Movie_Angry/ { if (score > best) best = score; score = 0; next }
      /ball_hit_jelly_01/ { score += 10; next }
      /bell/ { if (!done) { score += 50; if (score > best) best = score; done = 1 } next }
      { score += 50 }
      END { print best }')

  # The exit arrow: back to the hub, which saves the slot as it arrives.
  click 45 560
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
  save=$work/SaveGame0.sav
  deadline=$((SECONDS + 20))
  until [ "$(save_u32 "$save" $((entry + 10)))" = 2 ]; do
    [ $SECONDS -lt $deadline ] || fail "the hub's arrival did not save the game's current level 2"
    poll_pause
  done
  [ "$(save_u8 "$save" $entry)" = 0 ] || fail "the game's first-visit byte is still set"
  [ "$(save_u32 "$save" $((entry + 1)))" = 2 ] || fail "level reached $(save_u32 "$save" $((entry + 1))), expected 2"
  [ "$(save_u8 "$save" $((entry + 5)))" = 1 ] || fail "the success byte is not set"
  [ "$(save_u32 "$save" $((entry + 6)))" = "$high" ] ||
    fail "high score $(save_u32 "$save" $((entry + 6))), the trace makes it $high"
  [ "$(save_u8 "$save" $((entry + 18)))" = 1 ] || fail "level 1's prize byte is not set"
  [ "$(save_u8 "$save" $((entry + 19)))" = 0 ] || fail "level 2's prize byte is set"
  ;;
*)
  echo "game5: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "game5 ($scenario): ok"
