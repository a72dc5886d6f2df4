#!/usr/bin/env bash
# Plays 30 s in the real window under Xvfb, with xdotool holding the arrows and
# pressing the space bar, and prints the CPU time the game process used
# (target: at most 5 % of one core). Needs xvfb and xdotool (Debian packages).
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:-build/src/ui/skarvex}
seconds=${SECONDS_OF_PLAY:-30}
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool: sudo apt-get install -y xvfb xdotool" >&2; exit 2; }
done

folder=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $game_pid $xvfb 2>/dev/null || true; rm -rf "$folder"' EXIT
export DISPLAY=$display SDL_AUDIODRIVER=dummy
sleep 1
"$game" --program-folder "$folder" >/dev/null 2>&1 &
game_pid=$!
# No window manager: the keyboard follows the pointer, so park it on the window.
window=$(xdotool search --sync --onlyvisible --name 'SKARVEX' | head -n 1)
xdotool mousemove --window "$window" 400 300
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks)
end_time=$((SECONDS + seconds))
while ((SECONDS < end_time)); do
  for key in Left Right; do
    xdotool keydown "$key"
    for _ in 1 2 3 4; do xdotool key space; sleep 0.25; done
    xdotool keyup "$key"
  done
done
used=$(( $(ticks) - start ))
awk -v t="$used" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "CPU %.2f s in %d s of play: %.1f %% of one core (target <= 5 %%)\n", t / hz, s, 100 * t / hz / s }'
