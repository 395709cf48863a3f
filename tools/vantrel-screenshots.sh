#!/bin/sh
# Pictures of the vantrel window: each applet page and the inner pages of
# "Loading...", each item page, the preview beside the editor, the bulk copy,
# web browser and templates dialogs and the help window, taken on a virtual X
# display, into docs/screenshots/vantrel-window-*.png.
# Usage: tools/vantrel-screenshots.sh [BUILD_FOLDER]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
cmake --build "$build" --target vantrel_screenshots -j2
mkdir -p "$here/docs/screenshots"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/vantrel/gui/tests/vantrel_screenshots" "$here/docs/screenshots"
