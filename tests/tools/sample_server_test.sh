#!/usr/bin/env bash
# The sample server, plain and with --delay-ms: two requests on one kept-alive
# connection are both answered, and with a delay neither answer comes sooner.
# Usage: sample_server_test.sh SAMPLE_SERVER
set -euo pipefail
server_program=$1
root=$(mktemp -d)
server=
trap 'if [ -n "$server" ]; then kill "$server"; wait "$server" || true; fi; rm -rf "$root"' EXIT
printf 'hello\n' >"$root/a.txt"

# Sends one GET of a.txt on descriptor 3 and prints how many ms its answer took.
get_ms() {
  local start line
  start=$(date +%s%N)
  printf 'GET /a.txt HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n' >&3
  read -r -t 5 line <&3
  [[ $line == "HTTP/1.1 200 "* ]] || { echo "answer: $line" >&2; return 1; }
  while read -r -t 5 line <&3 && [ "$line" != $'\r' ]; do :; done
  read -r -t 5 line <&3
  [ "$line" = hello ] || { echo "body: $line" >&2; return 1; }
  echo $((($(date +%s%N) - start) / 1000000))
}

# arguments before ROOT | least ms each answer takes
cases=("|0" "--delay-ms 300|300")
for case in "${cases[@]}"; do
  IFS='|' read -r options least <<<"$case"
  # shellcheck disable=SC2086 # the options are words
  "$server_program" $options "$root" >"$root/port.txt" &
  server=$!
  for _ in $(seq 50); do grep -q '^port ' "$root/port.txt" && break; sleep 0.1; done
  exec 3<>"/dev/tcp/127.0.0.1/$(awk '{print $2}' "$root/port.txt")"
  for request in 1 2; do
    ms=$(get_ms)
    [ "$ms" -ge "$least" ] || { echo "FAIL '$options': request $request answered in $ms ms" >&2; exit 1; }
  done
  exec 3<&-
  kill "$server"
  wait "$server" || true
  server=
done
echo "sample server: ${#cases[@]} cases passed"
