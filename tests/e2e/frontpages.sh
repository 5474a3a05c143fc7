#!/usr/bin/env bash
# The demo title pages and the credits roll on the generated content, played on an X server (run
# under xvfb-run). Nothing in the game leads to them: the synthetic sign-in screen has a change-node
# button for each demo page, the synthetic hub one for the credits ("HubCreditsLink").
# Usage: frontpages.sh <pilo> <content folder> <demo-pages|credits>
#   demo-pages: three runs, one a page, each from the sign-in screen's button to the page (its picture
#         and buttons in the manifest's colours) and out through its exit: the sub game's page asks
#         ("0100"), no speaks "0110" and stays, Escape asks again and yes speaks "0120" and ends the
#         game; the hub's page the same through its exit button and yes; the music game's page ends at
#         once on its exit button, with no question; every run with status 0 and no save written.
#   credits: a returning player in slot 0 with the hub's view at 1000, where the credits button
#         stands: the roll's pages rise edge to edge over the screen, the hub comes back when the last
#         has left the top, (600 + 16 x page height) / 40 s after the roll began, greets with "1271",
#         and the save holds the player as the visit left it (the hub's first-visit byte cleared).
#         The game's clock is read for once (no fixed frame step), so that the roll's length is the
#         wall's.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "frontpages ($scenario)"
harness_content "$2"

# Waits until node <id> is active; fails at once if the factory could not build it.
wait_node() {
  local deadline=$((SECONDS + $2))
  until grep -qE "^INFO: Node $1 \\(.*\\) active\$" "$work/stderr"; do
    [ $SECONDS -lt $deadline ] || fail "node $1 did not become active within $2 s"
    running || fail "the game ended before node $1 became active"
    ! grep -qxF "$invalid_node" "$work/stderr" || fail "node $1 was not built"
    poll_pause
  done
}

# One look at the roll: the pages down column 400 of a screenshot, top to bottom. Prints "tail" when
# the last page is there with black below it, "rolling" for any other sound picture (pages in their
# order, those not cut by the screen's edges <height> pixels tall, edge to edge, black only below the
# last page), "other: ..." for a picture that is not the roll's, and what is wrong otherwise (status
# 1).
roll_look() {
  python3 - "$harness_dir" "$@" <<'PYTHON'
import sys
sys.path.insert(0, sys.argv[1])
from screen_check import Xwd, parse_colour, TOLERANCE
shot = Xwd(sys.argv[2])
height = int(sys.argv[3])
pages = [parse_colour(c) for c in sys.argv[4:]]
black = (0, 0, 0)
def near(a, b):
    return a is not None and max(abs(x - y) for x, y in zip(a, b)) <= TOLERANCE
def kind(y):
    pixel = shot.pixel(400, y)
    if near(pixel, black):
        return -1
    for index, colour in enumerate(pages):
        if near(pixel, colour):
            return index
    return None
runs = []
for y in range(600):
    k = kind(y)
    if runs and runs[-1][0] == k:
        runs[-1][2] = y
    else:
        runs.append([k, y, y])
shown = [run for run in runs if run[0] is not None and run[0] >= 0]
if any(run[0] is None for run in runs):
    print("other: a colour that is no page's at column 400, rows %s" % [run[1:] for run in runs if run[0] is None])
    sys.exit(0)
for before, after in zip(shown, shown[1:]):
    if after[0] != before[0] + 1 or after[1] != before[2] + 1:
        print("page %d (rows %d-%d) is not followed edge to edge by page %d (rows %d-%d)" %
                 (before[0] + 1, before[1], before[2], after[0] + 1, after[1], after[2]))
        sys.exit(1)
for run in shown:
    if run[1] > 0 and run[2] < 599 and run[2] - run[1] + 1 != height:
        print("page %d is %d rows tall, expected %d" % (run[0] + 1, run[2] - run[1] + 1, height))
        sys.exit(1)
if shown and shown[-1][2] < 599 and shown[-1][0] != len(pages) - 1:
    print("black below page %d, before the last page" % (shown[-1][0] + 1))
    sys.exit(1)
print("tail" if shown and shown[-1][0] == len(pages) - 1 and shown[-1][2] < 599 else "rolling")
PYTHON
}

no_saves_written() {
  local files
  files=$(find "$work" -maxdepth 1 -name 'SaveGame*.sav' -printf '%f ')
  [ -z "$files" ] || fail "save files were written: $files"
}

# A new game up to the sign-in screen's last greeting, then its demo button at screen column <x>;
# the page's node <id> active, the pointer off its buttons, and the page as the manifest has it: the
# picture's colour around the screen (a button covers one of its corners), the buttons placed.
open_demo_page() {
  local x=$1 node=$2 picture
  picture=$(sprite_colour "$3")
  shift 3
  harness_start PILO_FRAME_MS=20
  reach_signin
  wait_trace "INFO: Sound '0012' starts."
  click "$x" 575
  wait_node "$node" 60
  pointer 400 300
  wait_screen 20 pixels "8,8=$picture" "791,8=$picture" "200,200=$picture" "300,591=$picture"
  wait_screen 20 sprites "$manifest" "$@"
  [ -z "${FRONTPAGES_SHOTS:-}" ] || cp "$work/shot.xwd" "$FRONTPAGES_SHOTS/node$node.xwd"
}

# The exit dialog's box and yes button, "Pilo_yes" at (229, 240) and "Pilo_no" at (406, 240).
dialog=("DialogBox:0@0,0" "Pilo_yes:0@229,240" "Pilo_no:0@406,240")

ends_well() {
  wait_exit 30
  [ "$status" -eq 0 ] || fail "status $status, expected 0"
  no_saves_written
  rm -f "$work/stderr" "$work/shot.xwd"
}

case $scenario in
demo-pages)
  # The sub game's page: its exit button at (594, 531).
  page=("ForwardArrow:0@703,530" "ActBackArrow:0@594,531")
  open_demo_page 640 17 Main_title "${page[@]}"
  click 637 562
  wait_sound 30 0100 >/dev/null
  wait_screen 20 sprites "$manifest" "${dialog[@]}"
  click 476 280
  wait_sound 30 0110 >/dev/null
  wait_screen 20 sprites "$manifest" "Main_title:0@0,0" "${page[@]}"
  ! spoke 0120 || fail "no in the exit dialog spoke the closing line"
  press Escape
  wait_trace "INFO: Sound '0100' starts." 2
  wait_screen 20 sprites "$manifest" "${dialog[@]}"
  click 299 280
  wait_sound 30 0120 >/dev/null
  ends_well

  # The hub's page: the same picture and forward arrow, its exit button at (5, 531).
  open_demo_page 740 23 Main_title "ForwardArrow:0@703,530" "ActBackArrow:0@5,531"
  click 48 562
  wait_sound 30 0100 >/dev/null
  wait_screen 20 sprites "$manifest" "${dialog[@]}"
  click 299 280
  wait_sound 30 0120 >/dev/null
  ends_well

  # The music game's page: the exit button ends the game without a question.
  # Its forward button (120 x 80 at 703, 530) reaches past the screen's corner: a point inside it.
  open_demo_page 690 18 loading_tribal "ActBackArrow:0@5,531"
  wait_screen 20 pixels "760,570=$(sprite_colour SignInPlayBut)"
  click 48 562
  wait_exit 30
  [ "$status" -eq 0 ] || fail "status $status after the music game's page's exit, expected 0"
  ! spoke 0100 || fail "the music game's page asked before ending"
  no_saves_written
  ;;
credits)
  # The returning player: a fresh record whose hub view stands at 1000, so that the credits button
  # (world 1250, 20; 60 x 30) is at screen column 250.
  save=$work/SaveGame0.sav
  cp "$content/saves/fresh.sav" "$save"
  printf '\xe8\x03\x00\x00' | dd of="$save" bs=1 seek=1 conv=notrunc status=none
  harness_start
  reach_hub 0
  # The introduction speaks; space ends it, then the button.
  wait_sound 30 0180 >/dev/null
  press space
  click 280 35
  wait_node 21 30
  started=$SECONDS
  [ "$(save_u8 "$save" $((11 + 23 * 6)))" = 1 ] || fail "the hub's arrival save has its first-visit byte cleared already"

  # Every page as tall as the first. The game is held for each look, so that what the trace says
  # matches the picture.
  # Read at once: the roll does not wait.
  read -r height colours < <(python3 -c 'import json, sys
for database in json.load(open(sys.argv[1]))["databases"].values():
    sprites = database.get("sprites", {})
    if "credits1" in sprites:
        print(sprites["credits1"]["height"],
              " ".join(sprites["credits%d" % page]["animations"][0]["colour"] for page in range(1, 17)))
        break' "$manifest")
  [ -n "$height" ] || fail "no pages credits1 to credits16 in the manifest"
  read -r -a colours <<<"$colours"
  # Until the last page is on the screen with nothing below it: each look shows the pages down the
  # screen's middle column in their order, whole ones $height pixels tall, edge to edge.
  deadline=$((SECONDS + 60))
  while :; do
    [ $SECONDS -lt $deadline ] || fail "the last page never showed with the screen empty below it"
    hold_game
    xwd -id "$wid" -silent >"$work/shot.xwd" || fail "no screenshot of the roll"
    back=$(grep -cE '^INFO: Node 6 \(.*\) active$' "$work/stderr")
    look=$(roll_look "$work/shot.xwd" "$height" "${colours[@]}") || fail "the roll looks wrong: $look"
    kill -CONT "$pid" 2>/dev/null
    [ "$back" -lt 2 ] || fail "the hub came back before the last page was seen leaving ($look)"
    [ "$look" != tail ] || break
    # The hub's last picture may stand until the roll's first is drawn; after that, only the roll.
    if [ "${look%%:*}" = other ]; then
      [ -z "${rolled:-}" ] || fail "the roll looks wrong: $look"
    else
      rolled=1
    fi
    poll_pause
  done
  [ -z "${FRONTPAGES_SHOTS:-}" ] || cp "$work/shot.xwd" "$FRONTPAGES_SHOTS/credits.xwd"

  # Back to the hub on time: the roll lasts (600 + 16 x height) / 40 s.
  roll=$(((600 + 16 * height) / 40))
  until [ "$(grep -cE '^INFO: Node 6 \(.*\) active$' "$work/stderr")" -ge 2 ]; do
    [ $((SECONDS - started)) -le $((roll + 8)) ] || fail "the hub did not come back within $((roll + 8)) s of the roll's start"
    running || fail "the game ended during the credits"
    poll_pause
  done
  took=$((SECONDS - started))
  [ "$took" -ge $((roll - 1)) ] || fail "the roll ended after $took s, expected $roll s"
  grep -qxF 'INFO: Removed resource database universal\credits' "$work/stderr" ||
    fail "the credits' database was not removed"
  wait_sound 30 1271 >/dev/null
  [ "$(save_u8 "$save" 0)" = 1 ] && [ "$(save_u32 "$save" 6)" = 0 ] || fail "the save is not slot 0's, signed in"
  [ "$(save_u32 "$save" 1)" = 1000 ] || fail "the save holds the view at $(save_u32 "$save" 1), expected 1000"
  [ "$(save_u8 "$save" $((11 + 23 * 6)))" = 0 ] || fail "the save has the hub's first-visit byte set"
  kill -TERM "$pid" 2>/dev/null
  wait_exit 30
  ;;
*)
  echo "frontpages: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "frontpages ($scenario): ok"
