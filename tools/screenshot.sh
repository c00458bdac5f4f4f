#!/usr/bin/env bash
# Takes the README's screenshot: the real game under a private Xvfb, a click on
# New Game, and the window captured while the first light of the game is lit.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
out=${2:-docs/board.png}
cd "$(dirname "$0")/.."
mkdir -p "$(dirname "$out")"
display=:81
config=$(mktemp -d)
tests/fixtures/xvfb.sh start $display
trap 'kill $game 2>/dev/null || true; tests/fixtures/xvfb.sh stop $display; rm -rf "$config"' EXIT
DISPLAY=$display XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb "$build/tessaly" &
game=$!
window=$(DISPLAY=$display xdotool search --sync --onlyvisible --pid $game --name '^Tessaly$' | head -n1)
sleep 0.5
eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"
# The board lies below the menu bar; New Game is at (200, 215) of it.
DISPLAY=$display xdotool mousemove --sync $((X + 200)) $((Y + 240)) click 1
sleep 0.75
DISPLAY=$display import -window "$window" "$out"
echo "wrote $out"
