#!/usr/bin/env bash
# Installs what is missing, builds (with the sample mascots) and starts the
# mascot on your display. Without a display it starts a private X server with
# a window manager and one ordinary window, runs the mascot there for a few
# seconds and writes screenshots to build/screenshots/.
#
# Run it as yourself: root is asked for (through sudo) only when packages are
# missing. Started through sudo anyway, it installs as root and then builds
# and runs the program as the user who called sudo, never as root in that
# user's session.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if ! bash scripts/install-deps.sh --check; then
  if [ "$(id -u)" -eq 0 ]; then
    bash scripts/install-deps.sh
  else
    sudo bash scripts/install-deps.sh
  fi
fi
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  # (runuser keeps the environment sudo passed on: the display, if any.)
  exec runuser -u "$SUDO_USER" -- bash "$0" "$@"
fi

bash scripts/build.sh "$root/build" >/dev/null
program="$root/build/bin/mascot"

if [ -n "${WAYLAND_DISPLAY:-}" ] || { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  exec "$program" "$@"
fi

echo "No display: running the mascot on a private X server for a few seconds."
shots="$root/build/screenshots"
mkdir -p "$shots"
work=$(mktemp -d)
xvfb_pid=
wm_pid=
pids=()
cleanup() {
  for p in "${pids[@]}" "$wm_pid" "$xvfb_pid"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

. "$root/scripts/private_desktop.sh"
start_private_desktop "$work"
xmessage -geometry 480x260+270+330 -title "An ordinary window" \
  "The mascot sits on the title bar of the front-most window." >/dev/null 2>&1 & pids+=($!)
# A notification area for the program's icon.
if command -v trayer >/dev/null 2>&1; then
  trayer --edge bottom --widthtype pixel --width 120 --heighttype pixel --height 28 >/dev/null 2>&1 & pids+=($!)
fi
sleep 1
"$program" "$@" & pids+=($!)

# The start picture shows for five seconds, then the mascot alone.
for i in 1 2 3 4; do
  sleep 2
  import -window root "$shots/run-$i.png"
  echo "$shots/run-$i.png"
done
