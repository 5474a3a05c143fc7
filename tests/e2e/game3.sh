#!/usr/bin/env bash
# The music game on the generated content, played on an X server (run under xvfb-run): entered from
# the hub by its button, with a save whose hub view stands at it.
# Usage: game3.sh <pilo> <content folder> <first-visit|second-visit>
#   first-visit:  "game3-first.sav": the hub's button brings node 9; the intro's first lines come in
#                 order and space ends the talk; the song then sounds its notes in the script's order;
#                 record: a character clicked, a clam held by a separate press and release; stop and
#                 replay: the character and the clam sound again and the replay bar shows; "exit1":
#                 the four goodbye lines, the movie "TribalFMV", then the hub, the file holding the
#                 music game's first-visit byte cleared and the hub showing its movie button;
#   second-visit: "game3-second.sav": the five lines of a returning player, then "exit1": three
#                 goodbye lines and the hub, no movie.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "game3 ($scenario)"
harness_content "$2"

# The music game's button on the hub's panorama (its area is 980..1105 x 71..203) and the scroll
# of the prepared saves, which puts it at (342, 137) in the view.
button_x=1042 button_y=137 scroll=700
save=$work/SaveGame0.sav

# The game's own sounds by their name (the file follows it in the trace).
named_pattern() { echo "^INFO: Sound '$1' starts( \\(file '[^']*'\\))?\\.\$"; }
starts_of() { grep -cE "$(named_pattern "$1")" "$work/stderr"; }

# Waits until the trace holds count starts of each sound (a spoken line with -l) named.
wait_starts() {
  local seconds=$1 count=$2 pattern
  shift 2
  local deadline=$((SECONDS + seconds)) name
  for name in "$@"; do
    if [ "${name:0:3}" = "-l:" ]; then pattern=$(sound_pattern "${name:3}"); else pattern=$(named_pattern "$name"); fi
    until [ "$(grep -cE "$pattern" "$work/stderr")" -ge "$count" ]; do
      [ $SECONDS -lt $deadline ] || fail "no $count start(s) of ${name#-l:} within $seconds s"
      running || fail "the game ended while ${name#-l:} was awaited"
      poll_pause
    done
  done
}

# Lines spoken in the order given, each after the one before.
lines_in_order() {
  local previous=0 name at
  for name in "$@"; do
    at=$(line_of_sound "$name")
    [ "$at" -gt "$previous" ] || fail "the line $name did not follow the one before ($*)"
    previous=$at
  done
}

# The screen's buttons of the music game (the centres of their 56-pixel sprites), a character (Tesh,
# track 2) and the clam 2's hit area.
exit_at=(758 558) record_at=(48 558) replay_at=(118 558) stop_at=(188 558)
character_at=(255 335) clam_at=(385 505)

# The hub back from the game: node 6 a second time.
back_at_hub() {
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
  ! grep -qxF "$invalid_node" "$work/stderr" || fail "the hub was not built on the way back"
}

case $scenario in
first-visit)
  cp "$content/saves/game3-first.sav" "$save" || fail "no prepared save game3-first.sav"
  # The game's clock, which the recorder and its bar go by, keeps time with the sound's: no fixed
  # frame step, which would run it many times faster while frames come quickly.
  harness_start
  enter_game 0 9 $button_x $button_y $scroll

  # The intro's first lines in order; space ends the talk, and the song starts.
  wait_starts 60 1 -l:3020 -l:3030
  lines_in_order 3020 3030
  cut=$(wc -l <"$work/stderr")
  press space
  # Oskel's one-shot note, then Orvel's loop, then Oskel's loop: "A0:2 B0:1 A1:3" and "B0:2 A1:2".
  wait_starts 30 1 char0_0 char1_1 char0_1
  song=$(tail -n +"$((cut + 1))" "$work/stderr" | grep -oE "^INFO: Sound 'char[0-6]_[01]' starts" |
    sed -e "s/^INFO: Sound '//" -e "s/' starts//" | awk '!seen[$0]++' | head -n 3 | tr '\n' ' ')
  [ "$song" = "char0_0 char1_1 char0_1 " ] || fail "the song's sounds came as '$song'"
  # The talk ended there: no line of it after the song's first sound, and never its last line.
  song_start=$(grep -nE "$(named_pattern char0_0)" "$work/stderr" | head -n 1 | cut -d: -f1)
  for name in 3033 3032 3035 3036 3034 3031 3040 3050 3060 3070 3080 3081; do
    at=$(line_of_sound "$name")
    [ "$at" -lt "$song_start" ] || fail "the intro's line $name played after space"
  done
  [ "$(line_of_sound 3081)" -eq 0 ] || fail "the intro's talk played to its end despite space"

  # Record: the song goes quiet; a character's part starts at the next tick; the clam sounds its
  # attack, its sustain while held and its decay on release.
  click "${record_at[@]}"
  wait_trace "***********> mouse event"
  click "${character_at[@]}"
  wait_starts 20 1 char2_0
  xdotool mousemove --window "$wid" "${clam_at[@]}" mousedown 1 || fail "xdotool could not press the clam"
  wait_starts 20 1 clam2_sound_attack clam2_sound_sustain
  [ "$(starts_of clam2_sound_decay)" -eq 0 ] || fail "the clam decayed while it was held"
  xdotool mousemove --window "$wid" "${clam_at[@]}" mouseup 1 || fail "xdotool could not release the clam"
  wait_starts 20 1 clam2_sound_decay
  # Four seconds recorded: the record bar's second segment (the bottom rows of its 4 x 10 picture: the
  # top ones carry the frame number).
  wait_screen 30 pixels "236,548=$(sprite_colour TM_meter)"
  click "${stop_at[@]}"
  click "${replay_at[@]}"
  # The replay presses what was recorded: the same sounds again, while its bar grows.
  wait_screen 30 pixels "231,568=$(sprite_colour TM_meter2)"
  cp "$work/shot.xwd" "$work/replay.xwd"
  wait_starts 30 2 char2_0 clam2_sound_attack clam2_sound_sustain clam2_sound_decay

  # The way out: four goodbye lines, the movie, the hub.
  click "${exit_at[@]}"
  wait_starts 60 1 -l:3190 -l:3211 -l:3220 -l:6002
  lines_in_order 3190 3211 3220 6002
  wait_trace "INFO: Movie 'TribalFMV' plays." 1 30
  press space
  wait_trace "INFO: Movie 'TribalFMV' stops." 1 30
  back_at_hub
  deadline=$((SECONDS + 20))
  until [ "$(save_u8 "$save" "$(save_entry 9)")" = 0 ]; do
    [ $SECONDS -lt $deadline ] || fail "the save still has the music game's first-visit byte set"
    poll_pause
  done
  [ "$(save_u8 "$save" "$(save_entry 6)")" = 0 ] || fail "the hub's first-visit byte came back"
  # The movies replay now: the hub's movie button.
  wait_screen 30 sprites "$manifest" "ReplayMovie:0@672,541"
  [ -z "${GAME3_SHOTS:-}" ] || cp "$work/replay.xwd" "$GAME3_SHOTS/game3-replay.xwd"
  ;;
second-visit)
  cp "$content/saves/game3-second.sav" "$save" || fail "no prepared save game3-second.sav"
  harness_start
  enter_game 0 9 $button_x $button_y $scroll
  later=(3160 3090 3100 3050 4160)
  wait_starts 90 1 "${later[@]/#/-l:}"
  lines_in_order "${later[@]}"
  for name in 3020 3030 3081; do
    [ "$(line_of_sound "$name")" -eq 0 ] || fail "the first visit's line $name played again"
  done
  # The talk's end starts the song.
  wait_starts 30 1 char0_0
  click "${exit_at[@]}"
  wait_starts 60 1 -l:3190 -l:3211 -l:3220
  lines_in_order 3190 3211 3220
  back_at_hub
  [ "$(line_of_sound 6002)" -eq 0 ] || fail "the first visit's last goodbye line played"
  ! grep -qF "Movie 'TribalFMV'" "$work/stderr" || fail "the movie played on a second visit"
  [ "$(save_u8 "$save" "$(save_entry 9)")" = 0 ] || fail "the music game's first-visit byte came back"
  ;;
*)
  echo "game3: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "game3 ($scenario): ok"
