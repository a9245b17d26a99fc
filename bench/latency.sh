#!/usr/bin/env bash
# Latency bench, run by hand like the other bench programs: mirrors a
# generated site (tools/make-bench-site.py) served on 127.0.0.1 by
# tools/sample-server, which waits DELAY_MS before each answer as a network
# round trip would, once with pagelark-cli for each number of connections in
# CONNECTIONS and once with Wget2 at its default threads. Each run is timed as
# a whole process (wall seconds), its file count is checked against the
# site's manifest, and each pagelark-cli mirror with more than one connection
# is compared byte for byte with the one-connection mirror. The connections
# are set with --set Connections=N (a run without it has a new profile's 4).
#
#   cmake --build build --target pagelark-cli sample-server
#   PAGES=2000 DELAY_MS=20 CONNECTIONS="1 5 8" bench/latency.sh
#
# Settings (environment, defaults as above): PAGES, DELAY_MS, CONNECTIONS,
# BUILD (the build folder, default build), KEEP=1 keeps the scratch folder.
# Needs python3 and wget2 (Debian package wget2).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=latency
# shellcheck source=bench/lib.sh
. bench/lib.sh

PAGES=${PAGES:-2000}
DELAY_MS=${DELAY_MS:-20}
CONNECTIONS=${CONNECTIONS:-"1 5 8"}

need_programs
command -v wget2 >/dev/null || { echo "latency: wget2 is missing (apt-get install -y wget2)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/latency.XXXXXX")
cleanup() {
  stop_server
  if [ "${KEEP:-0}" = 1 ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

python3 tools/make-bench-site.py --pages "$PAGES" "$work/site" >/dev/null
expected=$(manifest "$work/site" expected_files)

start_server "$work/site/www" --delay-ms "$DELAY_MS"
echo "site: $PAGES pages, $expected files, $(manifest "$work/site" missing_urls) URLs that answer 404; $DELAY_MS ms before each answer"

rows=()    # tool|connections|wall|check
wget2_wall=

run_wget2() {
  local dir=$work/wget2 start status=0
  mkdir "$dir"
  start=$(now_ns)
  # Identity, as the others ask: the sample server would otherwise spend its
  # own time compressing each answer with brotli.
  (cd "$dir" && wget2 --mirror --convert-links --no-parent --robots=off --compression=identity -q "$url") || status=$?
  wget2_wall=$(seconds $(($(now_ns) - start)))
  local check
  check=$(check_count "$dir" "$expected")
  # Wget2 exits 8 when some answer was an error, as the 404s are.
  [ "$status" = 0 ] || [ "$status" = 8 ] || check="exit $status; $check"
  rows+=("Wget2|5 (default)|$wget2_wall|$check")
}

# One pagelark-cli run with $1 connections into $work/pagelark-$1.
run_pagelark() {
  local n=$1 dir=$work/pagelark-$1 start status=0 wall check
  start=$(now_ns)
  mirror_with_cli "$dir" "$n" || status=$?
  wall=$(seconds $(($(now_ns) - start)))
  check=$(check_count "$dir" "$expected")
  [ "$status" = 0 ] || check="exit $status; $check"
  if [ "$n" -gt 1 ] && [ -d "$work/pagelark-1" ]; then
    if diff -r "$work/pagelark-1" "$dir" >/dev/null; then check="$check, same as 1"; else check="$check, differs from 1"; fi
  fi
  rows+=("pagelark-cli|$n|$wall|$check")
}

run_wget2
for n in $CONNECTIONS; do run_pagelark "$n"; done

echo
printf '%-13s %-13s %8s %9s  %s\n' tool connections "wall s" "x Wget2" check
for row in "${rows[@]}"; do
  IFS='|' read -r tool connections wall check <<<"$row"
  ratio=-
  [ "$wall" = - ] || ratio=$(awk -v a="$wall" -v b="$wget2_wall" 'BEGIN { printf "%.2f", a / b }')
  printf '%-13s %-13s %8s %9s  %s\n' "$tool" "$connections" "$wall" "$ratio" "$check"
done
