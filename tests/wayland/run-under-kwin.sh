#!/bin/sh
# Runs a program inside a headless KWin Wayland session with XWayland, on a
# session bus of its own:
#   run-under-kwin.sh PROGRAM [ARGS...]
# MASCOT_KWIN_SCALE=2 scales the output, and XWayland with it as a Plasma
# session set to scale X11 programs themselves does: X11 coordinates are
# device pixels, and X11 programs are told the screen's dots per inch.
# The program gets WAYLAND_DISPLAY, DISPLAY (XWayland), XDG_RUNTIME_DIR,
# DBUS_SESSION_BUS_ADDRESS, XDG_SESSION_TYPE=wayland and
# XDG_CURRENT_DESKTOP=KDE; the script exits with its status. KWin's output
# goes to standard error when the program fails.
set -u

kwin=$(command -v kwin_wayland 2>/dev/null)
if [ -z "$kwin" ]; then
  echo "kwin_wayland is not installed: skipping the KWin tests (scripts/install-deps.sh installs it)."
  exit 0
fi

if [ "${MASCOT_KWIN_INSIDE:-}" = 1 ]; then
  # Inside the session: KWin started this.
  export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE
  if [ -n "${MASCOT_KWIN_SCALE:-}" ]; then
    echo "Xft.dpi: $((96 * MASCOT_KWIN_SCALE))" | xrdb -merge
  fi
  set --
  while IFS= read -r argument; do set -- "$@" "$argument"; done <"$MASCOT_KWIN_WORK/command"
  # KWin's own output is its log; the program's is kept apart.
  "$@" >"$MASCOT_KWIN_WORK/output" 2>&1
  echo $? >"$MASCOT_KWIN_WORK/status"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
# The installed binary may carry file capabilities that a container refuses
# to run; a copy has none.
cp "$kwin" "$work/kwin_wayland"
mkdir -m 700 "$work/runtime"
# KWin's settings of its own: none but the scale.
mkdir "$work/config"
if [ -n "${MASCOT_KWIN_SCALE:-}" ]; then
  printf '[Xwayland]\nScale=%s\n' "$MASCOT_KWIN_SCALE" >"$work/config/kwinrc"
fi
printf '%s\n' "$@" >"$work/command"

# KWin runs this script again once it and XWayland are up, and ends with
# it; the command waits in a file, one argument a line.
# The tests read what their scripts print from KWin's log, and may take
# pictures of the screen.
XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" MASCOT_KWIN_INSIDE=1 MASCOT_KWIN_WORK="$work" MASCOT_KWIN_LOG="$work/kwin.log" \
  KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
  dbus-run-session -- "$work/kwin_wayland" --virtual --xwayland --width "${MASCOT_KWIN_WIDTH:-1280}" \
    --height "${MASCOT_KWIN_HEIGHT:-800}" ${MASCOT_KWIN_SCALE:+--scale "$MASCOT_KWIN_SCALE"} --socket wayland-mascot \
    --exit-with-session "$(cd "$(dirname "$0")" && pwd)/$(basename "$0")" >"$work/kwin.log" 2>&1
status=$(cat "$work/status" 2>/dev/null || echo 1)
cat "$work/output" 2>/dev/null
if [ "$status" -ne 0 ]; then
  echo "KWin said:" >&2
  cat "$work/kwin.log" >&2
fi
exit "$status"
