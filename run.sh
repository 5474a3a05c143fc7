#!/usr/bin/env bash
# Plays the game: installs what is missing, builds when needed, generates the synthetic content and
# starts the game in the per-user folder.
#
# The folder is ${XDG_DATA_HOME:-$HOME/.local/share}/pilo: "Pilo.ini", "PiloStr.txt" and the save files
# live there, and the generated content in its "synthetic/" folder. A "Pilo.ini" that is already there
# is never changed, so a user who points hdpath or cdpath at a copy of the disc (or its mount point)
# plays that. PILO_BUILD_DIR names a build folder that is already built: then nothing is installed or
# built (the tests run the script so).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)

if [ -n "${PILO_BUILD_DIR:-}" ]; then
  build=$(cd "$PILO_BUILD_DIR" && pwd)
else
  build=$root/build
  "$root/setup.sh" --packages
  if [ ! -f "$build/build.ninja" ] &&
    ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release; then
    echo "run.sh: the build cannot be configured: run ./setup.sh first" >&2
    exit 1
  fi
  # Only what playing needs, and the settings tool beside it; quick when it is up to date.
  if ! cmake --build "$build" --target pilo fixture-content piloconfig; then
    echo "run.sh: the build failed: run ./setup.sh first" >&2
    exit 1
  fi
fi
pilo=$build/game/pilo
generator=$build/tools/fixture-content/fixture-content
settings_tool=$build/settings-tool/piloconfig
for program in "$pilo" "$generator" "$settings_tool"; do
  if [ ! -x "$program" ]; then
    echo "run.sh: $program is missing: run ./setup.sh first" >&2
    exit 1
  fi
done
# The settings tool reads its captions from beside itself.
if [ ! -f "$build/settings-tool/PiloConfig.ini" ]; then
  echo "run.sh: $build/settings-tool/PiloConfig.ini is missing: run ./setup.sh first" >&2
  exit 1
fi

data=${XDG_DATA_HOME:-$HOME/.local/share}/pilo
mkdir -p "$data"
data=$(cd "$data" && pwd)
content=$data/synthetic

# Checked before anything is generated, since the path goes into the settings file seeded below.
if [ ! -e "$data/Pilo.ini" ]; then
  # The game lower-cases every settings line and cuts it at the first ";", and keeps at most 259
  # characters of a path: such a folder cannot be named to it.
  case $content in
  *\;*)
    echo "run.sh: the content folder $content holds a \";\", which the game's settings file cannot hold;" \
      "set XDG_DATA_HOME to a folder without one" >&2
    exit 1
    ;;
  esac
  if [ "${#content}" -gt 259 ]; then
    echo "run.sh: the content folder $content is longer than the 259 characters the game reads;" \
      "set XDG_DATA_HOME to a shorter folder" >&2
    exit 1
  fi
fi

# A content set without its manifest, or one older than the generator, is made again: beside the old
# one, and swapped in once the generator has finished, so an interrupted run leaves no half-made set.
if [ ! -f "$content/manifest.json" ] || [ "$generator" -nt "$content/manifest.json" ]; then
  echo "run.sh: generating the synthetic content in $content"
  rm -rf "$content.new" "$content.old"
  "$generator" --out "$content.new" --voice speech
  if [ -e "$content" ]; then mv "$content" "$content.old"; fi
  mv "$content.new" "$content"
  rm -rf "$content.old"
fi

if [ ! -e "$data/Pilo.ini" ]; then
  printf '[Config]\r\nhdpath = %s\r\nwindowed = true\r\n' "$content" >"$data/Pilo.ini.tmp"
  mv "$data/Pilo.ini.tmp" "$data/Pilo.ini"
fi
if [ ! -e "$data/PiloStr.txt" ]; then
  cp "$content/PiloStr.txt" "$data/PiloStr.txt"
fi

cd "$data"
exec "$pilo"
