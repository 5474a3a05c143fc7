#!/usr/bin/env bash
# Runs the settings tool without a display, as a user or an installer would, in an empty temporary folder.
# Usage: piloconfig-quiet.sh <piloconfig> <quiet|quiet-blocked|dialog-headless>
set -uo pipefail
tool=$1
scenario=$2
# shellcheck source=fatal-end.sh
. "$(cd "$(dirname "$0")" && pwd)/fatal-end.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY

fail() { echo "piloconfig ($scenario): $*"; echo "--- stderr:"; cat "$work/stderr"; exit 1; }

case $scenario in
  quiet)
    printf '; mine\nhdpath = /home/me/pilo\n[Config]\nstreammusic = 0\n' >Pilo.ini
    timeout 20 "$tool" /q 2>"$work/stderr"
    status=$?
    [ "$status" -eq 0 ] || fail "status $status, expected 0"
    [ ! -s "$work/stderr" ] || fail "expected no output"
    head -4 Pilo.ini | cmp -s - <(printf '; mine\nhdpath = /home/me/pilo\n[Config]\nstreammusic= false\n') ||
      fail "the file's other lines changed: $(cat Pilo.ini)"
    grep -Eqx 'graphics= (0|2)' Pilo.ini || fail "no graphics key"
    grep -Eqx 'cpu= [0-9]+' Pilo.ini || fail "no cpu key"
    grep -Eqx 'mem= [1-9][0-9]*' Pilo.ini || fail "no mem key"
    [ "$(wc -l <Pilo.ini)" -eq 7 ] || fail "expected seven lines: $(cat Pilo.ini)"
    ;;
  quiet-blocked)
    mkdir Pilo.ini
    echo kept >Pilo.ini/inside
    timeout 20 "$tool" -q 2>"$work/stderr"
    status=$?
    problem=$(fatal_end_problem "$status" "$work/stderr")
    [ -z "$problem" ] || fail "$problem"
    grep -qx 'Error: Can.t write the settings file Pilo.ini' "$work/stderr" || fail "no Error text on stderr"
    [ "$(cat Pilo.ini/inside)" = kept ] || fail "the folder was touched"
    [ "$(ls -A | wc -l)" -eq 2 ] || fail "something was left beside it: $(ls -A)"
    ;;
  dialog-headless)
    timeout 20 "$tool" 2>"$work/stderr"
    status=$?
    problem=$(fatal_end_problem "$status" "$work/stderr")
    [ -z "$problem" ] || fail "$problem"
    grep -q '^Error: The settings dialog cannot be shown: no display is available' "$work/stderr" ||
      fail "no Error text on stderr"
    [ "$(ls -A | wc -l)" -eq 1 ] || fail "something was written: $(ls -A)"
    ;;
  *)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac
echo "piloconfig ($scenario): ok"
