#!/usr/bin/env bash
# Renders the main window with a previewed folder into docs/main-window.png
# (a row numbered since its new name is taken), the same window in German
# into docs/main-window-de.png, the English one under the conflict rule Skip
# into docs/main-window-skip.png, a holiday sorted by date taken into
# docs/sorted-by-date-taken.png, and the German question asked before a batch
# into docs/rename-question-de.png (offscreen, so no display is needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >/dev/null
mkdir -p docs
"${BUILD_DIR:-build}/tools/window_shot" docs/main-window.png
"${BUILD_DIR:-build}/tools/window_shot" docs/main-window-de.png de
"${BUILD_DIR:-build}/tools/window_shot" docs/main-window-skip.png en skip
"${BUILD_DIR:-build}/tools/window_shot" docs/sorted-by-date-taken.png taken
"${BUILD_DIR:-build}/tools/question_shot" docs/rename-question-de.png de
echo "docs/main-window.png docs/main-window-de.png docs/main-window-skip.png" \
  "docs/sorted-by-date-taken.png docs/rename-question-de.png"
