#!/usr/bin/env bash
# Sets up a fresh machine, builds the programs, installs them into ./dist and
# starts the dulcamon editor (arguments are passed on, e.g. a project file or
# --help). Without a display it runs under a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
BUILD_TYPE=Release bash tools/build.sh -DBUILD_TESTING=OFF
cmake --install build --prefix "$PWD/dist" >/dev/null
echo "Installed into $PWD/dist (bin/dulcamon, bin/kestravo, share/...)."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ $# -eq 0 ]; then
  exec xvfb-run -a "$PWD/dist/bin/dulcamon"
fi
exec "$PWD/dist/bin/dulcamon" "$@"
