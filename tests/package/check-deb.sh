#!/usr/bin/env bash
# Builds the Debian package of a finished build with cpack in a scratch
# folder and checks it: its files (both programs, the desktop entry, the
# icons, the manual pages, the help), its Depends, and, as root, that it
# installs, runs from /usr (--version, the program folder in the user's
# configuration folder), has a valid desktop entry and removes cleanly.
# Usage: tests/package/check-deb.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")

scratch=$(mktemp -d)
installed=0
cleanup() {
  if [ "$installed" = 1 ]; then dpkg -r pagelark >/dev/null || echo "package check: could not remove pagelark" >&2; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "package check: $*" >&2
  exit 1
}

echo "package check: cpack -G DEB"
(cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/pagelark_*.deb)
echo "package check: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(./usr/bin/pagelark ./usr/bin/pagelark-cli
          ./usr/share/applications/pagelark.desktop
          ./usr/share/icons/hicolor/scalable/apps/pagelark.svg
          ./usr/share/man/man1/pagelark-cli.1.gz ./usr/share/man/man1/pagelark.1.gz
          ./usr/share/pagelark/help/PagelarkCGI.html)
for size in 16 32 48 64 128 256; do expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/pagelark.png"); done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
echo "package check: ${#expected[@]} files present"

if command -v groff >/dev/null; then
  for page in "$build"/dist/*.1; do
    warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z -K utf8 "$page" 2>&1)
    [ -z "$warnings" ] || fail "groff warns about $(basename "$page"): $warnings"
  done
  echo "package check: the manual pages format without warnings"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "package check: Depends: $depends"
depends_names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for lib in libc6 libstdc++6 libcurl4 libqt6core6 libqt6gui6 libqt6widgets6; do
  grep -qxF "$lib" <<<"$depends_names" || fail "Depends lacks $lib"
done

if [ "$(id -u)" -ne 0 ]; then
  echo "package check: not root, so the package is not installed (dpkg -i needs root)"
  exit 0
fi
if dpkg-query -W -f='${Status}' pagelark 2>/dev/null | grep -q "install ok installed"; then
  echo "package check: pagelark is installed already; this check leaves it alone and does not install"
  exit 0
fi
dpkg -i "$deb" >"$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log"; dpkg -r pagelark >/dev/null 2>&1 || true; fail "dpkg -i failed"; }
installed=1
version=$(/usr/bin/pagelark-cli --version)
[ "$version" = "pagelark-cli $(dpkg-deb -f "$deb" Version)" ] || fail "installed pagelark-cli --version says '$version'"
echo "package check: installed: $version; $(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/pagelark --version)"
desktop-file-validate /usr/share/applications/pagelark.desktop || fail "desktop-file-validate refused the entry"
echo "package check: desktop-file-validate passed"
# Installed, the program folder is the user's configuration folder.
HOME="$scratch/home" XDG_CONFIG_HOME="" /usr/bin/pagelark-cli --save-as "$scratch/p.ini" \
  || fail "the installed pagelark-cli could not save a profile"
[ -f "$scratch/home/.config/pagelark/set.ini" ] || fail "set.ini is not in ~/.config/pagelark/"
echo "package check: set.ini written to ~/.config/pagelark/"
dpkg -r pagelark >/dev/null || fail "dpkg -r failed"
installed=0
[ ! -e /usr/bin/pagelark-cli ] && [ ! -e /usr/share/pagelark ] || fail "files are left after dpkg -r"
echo "package check: removed again; the package is good"
