#!/usr/bin/env bash
# Installs what building, running and testing the four programs needs on Debian.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev
  libjpeg-dev libgif-dev libcpp-httplib-dev
  xvfb xauth desktop-file-utils librsvg2-bin
)
if [ "${1:-}" = "--tests" ]; then
  # Two engines for the browser tests; puppeteer-core drives Firefox ESR over WebDriver BiDi.
  packages+=(chromium firefox-esr imagemagick)
  # The desktop files' checks: metadata, manual pages, XML, completion.
  packages+=(appstream man-db groff-base libxml2-utils bash-completion)
  # A machine may already have Node.js from elsewhere; Debian's would conflict with it.
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
fi

if [ "${1:-}" = "--package" ]; then
  # Debian packages (tools/package.sh) and their checks (tools/check-package.sh).
  packages+=(dpkg-dev lintian appstream man-db groff-base libxml2-utils)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
