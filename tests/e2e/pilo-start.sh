#!/usr/bin/env bash
# Starts the game as a new user would, in an empty temporary folder, and checks how it ends.
# Usage: pilo-start.sh <pilo> <second-copy|no-display|first-frame|error-box-return|error-box-escape|
#                              error-box-sigterm|error-box-sigint|quiet-start <content>>
# The error-box scenarios and quiet-start need an X display (run them under xvfb-run) and xdotool;
# quiet-start plays the generated content set named after it.
set -uo pipefail
pilo=$1
scenario=$2
# shellcheck source=fatal-end.sh
. "$(cd "$(dirname "$0")" && pwd)/fatal-end.sh"

work=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
export PILO_LOCK_DIR=$work PILO_NO_DIALOGS=1
unset PILO_TRACE

fail() {
  echo "pilo-start ($scenario): $*"
  echo "--- stderr:"
  cat "$work/stderr"
  [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null
  exit 1
}

# The fatal error the "Error" box reports: the empty folder holds no content, so the title screen, the
# first node, cannot load the caption bar that every node needs, and says where it looked for data.
fatal_text="Error: Failed to load sprite 'ccBar': the hdpath folder resources holds no game data (there is no such folder)"

# True while the process runs (a child that has ended but is not yet waited for does not count).
running() {
  local state
  state=$(sed -e 's/^.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1) && [ "$state" != Z ]
}

# Polls until the game has ended, at most $1 tenths of a second; sets status.
wait_for_exit() {
  local tenths=$1
  for ((i = 0; i < tenths; i++)); do
    if ! running "$pid"; then
      wait "$pid"
      status=$?
      pid=
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Starts the game on the X display, its window titled "Pilo Test", with its "Error" box shown; waits
# until the box is up and the game's own window is gone, and leaves the box's id in box.
start_with_error_box() {
  { printf '\xff\xfe'; printf 'Pilo Test\r\n' | iconv -f UTF-8 -t UTF-16LE; } >PiloStr.txt
  # Job control, so that the game does not start with interrupts ignored as background jobs do.
  set -m
  env -u PILO_NO_DIALOGS SDL_VIDEODRIVER=x11 "$pilo" 2>"$work/stderr" &
  pid=$!
  set +m
  box=
  for ((i = 0; i < 300; i++)); do
    box=$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null | head -n 1)
    [ -n "$box" ] && break
    running "$pid" || fail "the game ended before its Error box showed"
    sleep 0.1
  done
  [ -n "$box" ] || fail "no Error box within 30 s"
  grep -qx "$fatal_text" "$work/stderr" || fail "wrong Error text"
  ! xdotool search --name '^Pilo Test$' >/dev/null 2>&1 || fail "the game's window stayed behind the box"
}

# The game ended through its "Error" path: status 1, no signal, no sanitizer's report.
expect_fatal_end() {
  local problem
  problem=$(fatal_end_problem "$status" "$work/stderr")
  [ -z "$problem" ] || fail "after the Error: $problem"
}

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
    expect_fatal_end
    grep -qx 'Error: No display could be created.' "$work/stderr" || fail "no display error on stderr"
    grep -q '^ERROR: .*DISPLAY is not set' "$work/stderr" || fail "the trace does not say why"
    [ ! -s "$work/stdout" ] || fail "something was written to the terminal"
    ! grep -q $'\e' "$work/stderr" || fail "escape codes on stderr"
    ;;
  first-frame)
    SDL_VIDEODRIVER=dummy timeout 20 "$pilo" 2>"$work/stderr"
    status=$?
    expect_fatal_end
    grep -qx "$fatal_text" "$work/stderr" || fail "wrong Error text"
    ;;
  error-box-return | error-box-escape)
    # The key presses OK; the box waits for it, whatever comes before.
    [ "$scenario" = error-box-return ] && key=Return || key=Escape
    start_with_error_box
    for ((tries = 0; tries < 100; tries++)); do
      xdotool windowfocus --sync "$box" key "$key" 2>/dev/null
      wait_for_exit 1 && break
    done
    [ -z "$pid" ] || fail "$key did not close the box within 10 s"
    expect_fatal_end
    ;;
  error-box-sigterm | error-box-sigint)
    # The signal ends the program as OK would have.
    [ "$scenario" = error-box-sigterm ] && signal=TERM || signal=INT
    start_with_error_box
    kill -s "$signal" "$pid"
    wait_for_exit 100 || fail "SIG$signal did not end the game within 10 s"
    expect_fatal_end
    ;;
  quiet-start)
    # The first start of a player who names no audio driver and wants no trace: on a machine without a
    # sound card one line says the game plays without sound, and nothing else reaches the terminal
    # (no "ALSA lib" lines from the device probe); with a card, nothing at all. The title sequence
    # plays for a few seconds of its real time, then a terminate signal closes the game, cleanly.
    content=$3
    no_sound='WARN: No sound device could be opened; the game plays without sound.'
    printf '[Config]\r\nhdpath = %s\r\nwindowed = true\r\n' "$content" >Pilo.ini
    cp "$content/PiloStr.txt" PiloStr.txt
    title=$(iconv -f UTF-16 -t UTF-8 PiloStr.txt | head -n 1 | tr -d '\r')
    # Under the leak checker its list of the suppressions used would be the only other output.
    env -u SDL_AUDIODRIVER SDL_VIDEODRIVER=x11 LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0" \
      "$pilo" >"$work/stdout" 2>"$work/stderr" &
    pid=$!
    for ((i = 0; i < 300; i++)); do
      xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 && break
      running "$pid" || fail "the game ended before its window showed"
      sleep 0.1
    done
    xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || fail "no window titled '$title' within 30 s"
    # What is awaited is silence, so the game is watched for a fixed while.
    sleep 3
    running "$pid" || fail "the game ended by itself"
    kill -TERM "$pid"
    wait_for_exit 100 || fail "the terminate signal did not end the game within 10 s"
    [ "$status" -eq 0 ] || fail "status $status after the terminate signal, expected 0"
    [ ! -s "$work/stdout" ] || fail "something was written to stdout: $(head -c 300 "$work/stdout")"
    ! grep -q 'ALSA' "$work/stderr" || fail "the audio libraries' probe reached stderr"
    if compgen -G '/dev/snd/pcmC*' >/dev/null; then
      # A sound card may open or not (another program may hold it): at most the one line.
      [ ! -s "$work/stderr" ] || [ "$(cat "$work/stderr")" = "$no_sound" ] || fail "unexpected output on stderr"
    else
      [ "$(cat "$work/stderr")" = "$no_sound" ] || fail "expected exactly the line '$no_sound' on stderr"
    fi
    ;;
  *)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac
# The lock is gone with the process: a new copy could start.
flock -n "$work/PiloKxMutex" true || fail "the lock outlived the game"
echo "pilo-start ($scenario): ok"
