#!/usr/bin/env bash
# `make bench`: runs every benchmark against the given build folder under a private
# X server and sound server, one after the other, and prints one table.
# Usage: bench/run.sh <build folder>
set -u
build=$(cd "${1:-build}" && pwd) || exit 2
root=$(cd "$(dirname "$0")/.." && pwd)
display=:79
work=$(mktemp -d /tmp/tessaly-bench.XXXXXX)
pulse=$work/pulse

cleanup() {
  "$root/tests/fixtures/pulse.sh" stop "$pulse"
  "$root/tests/fixtures/xvfb.sh" stop "$display"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for program in "$build/tessaly" "$build/bench/first_frame" "$build/bench/bare_window" \
               "$build/bench/playback_bench" "$build/bench/tone_delay"; do
  [ -x "$program" ] || { echo "bench: $program is missing; build first" >&2; exit 2; }
done

"$root/tests/fixtures/xvfb.sh" start "$display" || exit 1
"$root/tests/fixtures/pulse.sh" start "$pulse" || exit 1
mkdir -p "$work/config" "$work/runtime" && chmod 700 "$work/runtime"
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime \
       PULSE_SERVER=unix:$pulse/native PULSE_RUNTIME_PATH=$pulse
read -r load1 load5 load15 _ < /proc/loadavg
started=$(date +%s)

rows=$work/rows
notes=$work/notes
: > "$rows"; : > "$notes"
failed=0

# Runs one benchmark program; its "row" and "note" lines join the table, and a
# failure becomes a row of its own with the end of its error output below.
step() {
  local name=$1; shift
  echo "bench: $name ..." >&2
  if "$@" > "$work/$name.out" 2> "$work/$name.err"; then
    status=0
  else
    status=$?
  fi
  grep $'^row\t' "$work/$name.out" | cut -f2- >> "$rows"
  grep $'^note\t' "$work/$name.out" | cut -f2- >> "$notes"
  if [ "$status" -ne 0 ]; then
    failed=1
    printf '%s\t%s\t\tFAIL\n' "$name" "did not finish (exit $status)" >> "$rows"
    { echo "$name failed; the end of its error output:"; tail -n 5 "$work/$name.err"; } >> "$notes"
  fi
}

step first_frame "$build/bench/first_frame" 10 "$build/tessaly" "$build/bench/bare_window"
step playback "$build/bench/playback_bench"
PULSE_SERVER=unix:$work/no-server/native step idle_silent \
  "$build/bench/playback_bench" --idle-only "no sound server"

# tone_delay prints its own small table; its lines become rows here.
step tone_delay "$build/bench/tone_delay"
awk '
  function spread(label) {
    printf "%s (n=%s)\tmedian %s ms, largest %s ms\t\tinfo\n", label, $NF, $(NF - 2), $(NF - 1) }
  /^play\(\) to first sample heard / { spread("Tone delay, play() to first sample heard") }
  /^QtSound construction, server /    { spread("Sound layer start-up (QtSound), sound server") }
  /^QtSound construction, no server / { spread("Sound layer start-up (QtSound), no sound server") }
  /^tones heard:/ { printf "Tones heard\t%s of %s\tall\t%s\n", $3, $5, ($3 == $5 ? "PASS" : "MISS") }
' "$work/tone_delay.out" >> "$rows"
echo "Tone delay (bench/tone_delay): from play() on the steady clock to the tone's first loud sample in a recording of the sound server's null-sink monitor; the sound layer's start-up is one QtSound construction in a fresh process, with the test server and with none." >> "$notes"

elapsed=$(( $(date +%s) - started ))

# One table, columns sized to their widest entry.
echo
echo "Tessaly benchmarks, $(date '+%Y-%m-%d %H:%M'), build $(basename "$build"), $(nproc) CPUs, load average at start $load1 $load5 $load15, took ${elapsed} s"
awk -F'\t' '
  BEGIN { n = 0; w[1] = length("Metric"); w[2] = length("Measured"); w[3] = length("Target"); w[4] = length("Verdict") }
  { n++; for (i = 1; i <= 4; i++) { cell[n, i] = $i; if (length($i) > w[i]) w[i] = length($i) } }
  END {
    line = sprintf("%-" w[1] "s | %-" w[2] "s | %-" w[3] "s | %s", "Metric", "Measured", "Target", "Verdict")
    print line
    rule = ""; for (i = 1; i <= length(line) + 2; i++) rule = rule "-"; print rule
    for (r = 1; r <= n; r++)
      printf "%-" w[1] "s | %-" w[2] "s | %-" w[3] "s | %s\n", cell[r, 1], cell[r, 2], (cell[r, 3] == "" ? "-" : cell[r, 3]), (cell[r, 4] == "" ? "-" : cell[r, 4])
  }
' "$rows"
echo
i=0
while IFS= read -r note; do
  i=$((i + 1))
  echo "[$i] $note" | fold -s -w 120
done < "$notes"
echo "Verdicts: PASS meets the target, MISS does not; info rows have no target and explain the others."
exit "$failed"
