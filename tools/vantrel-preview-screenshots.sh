#!/bin/sh
# Pictures of vantrel's native preview for every shipped template: the items
# in their normal, mouse-over and clicked looks and the loading screen, taken
# on a virtual X display, into docs/screenshots/vantrel-preview-*.png.
# Usage: tools/vantrel-preview-screenshots.sh [BUILD_FOLDER]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
cmake --build "$build" --target vantrel_preview_tour -j2
mkdir -p "$here/docs/screenshots"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/vantrel/preview/vantrel_preview_tour" \
  "$here/docs/screenshots" "$here"/vantrel/share/templates/*.vtp
