#!/bin/sh
# Runs a test program on a private X server with a window manager:
#   run-under-xvfb.sh PROGRAM [ARGS...]
set -u

if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb is not installed: skipping the desktop tests (scripts/install-deps.sh installs it)."
  exit 0
fi
wm=${MASCOT_TEST_WM:-openbox}
if ! command -v "$wm" >/dev/null 2>&1; then
  echo "$wm is not installed (scripts/install-deps.sh installs it)." >&2
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

. "$(dirname "$0")/../../scripts/private_desktop.sh"
start_private_desktop "$work" || exit 1

"$@"
status=$?
if [ "$status" -ne 0 ] && [ -s "$work/wm.log" ]; then
  echo "$wm said:" >&2
  cat "$work/wm.log" >&2
fi
exit "$status"
