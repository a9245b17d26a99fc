#!/usr/bin/env bash
# Builds everything and runs every test: first a plain build (and the Debian
# package made from it, installed and removed again), then the engine
# and the window logic without Qt (the build the README promises for machines
# without Qt), then a build under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for a short budget (tools/fuzz.sh, with a fixed seed so
# that a failure here can be run again). PAGELARK_QUICK=1 skips all but the
# plain build.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGELARK_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== plain build =="
run_suite build
echo "== Debian package =="
tests/package/check-deb.sh build
if [ "${PAGELARK_QUICK:-0}" != 1 ]; then
  echo "== build without Qt =="
  run_suite build-nogui -DPAGELARK_GUI=OFF
  echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_suite build-sanitize -DPAGELARK_SANITIZE=ON
  echo "== fuzz targets, 30 s each =="
  PAGELARK_FUZZ_SEED=1 tools/fuzz.sh 30
fi
