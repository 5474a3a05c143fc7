#!/usr/bin/env bash
# Fails on an include that crosses a layer: a library header (SDL, FFmpeg, FreeType, fontconfig, FLTK)
# outside platform/ and the SDL-bound classes (FreeType also in the text tests' font-file oracle),
# FLTK anywhere outside platform/, or an include that
# points up the layers (platform/ into the engine or the game, the engine into the game, the engine
# core into its other areas, the settings tool into the engine or the game), and the movie encoder
# anywhere but in tests, benchmarks and tools.
set -euo pipefail
cd "$(dirname "$0")/.."

sources() { git ls-files --cached --others --exclude-standard -- "$@" | grep -E '\.(h|hpp|cpp|cc)$' || true; }
include_of() { printf '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](%s)' "$1"; }
failed=0

# check <what> <include pattern> <files...>: every file that includes a header matching the pattern.
check() {
  local what=$1 pattern=$2
  shift 2
  local bad
  bad=$(printf '%s\n' "$@" | xargs -r grep -n -E "$pattern" || true)
  if [ -n "$bad" ]; then
    echo "check-includes: $what:"
    echo "$bad"
    failed=1
  fi
}

# The engine's SDL classes, the application shell's SDL path and their tests may talk to SDL directly.
allowed='^(platform/|QelSDK/src/graphics/SDL[A-Za-z]*\.(h|cpp)$|game/framework/WinApp[A-Za-z]*\.(h|cpp)$|tests/platform/|tests/QelSDK/graphics/SDL|tests/game/framework/WinApp[A-Za-z]*\.cpp$|tests/support/Sdl[A-Za-z]*\.(h|cpp)$|tests/support/FontFiles\.cpp$|bench/)'
mapfile -t portable < <(sources '*' | grep -Ev "$allowed")
check "these files include a library header that only platform/ and the SDL classes may use" \
  "$(include_of 'SDL[^>"]*|libav[a-z]*/[^>"]*|libsw[a-z]*/[^>"]*|ft2build\.h|freetype/[^>"]*|fontconfig/[^>"]*|FL/[^>"]*')" \
  "${portable[@]}"

# FLTK draws only the stand-ins' dialogs and message boxes: nothing above platform/ sees it.
mapfile -t outside < <(sources '*' | grep -Ev '^(platform/|tests/platform/)')
check "these files include FLTK, which only platform/ may use" "$(include_of 'FL/[^>"]*')" "${outside[@]}"

engine='core/|graphics/|sound/|movie/|QelSDK/'
game='framework/|frontend/|minigames/|game/'
mapfile -t files < <(sources platform)
check "platform/ may include only platform/ and system headers" "$(include_of "$engine|$game")" "${files[@]}"
mapfile -t files < <(sources platform/win/kernel)
check "the kernel stand-in sits below every other stand-in" "$(include_of 'platform/(win/user|d3d8|gdi|dsound|mmio|bink|bink-encoder|mfc|profile|probe)/')" "${files[@]}"
mapfile -t files < <(sources platform/d3d8)
check "the Direct3D stand-in stands on the kernel alone" "$(include_of 'platform/(win/user|gdi|dsound|mmio|bink|bink-encoder|mfc|profile|probe)/')" "${files[@]}"
mapfile -t files < <(sources platform/gdi)
check "the graphics device interface stands on the kernel alone" "$(include_of 'platform/(win/user|d3d8|dsound|mmio|bink|bink-encoder|mfc|profile|probe)/')" "${files[@]}"
mapfile -t files < <(sources QelSDK game platform/bink)
check "only tests, benchmarks and tools make movies" "$(include_of 'platform/bink-encoder/')" "${files[@]}"
mapfile -t files < <(sources QelSDK)
check "the engine may not include the game" "$(include_of "$game")" "${files[@]}"
mapfile -t files < <(sources settings-tool)
check "the settings tool calls platform/ only" "$(include_of "$engine|$game")" "${files[@]}"
mapfile -t files < <(sources QelSDK/src/core)
check "the engine core may not include the engine's other areas" "$(include_of 'graphics/|sound/|movie/')" "${files[@]}"

mapfile -t files < <(sources game/framework tests/game/framework)
check "the game framework may not include the front end or the mini-games" "$(include_of 'frontend/|minigames/|game/frontend/|game/minigames/')" "${files[@]}"
mapfile -t files < <(sources game/frontend tests/game/frontend)
check "the front end may not include the mini-games" "$(include_of 'minigames/|game/minigames/')" "${files[@]}"

exit "$failed"
