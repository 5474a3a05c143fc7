#!/usr/bin/env bash
# Installs what the build, the tests and the game need (only what is missing), then configures and builds the release tree.
# With --packages it only installs (run.sh and test.sh build what they need themselves).
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libsdl1.2-dev libfreetype-dev libfontconfig-dev fonts-liberation2
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  libfltk1.3-dev fluid xvfb xauth python3 zip
  xdotool x11-apps x11-utils espeak-ng
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  # A fresh machine's package lists may be stale.
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ "${1:-}" = --packages ]; then exit 0; fi

# A player's build reports compiler warnings without stopping on them (test.sh builds its own copy of
# this tree with warnings as errors).
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_WERROR=OFF
cmake --build build
