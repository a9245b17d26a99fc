#!/usr/bin/env bash
# The main job: mirrors the bundled sample site (examples/site), served on
# 127.0.0.1 by tools/sample-server, with pagelark-cli and the bundled profile
# examples/sample.ini. The mirror lands in out/demo/mirror.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGELARK_WERROR=ON >/dev/null
cmake --build build --target pagelark-cli sample-server

out="$PWD/out/demo"
rm -rf "$out"
mkdir -p "$out/program" "$out/mirror"

build/tools/sample-server examples/site >"$out/server.txt" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null || true' EXIT
for _ in $(seq 100); do grep -q '^port ' "$out/server.txt" 2>/dev/null && break; sleep 0.1; done
port=$(awk '/^port /{print $2}' "$out/server.txt")
[ -n "$port" ] || { echo "demo: the sample server did not start" >&2; exit 1; }
echo "Serving examples/site on http://127.0.0.1:$port/"

status=0
build/app/cli/pagelark-cli --program-dir "$out/program" \
  --set "URL=http://127.0.0.1:$port/news/page@a@.html" \
  --set "DownLoad=$out/mirror" \
  examples/sample.ini || status=$?

files=$( (find "$out/mirror" -type f 2>/dev/null || true) | wc -l)
echo
echo "Mirror: $out/mirror ($files files)"
echo "Run log: $(ls "$out"/program/log/*.log 2>/dev/null | head -1)"
echo "Check: $(build/app/cli/pagelark-cli --check "$out/mirror" | tail -1)"
exit $status
