#!/usr/bin/env bash
# The shell game on the generated content, played on an X server (run under xvfb-run).
# Usage: game8.sh <pilo> <content folder> <play>
#   play: a save whose hub scroll (1400) shows "fullmontygame" leads to node 14; the opening shows the
#         blenny's shell open until "1940" has ended; level 1 (no swaps) is won by five clicks on that
#         shell, space cutting each answer; "Prize_Conch" plays; the back arrow returns to the hub, whose
#         save holds entry 14 at level 2, high score 50, resuming at 2, prize byte 1, first visit 0.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "game8 ($scenario)"
harness_content "$2"

# Entry 14's record: 23 bytes after the 11-byte header.
entry=$(save_entry 14)
# The three shell objects stand at one place (an open shell 110 higher); the side shells' pictures lie off it (the manifest's
# sprite origins), where the game shows the blenny under them.
shell_sprite=(G8ShellLeft G8Shell G8ShellRight)
shell_x=340
shell_y=300
# The middle of each shell's picture, for the clicks.
click_x=(214 400 591)
click_y=(348 350 353)

# The shell whose opening shows on screen (0 to 2, in $shell), polled until one does.
open_shell() {
  local deadline=$((SECONDS + 30)) i
  while [ $SECONDS -lt $deadline ]; do
    running || fail "the game ended while a shell was to open"
    xwd -silent -id "$wid" -out "$work/shot.xwd" 2>/dev/null || { poll_pause; continue; }
    for i in 0 1 2; do
      if python3 "$harness_dir/screen_check.py" sprites "$work/shot.xwd" "$manifest" \
        "${shell_sprite[i]}:1@$shell_x,$((shell_y - 110))" >/dev/null; then
        shell=$i
        return 0
      fi
    done
    poll_pause
  done
  fail "no shell opened within 30 s"
}

case $scenario in
  play)
    cp "$content/saves/game8-hub.sav" "$work/SaveGame0.sav" || fail "no prepared save game8-hub.sav"
    harness_start
    enter_game 0 14 1620 250 1400
    # The pointer off the shells, so that it hides none of them.
    xdotool mousemove --window "$wid" 400 480 || fail "xdotool could not move the pointer"
    open_shell
    wait_trace "INFO: Sound 'speechSound1940' starts (file '1940')." 1 60
    # The banner, then the reveal of the same shell (the second "open_1"); no swaps at level 1.
    wait_trace "$(grep -m1 -o "^INFO: Sound 'open_1' starts.*" "$work/stderr")" 2 60
    cp "$work/shot.xwd" "${TMPDIR:-/tmp}/game8-opening.xwd" 2>/dev/null
    for win in 1 2 3 4 5; do
      # The shells take clicks once the shell has closed again.
      wait_screen 30 sprites "$manifest" "${shell_sprite[shell]}:0@$shell_x,$shell_y"
      poll_pause
      poll_pause
      click "${click_x[shell]}" "${click_y[shell]}"
      wait_trace "INFO: Sound 'speechSound197$(((win - 1) % 3))' starts (file '197$(((win - 1) % 3))')." "$(( (win + 2) / 3 ))" 30
      press space
    done
    wait_trace "INFO: Movie 'Prize_Conch' plays." 1 60
    press space
    wait_trace "INFO: Movie 'Prize_Conch' stops." 1 30
    click 30 560
    wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
    save=$work/SaveGame0.sav
    deadline=$((SECONDS + 20))
    until [ "$(save_u32 "$save" $((entry + 1)))" = 2 ]; do
      [ $SECONDS -lt $deadline ] || fail "entry 14 was not saved at level 2"
      poll_pause
    done
    [ "$(save_u8 "$save" "$entry")" = 0 ] || fail "first-visit byte $(save_u8 "$save" "$entry")"
    [ "$(save_u32 "$save" $((entry + 6)))" = 50 ] || fail "high score $(save_u32 "$save" $((entry + 6)))"
    [ "$(save_u32 "$save" $((entry + 10)))" = 2 ] || fail "resume level $(save_u32 "$save" $((entry + 10)))"
    [ "$(save_u8 "$save" $((entry + 18)))" = 1 ] || fail "prize byte $(save_u8 "$save" $((entry + 18)))"
    ;;
  *) fail "no scenario $scenario" ;;
esac
echo "$harness_name: passed"
