#!/usr/bin/env bash
# Scale bench, run by hand like latency.sh: mirrors a generated site
# (tools/make-bench-site.py) of each number of pages in SIZES, and one of
# BASE pages for the memory every run starts from, served on 127.0.0.1 by
# tools/sample-server without delay, once each with pagelark-cli over
# CONNECTIONS connections. Each run is timed as a whole process: wall
# seconds, and peak resident memory by GNU time. A run's URLs are the
# distinct URLs of its "...をダウンロード中" lines, one per request, 404s
# included; they are checked against the manifest's files plus its URLs
# that answer 404, and the mirror's file count against its files.
#
# The table gives URLs per wall second and its ratio to the first size's,
# and the peak memory above the BASE run's per URL. The last line says
# whether every size keeps at least 0.7 of the first size's rate and at
# most 1024 bytes per URL above the base.
#
#   cmake --build build --target pagelark-cli sample-server
#   SIZES="10000 100000" CONNECTIONS=4 bench/scale.sh
#
# Settings (environment, defaults as above): SIZES, CONNECTIONS, BASE
# (default 10), SITES (the generated sites, kept for the next run; default
# /tmp/pagelark-bench-sites), BUILD (the build folder, default build),
# KEEP=1 keeps the scratch folder with the mirrors and their output.
# Needs python3 and GNU time (Debian package time).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=scale
# shellcheck source=bench/lib.sh
. bench/lib.sh

SIZES=${SIZES:-"10000 100000"}
CONNECTIONS=${CONNECTIONS:-4}
BASE=${BASE:-10}
SITES=${SITES:-/tmp/pagelark-bench-sites}
min_ratio=0.7
max_bytes_per_url=1024

need_programs
[ -x /usr/bin/time ] || { echo "scale: GNU time is missing (apt-get install -y time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/scale.XXXXXX")
cleanup() {
  stop_server
  if [ "${KEEP:-0}" = 1 ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# Sets folder to the $1-page site's, written first if SITES lacks it.
site() {
  folder=$SITES/pages-$1
  if [ ! -f "$folder/manifest.json" ]; then
    rm -rf "$folder" "$folder.part"
    mkdir -p "$SITES"
    echo "writing the $1-page site into $folder"
    python3 tools/make-bench-site.py --pages "$1" "$folder.part" >/dev/null
    mv "$folder.part" "$folder"
  fi
}

# Mirrors the $1-page site; sets urls, wall, peak (KiB) and check.
run_size() {
  local dir=$work/mirror-$1 start status=0 requests expected wanted
  site "$1"
  start_server "$folder/www"
  start=$(now_ns)
  mirror_with_cli "$dir" "$CONNECTIONS" /usr/bin/time -f %M -o "$dir.time" || status=$?
  wall=$(seconds $(($(now_ns) - start)))
  stop_server
  peak=$(tail -n 1 "$dir.time")
  requests=$(LC_ALL=C grep -c 'をダウンロード中$' "$dir.out" || true)
  urls=$(LC_ALL=C grep 'をダウンロード中$' "$dir.out" | LC_ALL=C sort -u | wc -l)
  expected=$(manifest "$folder" expected_files)
  wanted=$((expected + $(manifest "$folder" missing_urls)))
  check=$(check_count "$dir" "$expected")
  [ "$urls" = "$wanted" ] || check="$check; $urls of $wanted URLs"
  [ "$requests" = "$urls" ] || check="$check; $requests requests"
  [ "$status" = 0 ] || check="exit $status; $check"
  [ "${KEEP:-0}" = 1 ] || rm -rf "$dir"
}

# Every site is written before any run, so that the figures do not wait for
# a site to be written.
for size in "$BASE" $SIZES; do site "$size"; done

run_size "$BASE"
base_peak=$peak
awk -v p="$BASE" -v u="$urls" -v w="$wall" -v k="$peak" -v c="$check" \
  'BEGIN { printf "base: %d pages, %d URLs in %s s, peak %.1f MiB; %s\n", p, u, w, k / 1024, c }'
echo "$CONNECTIONS connections, no delay"
echo

printf '%8s %8s %8s %8s %8s %9s %11s  %s\n' pages URLs "wall s" "URLs/s" "x first" "peak MiB" "B/URL>base" check
first_rate=
verdict=$(mktemp "$work/verdict.XXXXXX")
for size in $SIZES; do
  run_size "$size"
  rate=$(awk -v u="$urls" -v w="$wall" 'BEGIN { printf "%.1f", (w > 0 ? u / w : 0) }')
  [ -n "$first_rate" ] || first_rate=$rate
  awk -v s="$size" -v u="$urls" -v w="$wall" -v r="$rate" -v f="$first_rate" -v k="$peak" -v b="$base_peak" \
    -v c="$check" -v min="$min_ratio" -v max="$max_bytes_per_url" -v out="$verdict" 'BEGIN {
      ratio = f > 0 ? r / f : 0
      per_url = u > 0 ? (k - b) * 1024 / u : 0
      printf "%8d %8d %8s %8s %8.2f %9.1f %11.0f  %s\n", s, u, w, r, ratio, k / 1024, per_url, c
      if (ratio < min) printf "%d pages: rate %.2f of the first size (under %s)\n", s, ratio, min >> out
      if (per_url > max) printf "%d pages: %.0f bytes per URL above base (over %d)\n", s, per_url, max >> out
    }'
done
echo
if [ -s "$verdict" ]; then
  echo "targets missed: rate ratio >= $min_ratio, <= $max_bytes_per_url bytes per URL above base"
  cat "$verdict"
else
  echo "targets hold: rate ratio >= $min_ratio and <= $max_bytes_per_url bytes per URL above base at every size"
fi
