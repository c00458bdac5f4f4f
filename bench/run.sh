#!/usr/bin/env bash
# `make bench`: runs every benchmark against the given build folder under a private
# X server and sound server, one after the other, and prints one table.
# Usage: bench/run.sh <build folder> [pulseaudio|pipewire]
set -u
build=$(cd "${1:-build}" && pwd) || exit 2
server=${2:-pulseaudio}
root=$(cd "$(dirname "$0")/.." && pwd)
display=:79
work=$(mktemp -d /tmp/tessaly-bench.XXXXXX)
pulse=$work/pulse
case $server in
  pulseaudio) server_script=$root/tests/fixtures/pulse.sh socket=$pulse/native ;;
  pipewire) server_script=$root/tests/fixtures/pipewire.sh socket=$pulse/pulse/native ;;
  *) echo "bench: unknown sound server $server" >&2; exit 2 ;;
esac

cleanup() {
  "$server_script" stop "$pulse"
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
"$server_script" start "$pulse" || exit 1
mkdir -p "$work/config" "$work/runtime" && chmod 700 "$work/runtime"
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime \
       PULSE_SERVER=unix:$socket PULSE_RUNTIME_PATH=$pulse
if [ "$server" = pipewire ]; then
  export PIPEWIRE_REMOTE=$pulse/pipewire-0  # for the game's own PipeWire layer
  server_pids=$("$server_script" pids "$pulse")
else
  server_pids=$(head -n1 "$pulse/pid")
fi
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

step tone_delay "$build/bench/tone_delay"

# Nanoseconds on a CPU so far, one line per thread of the given processes.
thread_ns() {
  local pid task
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*; do
      [ -r "$task/schedstat" ] && echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat")"
    done
  done
}
# Nanoseconds spent between two thread_ns readings by the threads alive at the
# second (a thread that ended in between would count its whole life negative).
spent_ns() {
  awk 'NR == FNR { before[$1] = $2; next } { s += $2 - before[$1] } END { printf "%d", s }' "$1" "$2"
}

# One row each for the game and the sound server: their CPU share over 20 s, and
# the state the null sink is in (a desktop's server suspends an unused sink).
idle_rows() {
  local condition=$1 game=$2 window=20 game_cpu server_cpu sink
  thread_ns "$game" > "$work/game0"; thread_ns $server_pids > "$work/server0"
  sleep "$window"
  thread_ns "$game" > "$work/game1"; thread_ns $server_pids > "$work/server1"
  game_cpu=$(spent_ns "$work/game0" "$work/game1"); server_cpu=$(spent_ns "$work/server0" "$work/server1")
  sink=$(pactl list sinks short 2>/dev/null | awk '$2 == "tessaly_null" { print $NF }')
  awk -v c="$condition" -v g="$game_cpu" -v s="$server_cpu" -v w="$window" -v sink="$sink" 'BEGIN {
    gp = g / (w * 1e7); sp = s / (w * 1e7)
    printf "Idle CPU, game, %s\t%.3f %%\t<= 0.05 %%\t%s\n", c, gp, (gp <= 0.05 ? "PASS" : "MISS")
    printf "Idle CPU, sound server, %s\t%.3f %% (sink %s)\t<= 0.05 %%\t%s\n", c, sp, sink, (sp <= 0.05 ? "PASS" : "MISS") }' >> "$rows"
}

# The real game, shown and idle: first with no game played yet, then with a game
# left waiting at the player's turn, long enough after its tone for the stream
# to rest (10 s) and the server to suspend the sink (5 s).
echo "bench: idle_cpu ..." >&2
"$build/tessaly" > "$work/idle.out" 2>&1 &
game=$!
sleep 8
idle_rows "before any game" "$game"
board=$(xdotool search --onlyvisible --pid "$game" --name '^Tessaly$' | head -n1)
xdotool windowfocus --sync "$board" key F2
sleep 17
idle_rows "a game waiting for the player" "$game"
kill "$game"; wait "$game" 2>/dev/null
echo "Idle CPU: all threads of the game (build/tessaly under the X server) and of the sound server ($server) from /proc/<pid>/task/*/schedstat over 20 s; the sink's state from pactl at the end. The sound server here suspends a sink 5 s after its last stream went idle, as a desktop's does." >> "$notes"

# The desktop session, 10 runs: a second start while the game runs, to the second's
# exit; then SIGTERM (as a logout sends) to the game's exit after its shut-down.
echo "bench: session ..." >&2
: > "$work/again_ms"; : > "$work/signal_ms"
ms_since() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
for _ in $(seq 10); do
  "$build/tessaly" > /dev/null 2>&1 &
  game=$!
  timeout 20 xdotool search --sync --all --onlyvisible --pid "$game" --name '^Tessaly$' > /dev/null
  t0=$(date +%s%N)
  if "$build/tessaly" > /dev/null 2>&1; then ms_since "$t0" >> "$work/again_ms"; else echo 999999 >> "$work/again_ms"; fi
  t0=$(date +%s%N)
  kill -TERM "$game"
  if wait "$game"; then ms_since "$t0" >> "$work/signal_ms"; else echo 999999 >> "$work/signal_ms"; fi
done
session_row() {
  sort -n "$2" | awk -v m="$1" -v t="$3" '{ v[NR] = $1 } END {
    printf "%s\t%d ms median, %d ms worst\t<= %d ms\t%s\n", m, v[int((NR + 1) / 2)], v[NR], t, (v[NR] <= t ? "PASS" : "MISS") }' >> "$rows"
}
session_row "Second start to its exit, the game running" "$work/again_ms" 500
session_row "SIGTERM to the game's exit" "$work/signal_ms" 1000
echo "Session: 10 runs each; a second start counts from the shell's fork to its exit (status 0, having asked the running game to show itself); SIGTERM from kill to the game's exit with status 0 after its shut-down wrote the settings. A run that ended otherwise counts as 999999 ms." >> "$notes"

elapsed=$(( $(date +%s) - started ))

# One table, columns sized to their widest entry.
echo
echo "Tessaly benchmarks on $server, $(date '+%Y-%m-%d %H:%M'), build $(basename "$build"), $(nproc) CPUs, load average at start $load1 $load5 $load15, took ${elapsed} s"
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
