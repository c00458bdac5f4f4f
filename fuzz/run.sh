#!/usr/bin/env bash
# `make fuzz`: runs each harness of the given fuzz build for the given seconds, starting
# from the seeds in fuzz/corpus and the corpus kept in the build folder, and prints the
# executions and findings of each. A finding is saved as <build>/findings/<harness>-*.
# Usage: fuzz/run.sh <fuzz build folder> <seconds per harness> [harness ...]
set -u
build=$(cd "${1:?build folder}" && pwd) || exit 2
seconds=${2:-60}
shift 2 || true
here=$(cd "$(dirname "$0")" && pwd)
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(ini_document ini_value settings_store help_file help_page wave_image)
mkdir -p "$build/findings"
failed=0
summary=()
for name in "${harnesses[@]}"; do
  corpus=$build/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "$here/corpus/$name" ] && seeds+=("$here/corpus/$name")
  case $name in
    help_file) seeds+=("$here/../assets/help") ;;
    wave_image) seeds+=("$here/../assets/tones") ;;
  esac
  log=$build/$name.log
  echo "fuzz: $name for ${seconds}s ..." >&2
  # A page the check lets through must not take the text engine long, even under the sanitizers.
  timeout=10
  [ "$name" = help_page ] && timeout=3
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz_$name" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=4096 -max_len=1048576 \
      -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
      "$corpus" "${seeds[@]}" > "$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(ls "$build/findings" | grep -c "^$name-" || true)
  [ "$status" -eq 0 ] || failed=1
  summary+=("$(printf '%-16s %6ss %12s runs  exit %-3s findings %s' "$name" "$seconds" "${runs:-?}" "$status" "$found")")
done
printf '%s\n' "${summary[@]}"
exit "$failed"
