#!/bin/sh
# What the mascot costs while it idles on a desktop, beside its floor: the
# CPU time of the built program and of a bare shaped window that changes its
# shape 10 times a second and reads the stacking list as often
# (bench_shaped_floor), both running at once on a private X server with a
# window manager, once with each number of ordinary windows open. Also the
# mascot's peak memory. Builds nothing.
#   bench/cpu_under_xvfb.sh [BUILD_FOLDER]     (default: build/ of this tree)
# MASCOT_BENCH_SECONDS sets the time measured per window count (default 20),
# MASCOT_BENCH_WINDOWS the window counts (default "1 40"),
# MASCOT_BENCH_SAMPLE a mascot file (default: the first sample with at least
# 10 frames, made to change its frame every 100 ms as the floor changes its
# shape), MASCOT_TEST_WM the window manager (openbox or mutter).
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
seconds=${MASCOT_BENCH_SECONDS:-20}
counts=${MASCOT_BENCH_WINDOWS:-1 40}
case $seconds in
  ''|*[!0-9]*) echo "MASCOT_BENCH_SECONDS must be a whole number of seconds." >&2; exit 1 ;;
esac
if [ "$seconds" -lt 5 ]; then seconds=5; fi
for count in $counts; do
  case $count in
    ''|*[!0-9]*|0) echo "MASCOT_BENCH_WINDOWS must list window counts of 1 or more." >&2; exit 1 ;;
  esac
done
program=$build/bin/mascot
tool=$build/bin/mascot-tool
floor=$build/bench/bench_shaped_floor

for needed in Xvfb openbox xmessage xprop xdotool; do
  if ! command -v "$needed" >/dev/null 2>&1; then
    echo "$needed is not installed (scripts/install-deps.sh installs it)." >&2
    exit 1
  fi
done
if [ ! -x "$program" ] || [ ! -x "$tool" ] || [ ! -x "$floor" ]; then
  echo "No built program, tool or floor program in $build: build the tree first." >&2
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
if [ -z "${MASCOT_BENCH_SAMPLE:-}" ]; then
  # Every frame 100 ms, through a work file and back.
  "$tool" export "$sample" "$work/sample" >/dev/null || exit 1
  sed -i 's/^\(M[ai][xn]FrameDelay\) = .*/\1 = 100/' "$work"/sample/*.wmascot
  "$tool" publish "$work"/sample/*.wmascot "$work/sample.mascot" >/dev/null || exit 1
  sample=$work/sample.mascot
fi
xvfb_pid=
wm_pid=
mascot_pid=
floor_pid=
window_pids=
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
stop_desktop() {
  stop_one "$mascot_pid"
  stop_one "$floor_pid"
  for pid in $window_pids; do kill "$pid" 2>/dev/null; done
  for pid in $window_pids; do wait "$pid" 2>/dev/null; done
  stop_one "$wm_pid"
  stop_one "$xvfb_pid"
  mascot_pid= floor_pid= window_pids= wm_pid= xvfb_pid=
}
trap 'stop_desktop; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP

. "$here/scripts/private_desktop.sh"

# Time on a CPU in nanoseconds, from the scheduler's own count.
cpu_ns() {
  awk '{ print $1 }' "/proc/$1/schedstat"
}

# Both programs of this window count still run; else their logs.
still_running() {
  if kill -0 "$mascot_pid" 2>/dev/null && kill -0 "$floor_pid" 2>/dev/null; then return 0; fi
  echo "A program ended $1:" >&2
  cat "$work/$count/mascot.log" "$work/$count/floor.log" >&2
  return 1
}

echo "mascot: $sample ($(frame_count "$sample") frames, a frame every 100 ms unless given); ${MASCOT_TEST_WM:-openbox} on Xvfb; $seconds s per window count"
printf '%-8s %14s %14s %8s %12s\n' windows "mascot %core" "floor %core" ratio "mascot peak"
for count in $counts; do
  mkdir -p "$work/$count"
  start_private_desktop "$work/$count" || exit 1
  # The target in front, the other windows spread behind it.
  xmessage -geometry 500x300+200+300 -title Target "The mascot sits on this window." >/dev/null 2>&1 &
  window_pids=$!
  i=1
  while [ "$i" -lt "$count" ]; do
    xmessage -geometry 300x120+$(( (i * 37) % 700 ))+$(( 60 + (i * 53) % 500 )) -title "Window $i" "Window $i" \
      >/dev/null 2>&1 &
    window_pids="$window_pids $!"
    i=$((i + 1))
  done
  sleep 2
  # The target to the front again, as a user would have it.
  xdotool search --name '^Target$' windowactivate 2>/dev/null || true
  "$program" "$sample" >"$work/$count/mascot.log" 2>&1 &
  mascot_pid=$!
  "$floor" >"$work/$count/floor.log" 2>&1 &
  floor_pid=$!
  sleep 3
  still_running "at start" || exit 1
  mascot_start=$(cpu_ns "$mascot_pid")
  floor_start=$(cpu_ns "$floor_pid")
  sleep "$seconds"
  still_running "during the run" || exit 1
  mascot_end=$(cpu_ns "$mascot_pid")
  floor_end=$(cpu_ns "$floor_pid")
  peak=$(awk '/^VmHWM:/ { print $2 " " $3 }' "/proc/$mascot_pid/status")
  awk -v m="$((mascot_end - mascot_start))" -v f="$((floor_end - floor_start))" -v s="$seconds" \
      -v n="$count" -v peak="$peak" 'BEGIN {
    printf "%-8d %13.3f%% %13.3f%% %7.2fx %12s\n", n, m / 1e7 / s, f / 1e7 / s, (f > 0 ? m / f : 0), peak
  }'
  stop_desktop
done
