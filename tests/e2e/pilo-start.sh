#!/usr/bin/env bash
# Starts the game as a new user would, in an empty temporary folder, and checks how it ends.
# Usage: pilo-start.sh <pilo> <second-copy|no-display|first-frame>
set -uo pipefail
pilo=$1
scenario=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export PILO_LOCK_DIR=$work PILO_NO_DIALOGS=1
unset PILO_TRACE

fail() { echo "pilo-start ($scenario): $*"; echo "--- stderr:"; cat "$work/stderr"; exit 1; }

case $scenario in
  second-copy)
    # Another copy holds the lock: this one ends at once, silently, with status 0.
    SDL_VIDEODRIVER=dummy flock "$work/PiloKxMutex" timeout 20 "$pilo" 2>"$work/stderr"
    status=$?
    [ "$status" -eq 0 ] || fail "status $status, expected 0"
    [ ! -s "$work/stderr" ] || fail "expected no output"
    ;;
  no-display)
    # No X display and no driver named: the game says so, and the trace says why, instead of SDL
    # drawing text art over the terminal (TERM is all that art needs).
    env -u DISPLAY -u SDL_VIDEODRIVER TERM=xterm PILO_TRACE=1 timeout 20 "$pilo" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "status $status, expected a failure"
    grep -qx 'Error: No display could be created.' "$work/stderr" || fail "no display error on stderr"
    grep -q '^ERROR: .*DISPLAY is not set' "$work/stderr" || fail "the trace does not say why"
    [ ! -s "$work/stdout" ] || fail "something was written to the terminal"
    ! grep -q $'\e' "$work/stderr" || fail "escape codes on stderr"
    ;;
  first-frame)
    # No node classes are built yet, so the title screen's id is invalid.
    SDL_VIDEODRIVER=dummy timeout 20 "$pilo" 2>"$work/stderr"
    status=$?
    [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "status $status, expected a failure"
    grep -qx 'Error: Invalid node ID in NodeFactory::CreateNode()' "$work/stderr" || fail "wrong Error text"
    ;;
  *)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac
# The lock is gone with the process: a new copy could start.
flock -n "$work/PiloKxMutex" true || fail "the lock outlived the game"
echo "pilo-start ($scenario): ok"
