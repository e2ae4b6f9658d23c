#!/bin/sh
# Runs a test program on a private X server with a window manager:
#   run-under-xvfb.sh PROGRAM [ARGS...]
set -u

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: skipping the desktop tests (scripts/install-deps.sh installs it)."
  exit 0
fi
if ! command -v openbox >/dev/null 2>&1; then
  echo "openbox is not installed (scripts/install-deps.sh installs it)." >&2
  exit 1
fi

work=$(mktemp -d)
xvfb_pid=
wm_pid=
stop() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 1' INT TERM

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
tries=0
while [ ! -s "$work/display" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

# The test program waits for the window manager to announce itself.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!

"$@"
status=$?
if [ "$status" -ne 0 ] && [ -s "$work/openbox.log" ]; then
  echo "openbox said:" >&2
  cat "$work/openbox.log" >&2
fi
exit "$status"
