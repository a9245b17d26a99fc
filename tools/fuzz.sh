#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (ASan + UBSan) in
# build-fuzz/ and runs each for SECONDS (default 20) from its seed corpus,
# copied to a temporary folder so the repository stays as it is. Fails on any
# crash, leak, broken check or input slower than 10 seconds; the input that
# did it is kept in out/fuzz/TARGET/. PAGELARK_FUZZ_SEED fixes libFuzzer's
# seed (tools/test.sh does, so that a run can be repeated); without it each run
# explores afresh.
# Usage: tools/fuzz.sh [SECONDS] [TARGET...]   (targets: fuzz_tag_scanner,
# fuzz_link_resolution, fuzz_scan_pass, fuzz_local_names, fuzz_ini_reader)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_tag_scanner fuzz_link_resolution fuzz_scan_pass fuzz_local_names fuzz_ini_reader)

tools/setup-deps.sh
# clang and libFuzzer's runtime, for this script only.
for package in clang-14 libclang-rt-14-dev llvm-14; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang-14 libclang-rt-14-dev llvm-14
    break
  fi
done
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGELARK_WERROR=ON -DPAGELARK_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
[ -x /usr/lib/llvm-14/bin/llvm-symbolizer ] && export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
passed=0
failed=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  # The two page targets share their seeds.
  corpus=$name
  case $name in tag_scanner | scan_pass) dict=html corpus=pages ;; ini_reader) dict=ini ;; *) dict=url ;; esac
  cp -r "fuzz/corpus/$corpus" "$work/$name"
  artifacts="out/fuzz/$target"
  mkdir -p "$artifacts"
  echo "== $target: $seconds s =="
  if "build-fuzz/fuzz/$target" "$work/$name" -dict="fuzz/dict/$dict.dict" -max_total_time="$seconds" -timeout=10 \
    -seed="${PAGELARK_FUZZ_SEED:-0}" \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$work/$name.log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$work/$name.log" || true
    passed=$((passed + 1))
  else
    tail -n 60 "$work/$name.log"
    echo "$target failed; the input is in $artifacts/ (run: build-fuzz/fuzz/$target $artifacts/FILE)"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
