#!/usr/bin/env bash
# Starts the game on the generated content and checks that it adds the start-up databases from it.
# Usage: content-databases.sh <pilo> <content folder> <dir|qel|cdpath|no-data>
#   dir:    hdpath names a content set in folder form: each database is added as a directory;
#   qel:    hdpath names one in archive form: each is added as its archive and the folder beside it
#           (which holds the sounds and movies);
#   cdpath: only cdpath names the folder form, no hdpath: the databases come from there;
#   no-data: hdpath names a folder that does not exist: the game ends at its first sprite with one
#           line that names that folder as holding no game data.
# The title screen plays its movies (40 ms a frame, so they pass quickly) and asks for the sign-in
# screen, which becomes the node; the game is then ended from outside.
set -uo pipefail
pilo=$1
content=$(cd "$2" && pwd)
scenario=$3

work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
export PILO_LOCK_DIR=$work PILO_NO_DIALOGS=1 PILO_TRACE=1 SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export PILO_FRAME_MS=40

fail() {
  echo "content-databases ($scenario): $*"
  echo "--- stderr:"
  cat "$work/stderr"
  exit 1
}

# A mistyped data folder: one line says which folder holds no game data, and nothing before it points
# elsewhere.
if [ "$scenario" = no-data ]; then
  printf '[Config]\r\nhdpath = %s\r\nwindowed = true\r\n' "$work/nosuch" >Pilo.ini
  timeout 60 "$pilo" 2>"$work/stderr"
  status=$?
  [ $status -eq 1 ] || fail "the game ended with status $status, not 1"
  # Settings values are read in lower case.
  expected="Error: Failed to load sprite 'ccBar': the hdpath folder ${work,,}/nosuch holds no game data (there is no such folder)"
  [ "$(grep -E '^(WARN|ERROR|Error)' stderr)" = "$expected" ] || fail "the one message was not: $expected"
  exit 0
fi

case $scenario in
dir | qel) printf '[Config]\r\nhdpath = %s\r\nwindowed = true\r\n' "$content" >Pilo.ini ;;
cdpath) printf '[Config]\r\ncdpath = %s\r\nwindowed = true\r\n' "$content" >Pilo.ini ;;
*)
  echo "content-databases: unknown scenario $scenario"
  exit 2
  ;;
esac
cp "$content/PiloStr.txt" .

"$pilo" 2>"$work/stderr" &
pid=$!
deadline=$((SECONDS + 60))
until grep -qxF 'INFO: Node 5 (SignIn) active' stderr; do
  kill -0 "$pid" 2>/dev/null || break
  [ $SECONDS -lt $deadline ] || break
  sleep 0.1
done
kill -TERM "$pid" 2>/dev/null
wait "$pid"
status=$?
pid=

# The engine keeps the root as the settings file gives it and joins the rest with backslashes.
for database in Global Movies Music; do
  folder_line="INFO: Added resource directory $content\\universal\\$database."
  zip_line="INFO: Added resource Zip       $content\\universal\\$database.qel."
  case $scenario in
  dir | cdpath)
    # Once: no second root is set that would add it again.
    [ "$(grep -cxF "$folder_line" stderr)" -eq 1 ] || fail "$database was not added as a directory once"
    ! grep -qF "$database.qel" stderr || fail "$database was added as an archive from a folder-form set"
    ;;
  qel)
    [ "$(grep -cxF "$zip_line" stderr)" -eq 1 ] || fail "$database was not added as an archive once"
    # Its sounds and movies are plain files in the folder beside the archive.
    [ ! -d "$content/universal/$database" ] || grep -qxF "$folder_line" stderr ||
      fail "the folder beside $database.qel was not added"
    ;;
  esac
done

# The title screen became active, played its six movies from the content and led to the sign-in
# screen, which added its own database from the same content.
grep -qxF 'INFO: Node 3 (TitleScreen) active' stderr || fail "the title screen did not become active"
[ "$(grep -c "^INFO: Movie '.*' plays\.$" stderr)" -eq 6 ] || fail "the six movies did not play"
grep -qxF 'INFO: Node 5 (SignIn) active' stderr || fail "the sign-in screen did not become active (status $status)"
! grep -q '^Error: ' stderr || fail "the game reported an error"
case $scenario in
dir | cdpath) grep -qxF "INFO: Added resource directory $content\\universal\\SignIn." stderr ||
  fail "SignIn was not added as a directory" ;;
qel) grep -qxF "INFO: Added resource Zip       $content\\universal\\SignIn.qel." stderr ||
  fail "SignIn was not added as an archive" ;;
esac
exit 0
