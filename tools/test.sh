#!/usr/bin/env bash
# Sets up a fresh machine and runs every test: the C++ unit and window tests
# (CTest), the runtime scripts in headless Chromium (node --test), and the tests
# that matter for an engine again in headless Firefox ESR.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tests
BUILD_DIR="$(realpath -m "${BUILD_DIR:-build}")"
export BUILD_DIR
bash tools/build.sh -DBUILD_TESTING=ON -DKZT_WERROR=ON
status=0
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2) || status=1
if [ -f tests/browser/package.json ]; then
  (cd tests/browser && npm ci --no-audit --no-fund && KZT_BUILD_DIR="$BUILD_DIR" node --test) || status=1
  (cd tests/browser && KZT_BUILD_DIR="$BUILD_DIR" npm run -s test:firefox) || status=1
fi
exit $status
