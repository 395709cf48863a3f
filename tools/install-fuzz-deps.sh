#!/usr/bin/env bash
# Installs what the fuzz targets need on Debian, besides what
# tools/install-deps.sh installs: clang and its runtimes (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer).
set -euo pipefail

# Debian 12 ships clang 14; its libFuzzer runtime is in libclang-rt-14-dev.
version="$(clang++ --version 2>/dev/null | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)"
packages=(clang "libclang-rt-${version:-14}-dev" cmake ninja-build qt6-base-dev libjpeg-dev libgif-dev)

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
# clang was just installed: its runtime package follows its version.
version="$(clang++ --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)"
if ! dpkg-query -W -f='${Status}' "libclang-rt-${version}-dev" 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "libclang-rt-${version}-dev"
fi
