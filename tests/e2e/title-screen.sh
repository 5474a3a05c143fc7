#!/usr/bin/env bash
# The game's opening on the generated content, played on an X server (run under xvfb-run): the six
# movies of the title screen in order, each drawn centred in its colour from the manifest with black
# around it, then the request for the sign-in screen.
# Usage: title-screen.sh <pilo> <content folder> <keys|clicks|run-through|missing-movie|no-movies>
#   keys:          the time stands still (PILO_FRAME_MS=0), so a movie shows until a key skips it;
#                  a key skips each movie in turn;
#   clicks:        the same with a click of the left button (its release stops the movie);
#   run-through:   40 ms a frame; every movie ends by itself, one after the other;
#   missing-movie: a copy of the content without "OvnLogo": it is traced as unplayable and skipped;
#   no-movies:     a copy without any of the six: each is traced once, in order, and the sign-in
#                  screen is requested at once.
# Each ends on the sign-in screen, which becomes the node once the title screen has asked for it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=pilo-harness.sh
. "$here/pilo-harness.sh"
pilo=$1
scenario=$3
harness_init "title-screen ($scenario)"
harness_content "$2"

movies=(tolvane_logo VantroLogo OvnLogo Tzlogo PlaceholderLegal splash)

# The movie lines of the trace, as "plays NAME", "stops NAME" and "unplayable NAME".
movie_lines() {
  sed -n -e "s/^INFO: Movie '\\(.*\\)' plays\\.$/plays \\1/p" -e "s/^INFO: Movie '\\(.*\\)' stops\\.$/stops \\1/p" \
    -e "s/^ERROR: Unable to play movie '\\(.*\\)'\\.\\.\\. did you add the database?$/unplayable \\1/p" \
    "$work/stderr"
}

expect_movie_lines() {
  local expected actual
  expected=$(printf '%s\n' "$@")
  actual=$(movie_lines)
  [ "$actual" = "$expected" ] || fail "the movies went
$actual
expected
$expected"
}

# Shows each movie and skips it with a key (or what $1 names: press or click); missing ones are expected
# to be passed over.
skip_each_with_a_key() {
  local skip=${1:-press} name
  for name in "${movies[@]}"; do
    if [ ! -e "$content/universal/Movies/$name.bik" ]; then
      wait_trace "INFO: Movie '$name' stops."
      continue
    fi
    wait_trace "INFO: Movie '$name' plays."
    wait_screen 20 movie "$manifest" "$name"
    if [ "$skip" = click ]; then click; else press space; fi
    wait_trace "INFO: Movie '$name' stops."
  done
}

# The title screen asks for the sign-in screen once the last movie has gone, and the sign-in screen
# becomes the node (the game then stays there; the harness ends it).
expect_signin_requested() {
  wait_trace "INFO: Node 5 (SignIn) active" 1 30
  ! grep -q '^Error: ' "$work/stderr" || fail "the game reported an error"
}

case $scenario in
keys)
  harness_start PILO_FRAME_MS=0 PILO_SEED=20
  wait_trace "INFO: Node 3 (TitleScreen) active"
  grep -qxF 'INFO: PILO_SEED: the random generator is seeded with 20 instead of the time.' "$work/stderr" ||
    fail "the seed was not traced"
  grep -qxF 'INFO: PILO_FRAME_MS: the system time moves by 0 ms a frame instead of reading the clock.' \
    "$work/stderr" || fail "the frame time was not traced"
  skip_each_with_a_key
  expect_signin_requested
  expect_movie_lines "plays tolvane_logo" "stops tolvane_logo" "plays VantroLogo" "stops VantroLogo" \
    "plays OvnLogo" "stops OvnLogo" "plays Tzlogo" "stops Tzlogo" "plays PlaceholderLegal" \
    "stops PlaceholderLegal" "plays splash" "stops splash"
  ;;
clicks)
  harness_start PILO_FRAME_MS=0
  skip_each_with_a_key click
  expect_signin_requested
  expect_movie_lines "plays tolvane_logo" "stops tolvane_logo" "plays VantroLogo" "stops VantroLogo" \
    "plays OvnLogo" "stops OvnLogo" "plays Tzlogo" "stops Tzlogo" "plays PlaceholderLegal" \
    "stops PlaceholderLegal" "plays splash" "stops splash"
  ;;
run-through)
  harness_start PILO_FRAME_MS=40
  wait_trace "INFO: Node 3 (TitleScreen) active"
  expect_signin_requested
  expect_movie_lines "plays tolvane_logo" "stops tolvane_logo" "plays VantroLogo" "stops VantroLogo" \
    "plays OvnLogo" "stops OvnLogo" "plays Tzlogo" "stops Tzlogo" "plays PlaceholderLegal" \
    "stops PlaceholderLegal" "plays splash" "stops splash"
  ;;
missing-movie)
  harness_content_without universal/Movies/OvnLogo.bik
  harness_start PILO_FRAME_MS=0
  wait_trace "INFO: Node 3 (TitleScreen) active"
  skip_each_with_a_key
  expect_signin_requested
  expect_movie_lines "plays tolvane_logo" "stops tolvane_logo" "plays VantroLogo" "stops VantroLogo" \
    "unplayable OvnLogo" "stops OvnLogo" "plays Tzlogo" "stops Tzlogo" "plays PlaceholderLegal" \
    "stops PlaceholderLegal" "plays splash" "stops splash"
  ;;
no-movies)
  files=()
  for name in "${movies[@]}"; do files+=("universal/Movies/$name.bik"); done
  harness_content_without "${files[@]}"
  # The whole sequence passes within the first frames: the window may be gone before it is seen.
  harness_launch PILO_FRAME_MS=0
  expect_signin_requested
  expected=()
  for name in "${movies[@]}"; do expected+=("unplayable $name" "stops $name"); done
  expect_movie_lines "${expected[@]}"
  grep -qxF "INFO: Node 3 (TitleScreen) active" "$work/stderr" || fail "the title screen never became active"
  ;;
*)
  echo "title-screen: unknown scenario $scenario"
  exit 2
  ;;
esac
echo "title-screen ($scenario): ok"
