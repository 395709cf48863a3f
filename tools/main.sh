#!/usr/bin/env bash
# Sets up a fresh machine, builds the programs and installs them into ./dist.
# On a desktop it then starts the dulcamon editor (arguments are passed on,
# e.g. a project file or --help). Without a display it publishes one shipped
# template of every program into ./dist/demo/ through the programs' command
# line, says where the pages are, and ends; arguments are passed to dulcamon's
# command line.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
bash tools/install-deps.sh
BUILD_DIR="${BUILD_DIR:-build-release}" BUILD_TYPE=Release \
  bash tools/build.sh -DBUILD_TESTING=OFF -DKZT_WERROR="${KZT_WERROR:-OFF}"
rm -rf "$root/dist"
cmake --install "${BUILD_DIR:-build-release}" --prefix "$root/dist" >/dev/null
programs=()
for p in dulcamon kestravo vantrel osmerin; do
  [ -x "$root/dist/bin/$p" ] && programs+=("$p")
done
echo "Installed into $root/dist: ${programs[*]/#/bin/} and their files under share/."

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/dist/bin/dulcamon" "$@"
fi

# No display: show what the programs make instead of a window nobody can see.
demo="$root/dist/demo"
mkdir -p "$demo"
echo "No display found; publishing a sample of every program into $demo:"
for p in "${programs[@]}"; do
  # The applet pages also load our script runtime, so today's browsers show them.
  extra=()
  case "$p" in
    dulcamon) ext=dlcg ;;
    kestravo) ext=ksdm ;;
    vantrel) ext=vtp; extra=(--script-runtime) ;;
    osmerin) ext=osn; extra=(--script-runtime) ;;
  esac
  # Templates sit beside the pictures and text files they use.
  template=$(find "$root/dist/share/$p/templates" -maxdepth 1 -type f -name "*.$ext" | sort | head -n 1)
  if [ -z "$template" ]; then
    echo "  $p: no shipped template found" >&2
    exit 1
  fi
  base=$(basename "${template%.*}")
  (cd "$demo" && "$root/dist/bin/$p" --publish "$template" --to "$demo/$p" "${extra[@]}" >/dev/null)
  echo "  $p: $demo/$p/$base.html"
done
bash tools/check-demo.sh "$demo"
echo
echo "Open a page in a browser (for example: xdg-open $demo/dulcamon/*.html)."
echo "To edit, run on a desktop: $root/dist/bin/dulcamon [PROJECT] (or kestravo, vantrel, osmerin)."
echo "Each program's --help lists its command-line jobs."
if [ $# -gt 0 ]; then
  exec "$root/dist/bin/dulcamon" "$@"
fi
