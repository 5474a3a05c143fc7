#!/usr/bin/env bash
# Fails when a file outside platform/ and the SDL-bound classes includes an SDL, FFmpeg, FreeType,
# fontconfig or FLTK header: the rest of the tree must stay portable behind the stand-ins.
set -euo pipefail
cd "$(dirname "$0")/.."

# The engine's SDL classes and the application shell's SDL path may talk to SDL directly.
allowed='^(platform/|QelSDK/src/graphics/SDL[A-Za-z]*\.(h|cpp)$|game/framework/WinApp[A-Za-z]*\.(h|cpp)$|tests/platform/|tests/QelSDK/graphics/SDL|tests/game/framework/WinApp[A-Za-z]*\.cpp$|bench/)'
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL[^>"]*|libav[a-z]*/[^>"]*|libsw[a-z]*/[^>"]*|ft2build\.h|freetype/[^>"]*|fontconfig/[^>"]*|FL/[^>"]*)[>"]'

bad=$(git ls-files --cached --others --exclude-standard '*.h' '*.hpp' '*.cpp' '*.cc' | grep -Ev "$allowed" | xargs -r grep -n -E "$pattern" || true)
if [ -n "$bad" ]; then
  echo "check-includes: these files include a library header that only platform/ and the SDL classes may use:"
  echo "$bad"
  exit 1
fi
