# The harness that plays the game end to end on an X server (source it; run the script under
# xvfb-run -a -s '-screen 0 1024x768x24 -noreset'). The game starts in a temporary folder of its own
# whose "Pilo.ini" points at a content set, with the trace on, no dialog boxes, its lock in that folder
# and SDL's dummy audio. Input goes through xdotool, pictures come through xwd. Every wait polls until
# what it waits for is there or a deadline has passed: none sleeps a fixed time.
#
#   harness_init <name>           the temporary folder ($work), cleaned up at exit
#   harness_content <folder>      the content set to play ($content, $manifest)
#   harness_content_without <file>...
#                                 a hard-linked copy of the content ($content), the files named
#                                 (relative to it) removed first, so nothing writes through a link
#   harness_content_edit <file> <command>...
#                                 the same copy (made once for both), the file named (relative to it)
#                                 replaced by what the command writes with the original on its input:
#                                 for a content set in both forms, the copy in the database's folder,
#                                 which the game searches before the archive
#   harness_launch [VAR=value]... starts the game with these variables too ("Pilo.ini" gets the lines
#                                 of $settings too, if any)
#   harness_start [VAR=value]...  the same, then waits for its window ($wid)
#   wait_trace <line> [count] [seconds]
#                                 waits until the trace holds the whole line count times (1)
#   wait_trace_re <pattern> [seconds]
#                                 waits until a line of the trace matches the extended regex
#   wait_screen <seconds> <check args>...
#                                 polls screenshots until screen_check.py <args> passes on one
#   hold_game                     stops the game where it is (input sent meanwhile waits for it)
#   step_until_screen <steps> <check args>...
#                                 lets the game run a moment at a time (stopped in between,
#                                 with a screenshot each time) until a screenshot passes: for pictures
#                                 that stand only a frame or two; the game runs on freely afterwards
#   press <key>                   types a key (an xdotool key name) into the game window
#   click [x y]                   clicks the left button there (the screen's centre) in the game window
#   wait_exit <seconds>           waits for the game to end; its status in $status
#   skip_title                    skips the title sequence's movies one by one with a key
#   reach_signin                  the same, then waits for the sign-in screen
#   reach_hub <slot>              from the start to the hub on that sign-in slot (0 to 5): a save put at
#                                 "$work/SaveGame<slot>.sav" before the start is the player who returns
#   hub_click <x> <y> <scroll>    clicks the panorama's point (x, y) with the view scrolled to <scroll>
#                                 (a save's hubCounter, at byte 1); on the screen it must lie between
#                                 the columns that scroll (200 to 600) or in the bottom band
#   hub_button <x> <y> <scroll> <pattern>
#                                 hub_click until the trace has a line matching the pattern (or the
#                                 game has ended)
#   enter_game <slot> <node> <x> <y> <scroll>
#                                 reach_hub, then the game button at panorama point (x, y), then waits
#                                 until that node is active
#   save_u32 <file> <offset>, save_u8 <file> <offset>
#                                 a field of a save; save_entry <node> is where that game's record of
#                                 23 bytes starts (after the 11-byte header, in the order of node ids)
#   sound_pattern <file>          the trace's line for a sound by its file name, played under its own
#                                 name or a speech channel's; spoke <file>, sound_count <file>,
#                                 line_of_sound <file> (the trace's line number of its first start, 0
#                                 for never)
#   wait_sound <seconds> <file>...
#                                 waits until one of the sounds starts; prints the one that did
#   sprite_colour <sprite> [animation]
#                                 an animation's colour in the manifest (the first animation's)
#   pointer <x> <y>               moves the pointer there in the game window
#   fail <text>                   says what went wrong, with the trace, and ends the test
#   expect_fatal_end              the game has ended (wait_exit) through its error path: status 1, no
#                                 signal, no sanitizer's report in the trace
set -uo pipefail
harness_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=fatal-end.sh
. "$harness_dir/fatal-end.sh"
# The interpreter itself, not a version manager's launcher in front of it, which can take seconds a
# start under load: a screen that stands a second must not fall between two looks.
harness_python=$(python3 -c 'import sys; print(sys.executable)') || harness_python=python3

harness_init() {
  harness_name=$1
  work=$(mktemp -d)
  pid=
  trap 'harness_cleanup' EXIT
  cd "$work" || exit 1
}

# Between two looks at what is awaited, so that the poll does not take a core from the game.
poll_pause() { sleep 0.05; }

harness_cleanup() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; fi
  rm -rf "$work"
}

fail() {
  echo "$harness_name: $*"
  echo "--- trace:"
  cat "$work/stderr" 2>/dev/null
  if [ -f "$work/shot.xwd" ]; then
    "$harness_python" "$harness_dir/xwd_image.py" png "$work/shot.xwd" "${TMPDIR:-/tmp}/$harness_name-last.png" &&
      echo "--- the last screenshot is in ${TMPDIR:-/tmp}/$harness_name-last.png"
  fi
  exit 1
}

harness_content() {
  content=$(cd "$1" && pwd) || fail "no content folder $1"
  manifest=$content/manifest.json
  [ -f "$manifest" ] || fail "no manifest in $content"
}

# cp -al makes new folders and hard links to the same files: a file is only ever removed from the
# copy or replaced there by a new one, never written, so the shared content stays as it is.
harness_content_copy() {
  local copy=$work/content
  [ "$content" = "$copy" ] && return 0
  cp -al "$content" "$copy" || fail "cannot link a copy of $content"
  content=$copy
}

harness_content_without() {
  harness_content_copy
  local file
  for file in "$@"; do
    [ -e "$content/$file" ] || fail "the content has no $file to remove"
    rm -rf "${content:?}/$file"
  done
}

harness_content_edit() {
  local file=$1
  shift
  harness_content_copy
  [ -f "$content/$file" ] || fail "the content has no $file to edit"
  "$@" <"$content/$file" >"$work/edited" || fail "could not edit $file with $*"
  # A rename replaces the copy's link, not the file it shares with the content.
  mv "$work/edited" "$content/$file" || fail "could not replace $file"
}

harness_launch() {
  printf '[Config]\r\nhdpath = %s\r\nwindowed = true\r\n%s' "$content" "${settings:-}" >"$work/Pilo.ini"
  cp "$content/PiloStr.txt" "$work/PiloStr.txt"
  # The window's title is the string table's first line.
  title=$(iconv -f UTF-16 -t UTF-8 "$work/PiloStr.txt" | head -n 1 | tr -d '\r')
  env PILO_TRACE=1 PILO_NO_DIALOGS=1 PILO_LOCK_DIR="$work" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11 "$@" \
    "$pilo" 2>"$work/stderr" &
  pid=$!
}

harness_start() {
  harness_launch "$@"
  local deadline=$((SECONDS + 30))
  wid=
  while [ -z "$wid" ]; do
    [ $SECONDS -lt $deadline ] || fail "no window titled '$title' within 30 s"
    running || fail "the game ended before its window showed"
    wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
    [ -n "$wid" ] || poll_pause
  done
}

# True while the game runs (one that has ended but is not yet waited for does not count).
running() {
  [ -n "$pid" ] || return 1
  local state
  state=$(sed -e 's/^.*) //' "/proc/$pid/stat" 2>/dev/null | cut -d' ' -f1) && [ "$state" != Z ]
}

wait_trace() {
  local line=$1 count=${2:-1} seconds=${3:-30}
  local deadline=$((SECONDS + seconds))
  until [ "$(grep -cxF -- "$line" "$work/stderr")" -ge "$count" ]; do
    [ $SECONDS -lt $deadline ] || fail "no trace line '$line' (${count} times) within $seconds s"
    # A game that has ended writes no more.
    if ! running; then
      [ "$(grep -cxF -- "$line" "$work/stderr")" -ge "$count" ] && return 0
      fail "the game ended without the trace line '$line' (${count} times)"
    fi
    poll_pause
  done
}

wait_trace_re() {
  local pattern=$1 seconds=${2:-30}
  local deadline=$((SECONDS + seconds))
  until grep -qE -- "$pattern" "$work/stderr"; do
    [ $SECONDS -lt $deadline ] || fail "no trace line matching '$pattern' within $seconds s"
    if ! running; then
      grep -qE -- "$pattern" "$work/stderr" && return 0
      fail "the game ended without a trace line matching '$pattern'"
    fi
    poll_pause
  done
}

wait_screen() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until xwd -id "$wid" -silent >"$work/shot.xwd" 2>/dev/null &&
    "$harness_python" "$harness_dir/screen_check.py" "$1" "$work/shot.xwd" "${@:2}" >"$work/check.txt"; do
    if [ $SECONDS -ge $deadline ]; then
      fail "the screen did not show $* within $seconds s: $(cat "$work/check.txt")"
    fi
    running || fail "the game ended while the screen was awaited ($*)"
    poll_pause
  done
}

hold_game() {
  kill -STOP "$pid" 2>/dev/null || fail "the game is not there to stop"
}

step_until_screen() {
  local steps=$1 step
  shift
  for ((step = 0; step < steps; step++)); do
    running || fail "the game ended while the screen was awaited ($*)"
    kill -STOP "$pid" 2>/dev/null || fail "the game ended while the screen was awaited ($*)"
    if xwd -id "$wid" -silent >"$work/shot.xwd" 2>/dev/null &&
      "$harness_python" "$harness_dir/screen_check.py" "$1" "$work/shot.xwd" "${@:2}" >"$work/check.txt"; then
      kill -CONT "$pid" 2>/dev/null
      return 0
    fi
    # The game runs on only while the loop comes round again: well under a frame.
    kill -CONT "$pid" 2>/dev/null
  done
  fail "the screen did not show $* within $steps steps: $(cat "$work/check.txt")"
}

# Keys go to the window under the pointer: there is no window manager to give the focus.
press() {
  xdotool mousemove --window "$wid" 400 300 key "$1" || fail "xdotool could not press $1"
}

click() {
  xdotool mousemove --window "$wid" "${1:-400}" "${2:-300}" click 1 || fail "xdotool could not click"
}

wait_exit() {
  local deadline=$((SECONDS + $1))
  while running; do
    [ $SECONDS -lt $deadline ] || fail "the game did not end within $1 s"
    poll_pause
  done
  wait "$pid"
  status=$?
  pid=
}

# The title sequence's movies, in the order they play.
title_movies=(tolvane_logo VantroLogo OvnLogo Tzlogo PlaceholderLegal splash)
# Where the sign-in screen's slot buttons stand, slot 0 to 5.
signin_slot_x=(278 286 155 157 278 154)
signin_slot_y=(75 201 199 338 325 54)
invalid_node='Error: Invalid node ID in NodeFactory::CreateNode()'

skip_title() {
  local name stopped
  for name in "${title_movies[@]}"; do
    wait_trace "INFO: Movie '$name' plays."
    stopped="INFO: Movie '$name' stops."
    # A fast build may play a short movie to its end before the key comes, and the screen after it
    # may end the game (and its window) at once: the key is then not needed.
    if ! grep -qxF -- "$stopped" "$work/stderr"; then
      xdotool mousemove --window "$wid" 400 300 key space 2>/dev/null || grep -qxF -- "$stopped" "$work/stderr" ||
        fail "xdotool could not press space"
    fi
    wait_trace "$stopped"
  done
}

reach_signin() {
  skip_title
  wait_trace "INFO: Node 5 (SignIn) active"
}

reach_hub() {
  local slot=$1
  reach_signin
  # The greeting chain is over before a slot is chosen: the returning players' last line (the delete
  # hint: "0050" after the greeting of a player who has played, "0060" after the other), or the new
  # player's prompt.
  if [ -f "$work/SaveGame$slot.sav" ]; then
    wait_trace_re "^INFO: Sound '00[56]0' starts\\.\$"
  else
    wait_trace "INFO: Sound '0012' starts."
  fi
  click $((signin_slot_x[slot] + 50)) $((signin_slot_y[slot] + 50))
  wait_screen 20 sprites "$manifest" "SignIn_portrait:$slot@494,114"
  # The play button.
  click 620 420
  wait_trace "INFO: Node 6 (Unnamed Node) active" 1 120
  ! grep -qxF "$invalid_node" "$work/stderr" || fail "the hub was not built"
}

# The panorama is 3200 pixels wide and wraps.
hub_click() {
  local x=$((($1 - $3 % 3200 + 3200) % 3200))
  # Beside the columns 200 to 600 (above the bottom band) the resting pointer scrolls the view away.
  [ "$x" -ge 200 ] && [ "$x" -le 600 ] || [ "$2" -gt 510 ] || fail "screen x $x of ($1, $2) lies where the hub scrolls"
  click "$x" "$2"
}

# The hub's buttons wake a moment after its arrival and take no click before that: the click is given
# again until the trace shows what it leads to, or the game has ended.
hub_button() {
  local pattern=$4 tries deadline
  for ((tries = 0; tries < 10; tries++)); do
    hub_click "$1" "$2" "$3"
    deadline=$((SECONDS + 6))
    while [ $SECONDS -lt $deadline ]; do
      grep -qE -- "$pattern" "$work/stderr" && return 0
      running || return 0
      poll_pause
    done
  done
  fail "the hub's button at ($1, $2) led to no trace line matching '$pattern'"
}

enter_game() {
  local node=$2
  reach_hub "$1"
  hub_button "$3" "$4" "$5" "^INFO: Node $node \\(.*\\) active\$"
  wait_trace_re "^INFO: Node $node \\(.*\\) active\$" 1
  ! grep -qxF "$invalid_node" "$work/stderr" || fail "node $node was not built"
}

expect_fatal_end() {
  local problem
  problem=$(fatal_end_problem "$status" "$work/stderr")
  [ -z "$problem" ] || fail "after the fatal error: $problem"
}

save_u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
save_u8() { od -An -tu1 -j"$2" -N1 "$1" | tr -d ' '; }
save_entry() { echo $((11 + 23 * $1)); }

sound_pattern() { echo "^INFO: Sound '([^']*' starts \\(file '$1'\\)|$1' starts)\\.\$"; }
spoke() { grep -qE "$(sound_pattern "$1")" "$work/stderr"; }
sound_count() { grep -cE "$(sound_pattern "$1")" "$work/stderr"; }
line_of_sound() {
  grep -nE "$(sound_pattern "$1")" "$work/stderr" | head -n 1 | cut -d: -f1 | grep . || echo 0
}

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
    [ $SECONDS -lt $deadline ] || fail "none of the sounds $* started within $seconds s"
    running || fail "the game ended while the sounds $* were awaited"
    poll_pause
  done
}

sprite_colour() {
  "$harness_python" -c 'import json, sys
for database in json.load(open(sys.argv[1]))["databases"].values():
    if sys.argv[2] in database.get("sprites", {}):
        print(database["sprites"][sys.argv[2]]["animations"][int(sys.argv[3])]["colour"]); break' \
    "$manifest" "$1" "${2:-0}"
}

pointer() { xdotool mousemove --window "$wid" "$1" "$2" || fail "xdotool could not move the pointer"; }
