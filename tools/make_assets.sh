#!/usr/bin/env bash
# Regenerates the committed assets with the generators built in the given build folder.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
cd "$(dirname "$0")/.."
cmake --build "$build" --target make_tones >/dev/null
"$build/tools/make_tones" assets/tones
