#!/bin/sh
# Pictures of the dulcamon window, its tabs and its dialogs, taken on a
# virtual X display, into docs/screenshots/.
# Usage: tools/dulcamon-screenshots.sh [BUILD_FOLDER]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
cmake --build "$build" --target dulcamon_screenshots -j2
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" "$build/dulcamon/tests/dulcamon_screenshots" "$here/docs/screenshots"
