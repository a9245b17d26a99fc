#!/usr/bin/env bash
# Fails when a module includes a header that its row of ARCHITECTURE.md does
# not allow, or when Qt is included outside ui/qt/ and app/gui/.
# Usage: tools/check-includes.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# folder: the folders whose headers it may include (besides its own).
rules=(
  "messages:"
  "platform:"
  "settings:platform messages"
  "links:settings platform messages"
  "net:platform messages"
  "crawl:links net settings platform messages"
  "ui:crawl links settings platform messages"
  "ui/qt:ui crawl links settings platform messages"
  "app/cli:crawl settings platform messages"
  "app/gui:ui/qt ui crawl links settings platform messages"
  "fuzz:links settings platform messages support"
)

failed=0
for rule in "${rules[@]}"; do
  folder=${rule%%:*}
  allowed=" $folder ${rule#*:} "
  for file in "$folder"/*.h "$folder"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS= read -r header; do
      dir=${header%/*}
      case "$allowed" in *" $dir "*) ;; *)
        echo "$file includes \"$header\": $folder may not depend on $dir"
        failed=1 ;;
      esac
    done < <(sed -n 's/^#include "\([^"]*\/[^"]*\)".*/\1/p' "$file")
    case "$folder" in ui | ui/*) ;; *)
      if grep -q '^#include "messages/WindowTexts.h"' "$file"; then
        echo "$file includes the window texts: only ui/ may"
        failed=1
      fi ;;
    esac
    if [ "$folder" != ui/qt ] && [ "$folder" != app/gui ] && grep -q '^#include <Q' "$file"; then
      echo "$file includes Qt: only ui/qt/ and app/gui/ may"
      failed=1
    fi
  done
done
[ "$failed" = 0 ] && echo "include rules hold"
exit "$failed"
