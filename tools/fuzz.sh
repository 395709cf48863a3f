#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang in their own build folder
# and runs each for SECONDS (default 30). Fails when any target finds a crash,
# a leak, undefined behaviour or a broken round trip; the input that did it is
# kept in build-fuzz/artifacts/.
#
#   bash tools/fuzz.sh            # 30 seconds per target
#   bash tools/fuzz.sh 3600       # an hour per target
#   FUZZ_JOBS=2 bash tools/fuzz.sh 600   # two processes per target
set -euo pipefail

seconds="${1:-30}"
case "$seconds" in
  ''|*[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="${FUZZ_JOBS:-1}"

bash "$root/tools/install-fuzz-deps.sh"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKZT_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j "${BUILD_JOBS:-2}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
# The project targets save a publish per input; on a memory file system the
# syncs of the atomic writes cost nothing.
if [ -z "${FUZZ_TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  FUZZ_TMPDIR=/dev/shm
fi
export TMPDIR="${FUZZ_TMPDIR:-${TMPDIR:-/tmp}}"
mkdir -p "$build/artifacts"
failed=()
while IFS='|' read -r name dict seeds; do
  [ -n "$name" ] || continue
  # New inputs go to a working corpus in the build folder; the seeds in the
  # repository stay as they are.
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  echo "== $name: $seconds s"
  args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -max_len=65536
        -artifact_prefix="$build/artifacts/$name-" -print_final_stats=1)
  [ -f "$dict" ] && args+=(-dict="$dict")
  [ "$jobs" -gt 1 ] && args+=(-fork="$jobs")
  if ! "$build/$name" "${args[@]}" "$corpus" "$seeds" >"$build/$name.log" 2>&1; then
    tail -n 40 "$build/$name.log" >&2
    failed+=("$name")
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$name.log" | sed 's/^/   /' || true
  fi
done <"$build/fuzzers.txt"

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]} (inputs in $build/artifacts/)" >&2
  exit 1
fi
echo "No fuzz target found a problem."
