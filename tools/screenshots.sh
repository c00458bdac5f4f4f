#!/usr/bin/env bash
# Takes every window of the game under a private Xvfb, twice: under a dark theme
# (Fusion, dark palette) at scale 1, and in the default theme at scale 2, into
# <folder>/dark and <folder>/scale-2; optipng shrinks them when it is installed.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
out=${2:-docs/screenshots}
cd "$(dirname "$0")/.."
display=:82
config=$(mktemp -d)
# Room for the largest window at scale 2.
tests/fixtures/xvfb.sh start $display 2048x1536
trap 'tests/fixtures/xvfb.sh stop $display; rm -rf "$config"' EXIT
cmake --build "$build" --target take_screenshots >/dev/null
shoot() { # folder scale [--dark]
  rm -rf "$out/$1"
  DISPLAY=$display XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$2 \
    "$build/take_screenshots" "$out/$1" "${@:3}"
}
shoot dark 1 --dark
shoot scale-2 2
if command -v optipng >/dev/null; then optipng -quiet -o2 -strip all "$out"/*/*.png; fi
echo "wrote $out/dark and $out/scale-2"
