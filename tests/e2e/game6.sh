#!/usr/bin/env bash
# The swim game on the generated content, played on an X server (run under xvfb-run).
# Usage: game6.sh <pilo> <content folder> <swim|replay|final>
#   swim:   a player with five games at level 2 (slot 0) enters node 12 by the hub's DazodOrer scenery,
#           behind its loading picture "loading_super"; space cuts the intro; a bot steers the fish by
#           screenshot (the pointer at the height of the nearest scallop ahead, found by its manifest
#           colour) until all eight are taken; the bell, the total on the bar, "Prize_wood", the
#           continue dialog's "4042", no, "4043", the hub (node 6) with its progress screen, and entry
#           12 of the save: visited, level 1 won with its prize, the total as the high score.
#   replay: the same player wins level 1 as in swim, the prize movie cut by a key; the continue
#           dialog's yes starts level 1 anew (level 2 lies beyond the overall level): the total kept on
#           the bar, no goodbye, and a scallop taken again.
#   final:  a player who has won levels 1 to 4 (overall level 4) starts at level 5, the fish swims a
#           planned route (game6_route.py) through all eight scallops; the closing line "7000",
#           "Final" with no prize movie before it, and the credits (node 21).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "game6 ($scenario)"
harness_content "$2"

# The swim game's record in a save: 23 bytes from byte 11 + 23 x 12 (first visit, level word, final
# level won, high score, last level played, highest level won, the five prize bytes).
entry=$(save_entry 12)

# The DazodOrer scenery: the hub's world rectangle from (366, 170), 283 x 158.
scenery_x=507
scenery_y=249

# From the start to node 12 with the save of slot 0 ("$save"): the hub's button, whose loading picture
# stands a frame or two only, so the game is held for the click and let on a little at a time.
enter_swim() {
  harness_start PILO_FRAME_MS=${frame_ms:-20}
  reach_hub 0
  # The hub takes clicks once its arrival lock is over, before its first line starts.
  wait_sound 30 0180 0310 0350 0390 >/dev/null
  hold_game
  hub_click "$scenery_x" "$scenery_y" "$(save_u32 "$save" 1)"
  step_until_screen 400 sprites "$manifest" "loading_super:0@0,0"
  wait_trace_re '^INFO: Node 12 \(.*\) active$' 60
  ! grep -qxF "$invalid_node" "$work/stderr" || fail "node 12 was not built"
}

# The bot: each screenshot, the pointer goes to the height of the nearest untaken scallop ahead of the
# fish (whose centre stays near x 400 while the pointer is within its dead band), until the trace has
# <count> lines matching the (Python) pattern.
# Usage: steer <seconds> <pattern> <count>
steer() {
  "$harness_python" - "$wid" "$work/stderr" "$(sprite_colour SS_Scallop)" "$@" <<'EOF'
import re, subprocess, sys, time
wid, trace, colour, seconds, done, count = sys.argv[1:7]
r, g, b = (int(colour[i:i + 2], 16) for i in (1, 3, 5))
def band(v):
    return b"[" + re.escape(bytes([max(v - 8, 0)])) + b"-" + re.escape(bytes([min(v + 8, 255)])) + b"]"
# 32-bit little-endian pixels: blue, green, red, pad; the second frame of an animation is a little redder.
pattern = re.compile(band(b) + band(g) + b"(?:" + band(r) + b"|" + band(r ^ 0x40) + b")", re.S)
done = re.compile(done, re.M)
deadline = time.time() + float(seconds)
target = 300
while time.time() < deadline:
    if len(done.findall(open(trace).read())) >= int(count):
        sys.exit(0)
    shot = subprocess.run(["xwd", "-id", wid, "-silent"], capture_output=True).stdout
    if len(shot) < 100:
        continue
    header = int.from_bytes(shot[0:4], "big")
    width = int.from_bytes(shot[16:20], "big")
    line = int.from_bytes(shot[48:52], "big")
    colours = int.from_bytes(shot[76:80], "big")
    start = header + colours * 12
    best = None
    for m in pattern.finditer(shot, start):
        offset = m.start() - start
        if offset % 4:
            continue
        y, x = divmod(offset // 4, line // 4)
        if x >= width or y >= 530 or x < 350:
            continue
        if best is None or x < best[0]:
            best = (x, y)
    if best:
        target = min(max(best[1] + 18, 40), 520)
    subprocess.run(["xdotool", "mousemove", "--window", wid, "440", str(target)])
sys.exit(1)
EOF
}

# Wins the level being played with all its scallops; the total score then in $total.
win_level() {
  local level=$1 won
  steer 240 "^INFO: Game6 level $level won" 1 || fail "the bot did not take level $level's eight scallops"
  won=$(grep -m1 "^INFO: Game6 level $level won" "$work/stderr")
  total=${won##*total score }
  [ "$total" -ge 800 ] || fail "the total $total is below the eight scallops' 800"
}

# The total on the bar: its digits end at x 688.
wait_total() {
  local total=$1 checks=() i
  for ((i = 0; i < ${#total}; i++)); do
    checks+=("LevelNumbers:${total:$((${#total} - 1 - i)):1}@$((688 - 20 * i)),560")
  done
  wait_screen 10 sprites "$manifest" "${checks[@]}"
}

# The first level from the start, with the intro cut: its total once all eight scallops are taken.
play_level1() {
  save=$work/SaveGame0.sav
  cp "$content/saves/level2.sav" "$save" || fail "no prepared save level2.sav"
  enter_swim
  wait_trace "INFO: Game6: level 1 starts"
  wait_sound 30 3820 >/dev/null
  press space
  win_level 1
  wait_sound 10 GAME6SFX_Bell >/dev/null
  wait_trace "INFO: Movie 'Prize_wood' plays." 1 30
}

case $scenario in
swim)
  play_level1
  wait_sound 60 4042 >/dev/null
  wait_total "$total"
  # No: the goodbye, then the hub and the progress screen the new high score opens.
  click 456 280
  wait_sound 20 4043 >/dev/null
  wait_trace "INFO: Node 6 (Unnamed Node) active" 2 60
  wait_screen 30 pixels "790,10=$(sprite_colour prog_main)"
  deadline=$((SECONDS + 20))
  until [ "$(save_u8 "$save" $((entry + 18)))" = 1 ]; do
    [ $SECONDS -lt $deadline ] || fail "the save's entry 12 does not hold level 1's prize"
    poll_pause
  done
  [ "$(save_u8 "$save" "$entry")" = 0 ] || fail "the save's entry 12 is still a first visit"
  [ "$(save_u32 "$save" $((entry + 14)))" = 1 ] || fail "the save's highest level won is not 1"
  [ "$(save_u32 "$save" $((entry + 6)))" = "$total" ] || fail "the save's high score is not the total $total"
  [ "$(save_u32 "$save" $((entry + 1)))" -ge 1 ] || fail "the save's level word is below 1"
  ;;
replay)
  play_level1
  press space
  wait_trace "INFO: Movie 'Prize_wood' stops."
  wait_sound 60 4042 >/dev/null
  wait_screen 10 sprites "$manifest" "Pilo_yes:0@229,240"
  # Yes: the level cannot rise past the overall level, so level 1 starts anew behind its banner, the
  # total kept, and the fish swims in to take a scallop again.
  clam=$(sound_pattern "ss_clamsing_0[1-5]")
  clams=$(grep -cE "$clam" "$work/stderr")
  click 299 280
  wait_trace "INFO: Game6: level 1 starts" 2 20
  ! grep -q '^INFO: Game6: level 2 starts$' "$work/stderr" || fail "yes went on to level 2"
  ! spoke 4043 || fail "yes said the goodbye"
  wait_total "$total"
  steer 60 "$clam" $((clams + 1)) || fail "no scallop was taken in the replayed level"
  [ "$(grep -c '^INFO: Node 6 (Unnamed Node) active$' "$work/stderr")" = 1 ] || fail "yes went back to the hub"
  ;;
final)
  # Levels 1 to 4 won with overall level 4: the game starts at the last level, greeted by the lines
  # of a player who may win it. Its seabed is too crowded for the screenshot bot, so the fish swims a
  # route planned over the level's own tables, at the 8 ms step the route's slope needs.
  save=$work/SaveGame0.sav
  cp "$content/saves/game6-won4.sav" "$save" || fail "no prepared save game6-won4.sav"
  frame_ms=8 enter_swim
  wait_trace "INFO: Game6: level 5 starts"
  wait_sound 30 3940 >/dev/null
  press space
  "$harness_python" "$here/game6_route.py" "$pid" "$wid" "$work/stderr" "$manifest" \
    "$here/../../game/minigames/game6/Game6NodeLevel.cpp" 5 360 "^INFO: Game6 level 5 won" 1 ||
    fail "the planned route did not take level 5's eight scallops"
  # The last level's win: the closing line, "Final" in place of a prize movie, and the credits.
  wait_sound 20 7000 >/dev/null
  wait_trace "INFO: Movie 'Final' plays." 1 30
  wait_trace_re '^INFO: Node 21 \(.*\) active$' 90
  ! grep -q "^INFO: Movie 'Prize_" "$work/stderr" || fail "a prize movie played before \"Final\""
  ;;
*)
  fail "unknown scenario $scenario"
  ;;
esac
echo "game6 ($scenario): passed"
