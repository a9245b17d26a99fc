# Helpers of the whole-mirror benches (latency.sh, scale.sh, real-site.sh),
# sourced after `cd` to the project's top folder with `bench` set to the
# bench's name: the programs, timing, a site's manifest, the mirror's file
# count, the sample server and one pagelark-cli mirror.
# shellcheck shell=bash disable=SC2154 # bench and work are the sourcing script's

BUILD=${BUILD:-build}
cli=$PWD/$BUILD/app/cli/pagelark-cli
server_program=$PWD/$BUILD/tools/sample-server
ignore='index\.htm$' # pagelark-cli's twin of each folder's start page
server=              # the sample server's process id while it runs
url=                 # the served site's start page

need_programs() {
  for program in "$cli" "$server_program"; do
    [ -x "$program" ] || { echo "$bench: $program is missing (cmake --build $BUILD --target pagelark-cli sample-server)" >&2; exit 1; }
  done
}

now_ns() { date +%s%N; }
seconds() { awk -v ns="$1" 'BEGIN { printf "%.2f", ns / 1e9 }'; }

# Prints field $2 of the manifest of the site written into folder $1.
manifest() { python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))[sys.argv[2]])' "$1/manifest.json" "$2"; }

# Counts the files below $1 against $2, the manifest's expected_files.
check_count() {
  local files
  files=$(find "$1" -type f | grep -cvE "$ignore" || true)
  if [ "$files" = "$2" ]; then echo "$files files, whole"; else echo "$files of $2 files"; fi
}

# Serves the folder $1 on 127.0.0.1 with sample-server and the options
# after it, its output in $work/server.txt; sets server and url.
start_server() {
  local root=$1 port
  shift
  rm -f "$work/server.txt" # not to read an earlier server's port
  "$server_program" "$@" "$root" >"$work/server.txt" &
  server=$!
  for _ in $(seq 100); do grep -q '^port ' "$work/server.txt" 2>/dev/null && break; sleep 0.1; done
  port=$(awk '/^port /{print $2}' "$work/server.txt")
  [ -n "$port" ] || { echo "$bench: the sample server did not start" >&2; exit 1; }
  url=http://127.0.0.1:$port/index.html
}

stop_server() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; fi
  server=
}

# Mirrors $url into folder $1 with pagelark-cli over $2 connections, run
# under the command words after them (a timer, or none); its settings go to
# $1.program, its output to $1.out and $1.err. Returns pagelark-cli's status.
mirror_with_cli() {
  local dir=$1 connections=$2
  shift 2
  mkdir -p "$dir"
  "$@" "$cli" --program-dir "$dir.program" --set "URL=$url" --set "DownLoad=$dir" --set Count=10000000 \
    --set KIND=all --set SAME=on --set "Connections=$connections" >"$dir.out" 2>"$dir.err"
}
