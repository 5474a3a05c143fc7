#!/usr/bin/env bash
# The sign-in screen on the generated content, played on an X server (run under xvfb-run): the title
# sequence skipped by keys, then the screen as a player meets it.
# Usage: signin.sh <pilo> <content folder> <play|captions-off|exit|no-alpha|corrupt-save|no-objects|
#                                            no-sprite|cut-sprite|cut-archive>
#   play:         the six unused slot buttons where they stand, in the manifest's colours, and the play
#                 button in its active look while "0010" speaks; slot 2, then play: the hub becomes the
#                 node and saves slot 2 on arrival (542 bytes, signed in, slot number 2); a terminate
#                 signal then ends the game with status 0;
#   captions-off: a player in slot 1 whose captions are off: played, the hub's arrival save keeps them off;
#   exit:         Escape opens the exit dialog ("0100"); yes speaks "0120" and the game ends with status
#                 0, writing no save file;
#   no-alpha:     graphics = 0 (SDL without alpha blending): the "_sdl" slot buttons of "SignInObjs_sdl";
#   corrupt-save: a "SaveGame3.sav" cut short: slot 3 shows as used, play on it stays on the screen with
#                 an "ERROR:" line naming the file, which is left as it was;
#   no-objects:   content without "SignInObjs": the "Error" text names the missing object and the file;
#   no-sprite:    content without the sprite "Char0UnUsed": the "Error" text names it;
#   cut-sprite:   the sprite file "Char2UnUsed.qela" cut to 10 bytes: the "Error" text names the sprite;
#   cut-archive:  the archive "SignIn.qel" cut to half its length, without the folder beside it: the
#                 "Error" text names the first object the screen looks for.
# Every "Error" ends the game with status 1, not by a signal, and with no sanitizer's report; the
# sign-in music has started by then.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "signin ($scenario)"
harness_content "$2"

# The six slot buttons in the looks named: slot_sprites <suffix of slot 0> ... <suffix of slot 5>.
slot_sprites() {
  local slot items=()
  for slot in 0 1 2 3 4 5; do
    items+=("Char${slot}${1}:0@${signin_slot_x[$slot]},${signin_slot_y[$slot]}")
    shift
  done
  printf '%s\n' "${items[@]}"
}

no_saves_written() {
  local files
  files=$(find "$work" -maxdepth 1 -name 'SaveGame*.sav' -printf '%f ')
  [ -z "$files" ] || fail "save files were written: $files"
}

# Escape, then yes in the exit dialog: the closing line, then the end with status 0.
leave_by_the_exit_dialog() {
  press Escape
  wait_trace "INFO: Sound '0100' starts."
  # The dialog's yes button, "Pilo_yes" at (229, 240).
  wait_screen 20 sprites "$manifest" "DialogBox:0@0,0" "Pilo_yes:0@229,240"
  click 299 280
  wait_trace "INFO: Sound '0120' starts."
  wait_exit 30
  [ "$status" -eq 0 ] || fail "status $status after yes in the exit dialog, expected 0"
}

# A terminate signal asks the game to close: it ends as a quit does, with status 0 and no report.
ends_by_the_terminate_signal() {
  kill -TERM "$pid" 2>/dev/null
  wait_exit 30
  [ "$status" -eq 0 ] || fail "status $status after the terminate signal, expected 0"
  ! grep -qE 'ERROR: AddressSanitizer|LeakSanitizer|runtime error:' "$work/stderr" || fail "a sanitizer reported"
}

# The game ends through the "Error" text given, with status 1, no signal and no sanitizer's report.
expect_error() {
  wait_exit 60
  grep -qxF "Error: $1" "$work/stderr" || fail "the game ended (status $status) without the text 'Error: $1'"
  expect_fatal_end
}

case $scenario in
play)
  harness_start PILO_FRAME_MS=20
  reach_signin
  # While "0010" speaks, the play button shows its active look (the line is 400 ms of tone, so
  # the game is stopped between looks rather than polled).
  mapfile -t unused < <(slot_sprites UnUsed UnUsed UnUsed UnUsed UnUsed UnUsed)
  grep -qxF "INFO: Sound '0010' starts." "$work/stderr" || fail "no first greeting"
  step_until_screen 400 sprites "$manifest" "${unused[@]}" "SignInPlayBut:4@560,380"
  wait_trace "INFO: Sound '0012' starts."
  click $((signin_slot_x[2] + 50)) $((signin_slot_y[2] + 50))
  # Slot 2's portrait, then play.
  wait_screen 20 sprites "$manifest" "SignIn_portrait:2@494,114"
  # Play on the new player's slot: the hub takes the player and saves the slot on arrival.
  click 620 420
  wait_trace "INFO: Node 6 (Unnamed Node) active" 1 120
  ! grep -qxF "$invalid_node" "$work/stderr" || fail "the hub was not built"
  deadline=$((SECONDS + 60))
  until [ -f "$work/SaveGame2.sav" ]; do
    [ $SECONDS -lt $deadline ] || fail "the hub did not save slot 2"
    poll_pause
  done
  sleep 1
  size=$(stat -c %s "$work/SaveGame2.sav")
  [ "$size" -eq 542 ] || fail "SaveGame2.sav holds $size bytes, expected 542"
  # The first byte is the signed-in byte, then the hub counter, the new-result byte and the slot.
  signed=$(od -An -tu1 -j0 -N1 "$work/SaveGame2.sav" | tr -d ' ')
  slot=$(od -An -tu4 -j6 -N4 "$work/SaveGame2.sav" | tr -d ' ')
  [ "$signed" = 1 ] || fail "the save's signed-in byte is $signed, expected 1"
  [ "$slot" = 2 ] || fail "the save's slot number is $slot, expected 2"
  ends_by_the_terminate_signal
  ;;
captions-off)
  # The caption switch (byte 540) off, and the second flag (byte 541) of a record nobody has played
  # yet, which play clears: the hub's arrival save is known by it.
  save=$work/SaveGame1.sav
  cp "$content/saves/fresh.sav" "$save" || fail "no prepared save fresh.sav"
  printf '\x00\x01' | dd of="$save" bs=1 seek=540 conv=notrunc status=none
  harness_start PILO_FRAME_MS=20
  reach_signin
  wait_trace "INFO: Sound '0060' starts."
  click $((signin_slot_x[1] + 50)) $((signin_slot_y[1] + 50))
  wait_screen 20 sprites "$manifest" "SignIn_portrait:1@494,114"
  # The idle prompt for play comes only once the greeting is over, whose end puts the toggle back:
  # play then takes the toggle as the chosen player left it. The prompt holds the play button, so the
  # portrait, which plays as well, is clicked.
  wait_trace "INFO: Sound '0150' starts." 1 240
  click 600 236
  wait_trace "INFO: Node 6 (Unnamed Node) active" 1 120
  deadline=$((SECONDS + 60))
  until [ "$(save_u8 "$save" 541)" = 0 ]; do
    [ $SECONDS -lt $deadline ] || fail "the hub did not save slot 1"
    poll_pause
  done
  sleep 1
  size=$(stat -c %s "$save")
  [ "$size" -eq 542 ] || fail "SaveGame1.sav holds $size bytes, expected 542"
  [ "$(save_u8 "$save" 540)" = 0 ] || fail "the hub's arrival save has the captions on ($(save_u8 "$save" 540))"
  ends_by_the_terminate_signal
  ;;
exit)
  harness_start PILO_FRAME_MS=20
  reach_signin
  mapfile -t unused < <(slot_sprites UnUsed UnUsed UnUsed UnUsed UnUsed UnUsed)
  wait_screen 20 sprites "$manifest" "${unused[@]}"
  leave_by_the_exit_dialog
  ! grep -qxF "$invalid_node" "$work/stderr" || fail "a node was asked for"
  no_saves_written
  ;;
no-alpha)
  settings=$'graphics = 0\r\n'
  harness_start PILO_FRAME_MS=20
  reach_signin
  mapfile -t unused < <(slot_sprites UnUsed_sdl UnUsed_sdl UnUsed_sdl UnUsed_sdl UnUsed_sdl UnUsed_sdl)
  wait_screen 20 sprites "$manifest" "${unused[@]}"
  leave_by_the_exit_dialog
  ;;
corrupt-save)
  cp "$content/saves/short.sav" "$work/SaveGame3.sav"
  harness_start PILO_FRAME_MS=20
  reach_signin
  mapfile -t looks < <(slot_sprites UnUsed UnUsed UnUsed Used UnUsed UnUsed)
  wait_screen 20 sprites "$manifest" "${looks[@]}"
  # The returning players' greeting first, so that the chain is over before the slot is chosen.
  wait_trace "INFO: Sound '0060' starts."
  click $((signin_slot_x[3] + 50)) $((signin_slot_y[3] + 50))
  wait_screen 20 sprites "$manifest" "SignIn_portrait:3@494,114"
  click 620 420
  wait_trace "ERROR: SignIn: SaveGame3.sav cannot be loaded (see above); slot 3 is not played."
  grep -q "^ERROR: SaveGameManager: SaveGame3.sav is shorter than a save" "$work/stderr" ||
    fail "the reason was not traced"
  # Still the sign-in screen, with the slot selected.
  wait_screen 20 sprites "$manifest" "${looks[@]}" "SignIn_portrait:3@494,114"
  leave_by_the_exit_dialog
  ! grep -q '^INFO: Node 6 ' "$work/stderr" && ! grep -qxF "$invalid_node" "$work/stderr" ||
    fail "the damaged slot was played"
  cmp -s "$content/saves/short.sav" "$work/SaveGame3.sav" || fail "SaveGame3.sav was changed"
  ;;
no-objects)
  harness_content_without universal/SignIn.qel universal/SignIn/SignInObjs.txt
  harness_start PILO_FRAME_MS=20
  skip_title
  expect_error "Object 'portrait' missing from 'SignInObjs'"
  ;;
no-sprite)
  harness_content_without universal/SignIn.qel universal/SignIn/Char0UnUsed.qela
  harness_start PILO_FRAME_MS=20
  skip_title
  expect_error "Failed to load sprite 'Char0UnUsed'"
  ;;
cut-sprite)
  harness_content_without universal/SignIn.qel
  harness_content_edit universal/SignIn/Char2UnUsed.qela head -c 10
  harness_start PILO_FRAME_MS=20
  skip_title
  expect_error "Failed to load sprite 'Char2UnUsed'"
  ;;
cut-archive)
  harness_content_without universal/SignIn
  size=$(stat -c %s "$content/universal/SignIn.qel")
  harness_content_edit universal/SignIn.qel head -c $((size / 2))
  harness_start PILO_FRAME_MS=20
  skip_title
  expect_error "Object 'portrait' missing from 'SignInObjs'"
  ;;
*)
  echo "signin: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "signin ($scenario): ok"
