#!/usr/bin/env bash
# Real-site bench, run by hand like the other bench programs: serves the
# Python 3.11 documentation (Debian package python3.11-doc, as the real-site
# test does) on 127.0.0.1 with tools/sample-server and mirrors its index.html
# RUNS times each, into a fresh folder every time, with
#   pagelark-cli  every kind, same server only, page requisites on, links
#                 converted, CONNECTIONS connections (the real-site test's
#                 settings),
#   Wget2         -r -l inf -p -np -nH -k --robots=off, its default threads,
#   Wget          -r -l inf -p -np -nH -k -e robots=off.
# Each run is timed as a whole process (wall seconds and peak resident memory
# of the process, read with getrusage by a small python wrapper); the table
# holds the medians, the files each tool saved, the ratio of wall time to
# Wget2's and of peak memory to Wget's, and a last line tells whether
# pagelark-cli's wall time is at most Wget2's and its peak memory at most
# Wget's.
#
# The sample server compresses an answer whenever the request accepts it
# (cpp-httplib built with brotli and zlib), at brotli's slowest quality: Wget2
# accepts br by default and then waits about a minute on the server's
# compressing, which neither of the others asks for. So Wget2 asks for
# identity (WGET2_COMPRESSION=identity); WGET2_COMPRESSION= (empty) keeps
# Wget2's own default.
#
#   cmake --build build --target pagelark-cli sample-server
#   RUNS=3 CONNECTIONS=4 bench/real-site.sh   # the defaults
#
# Settings (environment, defaults as above): RUNS, CONNECTIONS,
# WGET2_COMPRESSION, SITE (the folder served, default
# /usr/share/doc/python3.11/html), BUILD (the build folder, default build),
# KEEP=1 keeps the scratch folder. Needs python3, wget and wget2 (Debian
# packages wget and wget2).
set -euo pipefail
cd "$(dirname "$0")/.."

bench=real-site
# shellcheck source=bench/lib.sh
. bench/lib.sh

RUNS=${RUNS:-3}
CONNECTIONS=${CONNECTIONS:-4}
WGET2_COMPRESSION=${WGET2_COMPRESSION-identity}
SITE=${SITE:-/usr/share/doc/python3.11/html}

need_programs
for tool in wget wget2 python3; do
  command -v "$tool" >/dev/null || { echo "real-site: $tool is missing (apt-get install -y $tool)" >&2; exit 1; }
done
[ -d "$SITE" ] || { echo "real-site: $SITE is missing (tools/setup-deps.sh installs python3.11-doc)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/real-site.XXXXXX")
cleanup() {
  stop_server
  if [ "${KEEP:-0}" = 1 ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

start_server "$SITE"

# Runs "$@" in the current folder, its output into $out.out and $out.err, and
# writes "wall_seconds peak_kib exit_status" to $out.time. The children's
# getrusage holds the peak of the one child waited for.
measure() {
  local out=$1
  shift
  python3 -c '
import resource, subprocess, sys, time
start = time.monotonic()
with open(sys.argv[1] + ".out", "wb") as out, open(sys.argv[1] + ".err", "wb") as err:
    status = subprocess.call(sys.argv[2:], stdout=out, stderr=err)
wall = time.monotonic() - start
with open(sys.argv[1] + ".time", "w") as times:
    times.write("%.3f %d %d\n" % (wall, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss, status))
' "$out" "$@"
}

# One run of tool $1 (pagelark, wget2 or wget) numbered $2: mirrors into
# $work/$1-$2 and appends "wall kib files" to $work/$1.runs, or stops the
# bench when the tool failed. Wget and Wget2 exit 8 when some answer was an
# error, as the site's links to whatsnew/changelog.html are (the package
# ships it compressed).
run() {
  local tool=$1 n=$2 dir=$work/$1-$2 log=$work/$1-$2 wall kib status files
  local wget2_options=()
  [ -z "$WGET2_COMPRESSION" ] || wget2_options=(--compression="$WGET2_COMPRESSION")
  mkdir "$dir"
  case $tool in
    pagelark)
      local args=(--program-dir "$work/program-$n" --set "URL=$url" --set "DownLoad=$dir" --set Count=1000000
        --set KIND=all --set Server=on --set ANOTHERURL=off --set Requisites=on --set "Connections=$CONNECTIONS")
      (cd "$dir" && measure "$log" "$cli" "${args[@]}") ;;
    wget2)
      (cd "$dir" && measure "$log" wget2 -r -l inf -p -np -nH -k --robots=off -q "${wget2_options[@]}" "$url") ;;
    wget)
      (cd "$dir" && measure "$log" wget -r -l inf -p -np -nH -k -e robots=off -q "$url") ;;
  esac
  read -r wall kib status <"$log.time"
  if [ "$status" != 0 ] && { [ "$tool" = pagelark ] || [ "$status" != 8 ]; }; then
    echo "real-site: $tool run $n exited $status:" >&2
    tail -5 "$log.err" >&2
    exit 1
  fi
  files=$(find "$dir" -type f | wc -l)
  echo "$wall $kib $files" >>"$work/$tool.runs"
  # The mirror is counted: drop it so the runs do not fill the disk.
  [ "${KEEP:-0}" = 1 ] || rm -rf "$dir"
}

# The median of column $2 of file $1 (the mean of the middle two of an even
# count).
median() {
  sort -g -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { m = int((NR + 1) / 2); print (NR % 2) ? v[m] : (v[m] + v[m + 1]) / 2 }'
}

echo "site: $SITE ($(find "$SITE" -type f | wc -l) files) from $url; $RUNS runs each, interleaved"
for n in $(seq "$RUNS"); do
  for tool in pagelark wget2 wget; do run "$tool" "$n"; done
done

declare -A wall mib files
for tool in pagelark wget2 wget; do
  wall[$tool]=$(median "$work/$tool.runs" 1)
  mib[$tool]=$(awk -v k="$(median "$work/$tool.runs" 2)" 'BEGIN { printf "%.1f", k / 1024 }')
  files[$tool]=$(median "$work/$tool.runs" 3)
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo
printf '%-26s %8s %9s %6s %9s %9s\n' tool "wall s" "peak MiB" files "x Wget2" "x Wget"
for tool in pagelark wget2 wget; do
  case $tool in
    pagelark) name="pagelark-cli ($CONNECTIONS conn.)" ;;
    wget2) name="Wget2 (default threads)" ;;
    wget) name=Wget ;;
  esac
  printf '%-26s %8.2f %9s %6s %9s %9s\n' "$name" "${wall[$tool]}" "${mib[$tool]}" "${files[$tool]}" \
    "$(ratio "${wall[$tool]}" "${wall[wget2]}")" "$(ratio "${mib[$tool]}" "${mib[wget]}")"
done
echo "(pagelark-cli's files include an index.htm beside each folder's index.html; Wget2 asks for compression: ${WGET2_COMPRESSION:-its default})"

verdict() { awk -v a="$1" -v b="$2" 'BEGIN { print (a <= b) ? "holds" : "misses" }'; }
time_verdict=$(verdict "${wall[pagelark]}" "${wall[wget2]}")
memory_verdict=$(verdict "${mib[pagelark]}" "${mib[wget]}")
both=no
[ "$time_verdict" = holds ] && [ "$memory_verdict" = holds ] && both=yes
echo "targets: wall at most Wget2's $time_verdict, peak memory at most Wget's $memory_verdict; both hold: $both"
