#!/usr/bin/env bash
# Regenerates the committed assets with the generators built in the given build folder.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
cd "$(dirname "$0")/.."
cmake --build "$build" --target make_tones make_art >/dev/null
"$build/tools/make_tones" assets/tones
# make_art needs a QGuiApplication for its fonts; no display is involved.
QT_QPA_PLATFORM=offscreen "$build/tools/make_art" assets
