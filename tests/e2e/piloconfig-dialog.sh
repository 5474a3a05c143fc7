#!/usr/bin/env bash
# Drives the settings dialog on an X server (run under xvfb-run) as a user would: finds the window by
# its title, clicks at control centres computed from the template, presses keys, and checks the
# "Pilo.ini" it writes and the picture it shows. No fixed sleeps: every wait polls until a deadline.
# Usage: piloconfig-dialog.sh <piloconfig> <PiloConfig.ini> <golden.png> <scenario>
#   scenarios: picture, low-ok, stream-return, cancel, escape, none-ok, captions, data-folder
#   data-folder: started as a player starts it, in a data folder that has no caption file and no
#   "Pilo.ini" yet: the captions come from beside the program and the new file ends its lines in CR LF.
#   PILOCONFIG_SHOTS names a folder that gets its picture as piloconfig-data-folder.png.
#   REMAKE_GOLDEN=1 with the picture scenario writes the golden image instead of comparing.
set -uo pipefail
tool=$1
captions=$2
golden=$3
scenario=$4
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
export PILO_NO_DIALOGS=1
cp "$captions" PiloConfig.ini

fail() { echo "piloconfig-dialog ($scenario): $*"; echo "--- stderr:"; cat "$work/stderr" 2>/dev/null; exit 1; }

# Dialog units to client pixels, each edge rounded as the template's mapping does.
across() { echo $(((($1) * 12 + 4) / 8)); }
down() { echo $(((($1) * 26 + 8) / 16)); }
# The centre of a control at x, y, width, height in dialog units.
click_control() {
  local left right top bottom
  left=$(across "$1"); right=$(across "$1 + $3"); top=$(down "$2"); bottom=$(down "$2 + $4")
  xdotool mousemove --window "$wid" $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}
click_high() { click_control 15 20 55 10; }
click_low() { click_control 15 110 55 10; }
click_stream() { click_control 170 20 67 10; }
click_ok() { click_control 175 165 40 14; }
click_cancel() { click_control 220 165 40 14; }
# Keys go to the window under the pointer: there is no window manager to give the focus.
press() { xdotool mousemove --window "$wid" 200 5 key "$1"; }

start() {
  "$tool" 2>"$work/stderr" &
  pid=$!
  local title=$1 deadline=$((SECONDS + 20))
  wid=
  while [ -z "$wid" ]; do
    [ $SECONDS -lt $deadline ] || fail "no window titled '$title'"
    kill -0 "$pid" 2>/dev/null || fail "piloconfig ended before its window showed"
    wid=$(xdotool search --name "^${title}\$" 2>/dev/null | head -1)
  done
  until xwininfo -id "$wid" 2>/dev/null | grep -q 'Map State: IsViewable'; do
    [ $SECONDS -lt $deadline ] || fail "the window was never shown"
  done
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  [ "$WIDTH" -eq 399 ] && [ "$HEIGHT" -eq 297 ] || fail "client area ${WIDTH}x${HEIGHT}, expected 399x297"
}

finish() {
  local deadline=$((SECONDS + 20))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "piloconfig did not end"
  done
  wait "$pid"
  local status=$?
  pid=
  [ "$status" -eq 0 ] || fail "status $status, expected 0"
}

expect_settings() {
  local expected=$1
  cmp -s Pilo.ini <(printf '%b' "$expected") || fail "Pilo.ini holds:
$(cat Pilo.ini)
expected:
$(printf '%b' "$expected")"
}

# Pilo.ini with its cpu and mem lines (whose values are the machine's) made fixed.
normalise() { sed -E -i 's/^cpu= [0-9]+(\r?)$/cpu= N\1/; s/^mem= [0-9]+(\r?)$/mem= N\1/' Pilo.ini; }

# Waits until the window shows the golden picture.
expect_picture() {
  local deadline=$((SECONDS + 20))
  until xwd -id "$wid" -silent >shot.xwd && python3 "$here/xwd_image.py" compare shot.xwd "$golden" >compare.txt; do
    if [ $SECONDS -ge $deadline ]; then
      python3 "$here/xwd_image.py" png shot.xwd "${TMPDIR:-/tmp}/piloconfig-dialog-actual.png"
      fail "the picture differs from $golden: $(cat compare.txt); it is in ${TMPDIR:-/tmp}/piloconfig-dialog-actual.png"
    fi
  done
}

case $scenario in
  picture)
    printf '[Config]\ngraphics=1\nstreammusic=true\n' >Pilo.ini
    start 'Brelmar Configuration'
    if [ "${REMAKE_GOLDEN:-}" = 1 ]; then
      # The first expose may still be in flight: take the picture once two in a row agree.
      previous=
      for _ in $(seq 1 50); do
        xwd -id "$wid" -silent >shot.xwd
        current=$(md5sum <shot.xwd)
        [ "$current" = "$previous" ] && break
        previous=$current
      done
      python3 "$here/xwd_image.py" png shot.xwd "$golden" || fail "could not write $golden"
      echo "piloconfig-dialog: wrote $golden"
    else
      expect_picture
    fi
    press Escape
    finish
    ;;
  low-ok)
    printf '[Config]\ngraphics=2\n' >Pilo.ini
    start 'Brelmar Configuration'
    click_low
    click_ok
    finish
    normalise
    expect_settings '[Config]\ngraphics= 0\nstreammusic= true\ncpu= N\nmem= N\n'
    ;;
  stream-return)
    printf '[Config]\ngraphics=2\nstreammusic=true\n' >Pilo.ini
    start 'Brelmar Configuration'
    click_stream
    press Return
    finish
    normalise
    expect_settings '[Config]\ngraphics= 2\nstreammusic= false\ncpu= N\nmem= N\n'
    ;;
  cancel)
    printf 'hdpath = /home/me/pilo\n[Config]\ngraphics=1\nstreammusic=0\n' >Pilo.ini
    start 'Brelmar Configuration'
    click_low
    click_stream
    click_cancel
    finish
    normalise
    expect_settings 'hdpath = /home/me/pilo\n[Config]\ngraphics= 1\nstreammusic= false\ncpu= N\nmem= N\n'
    ;;
  escape)
    printf '[Config]\ngraphics=0\n' >Pilo.ini
    start 'Brelmar Configuration'
    click_high
    press Escape
    finish
    normalise
    expect_settings '[Config]\ngraphics= 0\nstreammusic= true\ncpu= N\nmem= N\n'
    ;;
  none-ok)
    printf '[Config]\ngraphics=7\n' >Pilo.ini
    start 'Brelmar Configuration'
    click_ok
    finish
    normalise
    expect_settings '[Config]\ngraphics= 3\nstreammusic= true\ncpu= N\nmem= N\n'
    ;;
  captions)
    python3 - <<'PY'
text = "WindowTitle=Réglages de Pilo\r\nGfxLow=Basse\r\nOkBut=D'accord\r\n"
open("PiloConfig.ini", "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
PY
    printf '[Config]\ngraphics=2\n' >Pilo.ini
    start 'Réglages de Pilo'
    click_low
    click_ok
    finish
    grep -qx 'graphics= 0' Pilo.ini || fail "the choice was not written: $(cat Pilo.ini)"
    ;;
  data-folder)
    rm PiloConfig.ini
    start 'Brelmar Configuration'
    expect_picture
    [ -z "${PILOCONFIG_SHOTS:-}" ] || python3 "$here/xwd_image.py" png shot.xwd "$PILOCONFIG_SHOTS/piloconfig-data-folder.png"
    click_low
    click_ok
    finish
    normalise
    expect_settings '[Config]\r\ngraphics= 0\r\nstreammusic= true\r\ncpu= N\r\nmem= N\r\n'
    ;;
  *)
    echo "unknown scenario $scenario"
    exit 2
    ;;
esac
! grep -q '^Error' "$work/stderr" || fail "an error was reported"
echo "piloconfig-dialog ($scenario): ok"
