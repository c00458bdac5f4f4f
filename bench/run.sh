#!/usr/bin/env bash
# Runs the benchmarks built in the given build folder under a private sound server.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
pulse_dir=$build/bench-pulse
trap '"$root/tests/fixtures/pulse.sh" stop "$pulse_dir"' EXIT
"$root/tests/fixtures/pulse.sh" start "$pulse_dir"
export PULSE_SERVER=unix:$pulse_dir/native PULSE_RUNTIME_PATH=$pulse_dir
cmake --build "$build" --target tone_delay >/dev/null
echo "== tone_delay: play() to the tone in the null sink's recording"
"$build/bench/tone_delay"
