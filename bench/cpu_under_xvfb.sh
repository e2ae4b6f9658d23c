#!/bin/sh
# What the mascot costs while it idles on a desktop: CPU time and peak memory
# of the built program, on a private X server with a window manager and one
# ordinary window to sit on. Builds nothing.
#   bench/cpu_under_xvfb.sh [BUILD_FOLDER]     (default: build/ of this tree)
# MASCOT_BENCH_SECONDS sets the run time (default 30); MASCOT_BENCH_SAMPLE a
# mascot file (default: the first sample with at least 10 frames).
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
seconds=${MASCOT_BENCH_SECONDS:-30}
case $seconds in
  ''|*[!0-9]*) echo "MASCOT_BENCH_SECONDS must be a whole number of seconds." >&2; exit 1 ;;
esac
if [ "$seconds" -lt 5 ]; then seconds=5; fi
program=$build/bin/mascot
tool=$build/bin/mascot-tool

for needed in Xvfb openbox xmessage; do
  if ! command -v "$needed" >/dev/null 2>&1; then
    echo "$needed is not installed (scripts/install-deps.sh installs it)." >&2
    exit 1
  fi
done
if [ ! -x "$program" ] || [ ! -x "$tool" ]; then
  echo "No built program in $build/bin: build the tree first." >&2
  exit 1
fi

frame_count() {
  "$tool" info "$1" 2>/dev/null | grep -cE '^ +[0-9]+\. Image index'
}

sample=${MASCOT_BENCH_SAMPLE:-}
if [ -z "$sample" ]; then
  for file in "$build"/bin/Mascots/*.mascot; do
    [ -f "$file" ] || continue
    if [ "$(frame_count "$file")" -ge 10 ]; then sample=$file; break; fi
  done
fi
if [ -z "$sample" ]; then
  echo "No mascot with at least 10 frames in $build/bin/Mascots." >&2
  exit 1
fi

work=$(mktemp -d)
xvfb_pid=
wm_pid=
target_pid=
mascot_pid=
# SIGTERM first; SIGKILL for a process that keeps running 3 s after it.
stop_one() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null
  tries=0
  while kill -0 "$1" 2>/dev/null && [ "$tries" -lt 30 ]; do
    tries=$((tries + 1))
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
stop() {
  stop_one "$mascot_pid"
  stop_one "$target_pid"
  stop_one "$wm_pid"
  stop_one "$xvfb_pid"
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 1' INT TERM HUP

. "$here/scripts/private_desktop.sh"
start_private_desktop "$work" || exit 1

xmessage -geometry 500x300+200+300 -title Target "The mascot sits on this window." >/dev/null 2>&1 &
target_pid=$!
sleep 1

"$program" "$sample" >"$work/mascot.log" 2>&1 &
mascot_pid=$!

# utime + stime in clock ticks (fields 14 and 15; the name in brackets may hold spaces).
cpu_ticks() {
  sed 's/^.*) //' "/proc/$mascot_pid/stat" | awk '{ print $12 + $13 }'
}

sleep 2
if ! kill -0 "$mascot_pid" 2>/dev/null; then
  echo "The mascot program ended at start:" >&2
  cat "$work/mascot.log" >&2
  exit 1
fi
if ! xwininfo -root -tree | grep -q '"Tovra Mascot"'; then
  echo "The mascot window is not on the screen." >&2
  exit 1
fi
settled=$(cpu_ticks)
sleep $((seconds - 2))
if ! kill -0 "$mascot_pid" 2>/dev/null; then
  echo "The mascot program ended during the run:" >&2
  cat "$work/mascot.log" >&2
  exit 1
fi
total=$(cpu_ticks)
peak=$(awk '/^VmHWM:/ { print $2 " " $3 }' "/proc/$mascot_pid/status")
hz=$(getconf CLK_TCK)

awk -v total="$total" -v settled="$settled" -v hz="$hz" -v seconds="$seconds" -v peak="$peak" \
    -v sample="$sample" -v frames="$(frame_count "$sample")" 'BEGIN {
  printf "mascot: %s (%d frames), %d s on Xvfb with openbox and one target window\n", sample, frames, seconds
  printf "CPU time (utime+stime): %.2f s = %.2f%% of one core over the whole run\n", total / hz, 100 * total / hz / seconds
  printf "after start-up (last %d s): %.2f s = %.2f%% of one core\n", seconds - 2, (total - settled) / hz,
         100 * (total - settled) / hz / (seconds - 2)
  printf "peak memory (VmHWM): %s\n", peak
}'
