#!/usr/bin/env bash
# Remakes the settings dialog's golden picture (tests/settings-tool/golden/config-dialog.png) on this
# system: builds piloconfig in the release tree and takes the picture the dialog test compares with.
# Look at the new picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target piloconfig
REMAKE_GOLDEN=1 xvfb-run -a -s '-screen 0 1024x768x24 -noreset' tests/e2e/piloconfig-dialog.sh \
  "$PWD/build/settings-tool/piloconfig" "$PWD/build/settings-tool/PiloConfig.ini" \
  "$PWD/tests/settings-tool/golden/config-dialog.png" picture
