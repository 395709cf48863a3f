#!/bin/sh
# Pictures of the osmerin window, its pages, the preview window for each kind
# of item and the templets dialog, taken on a virtual X display, into
# docs/screenshots/.
# Usage: tools/osmerin-screenshots.sh [BUILD_FOLDER]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
cmake --build "$build" --target osmerin_screenshots -j2
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/osmerin/gui/tests/osmerin_screenshots" "$here/docs/screenshots"
