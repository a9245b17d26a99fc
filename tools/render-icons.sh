#!/usr/bin/env bash
# Draws the program icon (ui/qt/Artwork.cpp) again into dist/icons/ at every
# size the install takes, offscreen. Run it after changing the icon's drawing
# and commit the PNG files: the install and the build without Qt take them
# as they are, and the test icons_up_to_date fails while they are stale.
# dist/icons/pagelark.svg is the same drawing on its 32 by 32 grid, kept by
# hand.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGELARK_WERROR=ON >/dev/null
cmake --build build --target pagelark-render-icons
mkdir -p dist/icons
QT_QPA_PLATFORM=offscreen build/ui/qt/pagelark-render-icons dist/icons
echo "dist/icons: $(ls dist/icons | tr '\n' ' ')"
