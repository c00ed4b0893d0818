#!/usr/bin/env bash
# Renders the main window with a previewed folder into docs/main-window.png,
# and the same window in German into docs/main-window-de.png (offscreen, so no
# display is needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >/dev/null
mkdir -p docs
"${BUILD_DIR:-build}/tools/window_shot" docs/main-window.png
"${BUILD_DIR:-build}/tools/window_shot" docs/main-window-de.png de
echo "docs/main-window.png docs/main-window-de.png"
