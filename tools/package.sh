#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the four programs (Release, with
# Debian's hardening flags) and makes their Debian package with CPack from
# the same install rules as `cmake --install`, under /usr:
# dist/packages/kztmenus_VERSION_ARCH.deb. Install it with
#   sudo apt install ./dist/packages/kztmenus_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
bash tools/install-deps.sh --package
build_dir="$(realpath -m "${BUILD_DIR:-build-package}")"

# Debian's flags (hardening, optimisation); CMake reads CXXFLAGS and LDFLAGS.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS" LDFLAGS
BUILD_DIR="$build_dir" BUILD_TYPE=Release bash tools/build.sh \
  -DBUILD_TESTING=OFF -DKZT_WERROR="${KZT_WERROR:-OFF}" \
  -DCMAKE_INSTALL_PREFIX=/usr -DKZT_INSTALLED_SHARE_FALLBACK=ON

# dpkg-shlibdeps finds the dependencies; CPack strips the programs.
rm -rf "$build_dir/packages"
(cd "$build_dir" && cpack -G DEB >/dev/null)
mkdir -p "$root/dist/packages"
rm -f "$root"/dist/packages/*.deb
cp "$build_dir"/packages/*.deb "$root/dist/packages/"
for deb in "$root"/dist/packages/*.deb; do
  echo "Built ${deb#"$root"/}"
done
