#!/bin/sh
# Pictures of the kestravo window, its pages and the help window beside it,
# taken on a virtual X display, into docs/screenshots/.
# Usage: tools/kestravo-screenshots.sh [BUILD_FOLDER]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
cmake --build "$build" --target kestravo_screenshots -j2
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/kestravo/tests/kestravo_screenshots" "$here/docs/screenshots"
