# Sourced by the scripts that need a desktop of their own: a private X server
# (Xvfb picks a free display itself) with a window manager, openbox unless
# MASCOT_TEST_WM names another one (mutter: GNOME's, compositing).
#   . scripts/private_desktop.sh
#   start_private_desktop WORK_FOLDER || exit 1
# Sets and exports DISPLAY, and sets xvfb_pid and wm_pid for the caller to
# stop; on failure the logs go to standard error.

start_private_desktop() {
  _work=$1
  Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$_work/display" 2>"$_work/xvfb.log" &
  xvfb_pid=$!
  _tries=0
  while [ ! -s "$_work/display" ]; do
    _tries=$((_tries + 1))
    if [ "$_tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "Xvfb did not start:" >&2
      cat "$_work/xvfb.log" >&2
      return 1
    fi
    sleep 0.1
  done
  DISPLAY=:$(head -n 1 "$_work/display")
  export DISPLAY
  unset WAYLAND_DISPLAY

  # Windows mapped before the window manager took over may go unframed.
  case "${MASCOT_TEST_WM:-openbox}" in
    openbox) openbox --sm-disable >"$_work/wm.log" 2>&1 & ;;
    # Without a session bus of its own it would look for one on every start.
    mutter) DBUS_SESSION_BUS_ADDRESS=disabled: mutter --x11 --replace --sm-disable >"$_work/wm.log" 2>&1 & ;;
    *) echo "unknown window manager: $MASCOT_TEST_WM" >&2; return 1 ;;
  esac
  wm_pid=$!
  _tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    _tries=$((_tries + 1))
    if [ "$_tries" -gt 100 ] || ! kill -0 "$wm_pid" 2>/dev/null; then
      echo "${MASCOT_TEST_WM:-openbox} did not start:" >&2
      cat "$_work/wm.log" >&2
      return 1
    fi
    sleep 0.1
  done
}
