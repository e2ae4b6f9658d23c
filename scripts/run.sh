#!/usr/bin/env bash
# Installs what is missing, builds (with the sample mascots) and starts the
# mascot on your display. Without a display it starts a private X server with
# a window manager and one ordinary window, runs the mascot there for a few
# seconds and writes screenshots to build/screenshots/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
bash scripts/build.sh "$root/build" >/dev/null
program="$root/build/bin/mascot"

if [ -n "${WAYLAND_DISPLAY:-}" ] || { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  exec "$program" "$@"
fi

echo "No display: running the mascot on a private X server for a few seconds."
shots="$root/build/screenshots"
mkdir -p "$shots"
display=""
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
sleep 1
xmessage -geometry 480x260+270+330 -title "An ordinary window" \
  "The mascot sits on the title bar of the front-most window." >/dev/null 2>&1 & pids+=($!)
sleep 1
"$program" "$@" & pids+=($!)

for i in 1 2 3; do
  sleep 2
  import -window root "$shots/run-$i.png"
  echo "$shots/run-$i.png"
done
