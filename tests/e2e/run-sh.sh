#!/usr/bin/env bash
# run.sh as a new user runs it, in a temporary HOME, on a build folder that is already built.
# Usage: run-sh.sh <run.sh> <build folder> <first-runs|user-settings|refused-path>
#   first-runs:    the first run generates the content, seeds "Pilo.ini" and "PiloStr.txt" and starts
#                  the game; the second generates nothing and changes nothing; a third, after the
#                  content was made older than the generator, makes it again;
#   user-settings: a user's own "Pilo.ini" naming another hdpath stays byte for byte, and the game
#                  starts on it;
#   refused-path:  a data folder whose content path holds ";", or is longer than the game reads, is
#                  refused with a message before anything is generated or seeded.
# On the generated content the title screen plays its movies (40 ms a frame, so they pass quickly) and
# leads to the sign-in screen, where the game waits for a player: once the trace shows it, the game is
# ended from outside. On a disc folder without content the title screen cannot load its caption bar,
# and run.sh returns the game's status.
set -uo pipefail
run_sh=$1
build=$(cd "$2" && pwd)
scenario=$3
# shellcheck source=fatal-end.sh
. "$(cd "$(dirname "$0")" && pwd)/fatal-end.sh"

home=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; rm -rf "$home"' EXIT
export HOME=$home PILO_BUILD_DIR=$build PILO_LOCK_DIR=$home PILO_NO_DIALOGS=1
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy PILO_FRAME_MS=40 PILO_TRACE=1
unset XDG_DATA_HOME
data=$home/.local/share/pilo
signin_text='INFO: Node 5 (SignIn) active'
no_content_text="Error: Failed to load sprite 'ccBar'"

fail() {
  echo "run-sh ($scenario): $*"
  echo "--- output:"
  cat "$home/out" 2>/dev/null
  exit 1
}

# Runs run.sh once (which becomes the game); a game that reaches the sign-in screen is ended there by
# a terminate signal. Sets status.
run() {
  "$run_sh" >"$home/out" 2>&1 &
  pid=$!
  local deadline=$((SECONDS + 240))
  until grep -qxF "$signin_text" "$home/out"; do
    kill -0 "$pid" 2>/dev/null || break
    [ $SECONDS -lt $deadline ] || fail "run.sh neither ended nor reached the sign-in screen within 240 s"
    sleep 0.1
  done
  kill -TERM "$pid" 2>/dev/null
  wait "$pid"
  status=$?
  pid=
}

# The game started and reached the sign-in screen on the generated content, where the signal closed it.
check_game_ran() {
  grep -qxF "$signin_text" "$home/out" || fail "the game did not reach the sign-in screen (status $status)"
  ! grep -q '^Error: ' "$home/out" || fail "the game reported an error"
  # The game takes a terminate signal as a request to close, and ends cleanly.
  [ "$status" -eq 0 ] || fail "status $status after the terminate signal, expected a clean end (0)"
}

# The game ended on its own through the "Error" text given, and run.sh returned its status 1.
check_game_failed() {
  grep -qxF "$1" "$home/out" || fail "the game did not end with '$1' (status $status)"
  local problem
  problem=$(fatal_end_problem "$status" "$home/out")
  [ -z "$problem" ] || fail "the game's end: $problem"
}

case $scenario in
first-runs)
  run
  check_game_ran
  grep -q '^run.sh: generating the synthetic content' "$home/out" || fail "nothing was generated"
  [ -f "$data/synthetic/manifest.json" ] || fail "no content in $data/synthetic"
  [ -d "$data/synthetic/universal/Global" ] || fail "no Global database"
  expected=$(printf '[Config]\r\nhdpath = %s\r\nwindowed = true\r\n_' "$data/synthetic")
  actual=$(cat "$data/Pilo.ini"; printf _)
  [ "$actual" = "$expected" ] || fail "Pilo.ini is not the seeded one: $(od -c "$data/Pilo.ini" | head -5)"
  cmp -s "$data/PiloStr.txt" "$data/synthetic/PiloStr.txt" || fail "PiloStr.txt is not seeded"
  snapshot() { find "$data" -printf '%P %s %T@\n' | sort; }
  before=$(snapshot)
  run
  check_game_ran
  ! grep -q 'generating' "$home/out" || fail "the second run generated again"
  [ "$(snapshot)" = "$before" ] || fail "the second run changed the data folder: $(diff <(echo "$before") <(snapshot))"
  # A content set older than the generator is made again; the seeded files stay as they are.
  touch -d '2001-01-01' "$data/synthetic/manifest.json"
  ini=$(snapshot | grep '^Pilo')
  run
  check_game_ran
  grep -q '^run.sh: generating the synthetic content' "$home/out" || fail "an old content set was not made again"
  [ "$data/synthetic/manifest.json" -nt "$PILO_BUILD_DIR/tools/fixture-content/fixture-content" ] ||
    fail "the new content set is still older than the generator"
  [ "$(snapshot | grep '^Pilo')" = "$ini" ] || fail "making the content again changed the seeded files"
  [ ! -e "$data/synthetic.new" ] && [ ! -e "$data/synthetic.old" ] || fail "a half-made set was left behind"
  ;;
user-settings)
  mkdir -p "$data"
  disc=$home/disc
  mkdir -p "$disc"
  # Written as a user would: LF line ends, a comment, mixed case.
  printf '; my own disc\n[config]\nHDPath = %s\nwindowed = TRUE\n' "$disc" >"$data/Pilo.ini"
  cp "$data/Pilo.ini" "$home/Pilo.ini.mine"
  run
  # The empty disc folder is named as the user's hdpath, in the lower case the settings are read in.
  check_game_failed "$no_content_text: the hdpath folder ${disc,,} holds no game data"
  cmp -s "$data/Pilo.ini" "$home/Pilo.ini.mine" || fail "the user's Pilo.ini was changed"
  ;;
refused-path)
  for folder in "$home/a;b" "$home/$(printf 'x%.0s' {1..250})"; do
    export XDG_DATA_HOME=$folder
    run
    problem=$(fatal_end_problem "$status" "$home/out")
    [ -z "$problem" ] || fail "refusing $folder: $problem"
    grep -q '^run.sh: the content folder .*\(";"\|259 characters\)' "$home/out" || fail "no clear message for $folder"
    [ ! -e "$folder/pilo/Pilo.ini" ] || fail "Pilo.ini was seeded in $folder"
    [ ! -e "$folder/pilo/synthetic" ] || fail "content was generated in $folder"
  done
  ;;
*)
  echo "run-sh: unknown scenario $scenario"
  exit 2
  ;;
esac
exit 0
