# Sourced by the scripts that need a desktop of their own: a private X server
# (Xvfb picks a free display itself) with openbox as its window manager.
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
  openbox --sm-disable >"$_work/openbox.log" 2>&1 &
  wm_pid=$!
  _tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    _tries=$((_tries + 1))
    if [ "$_tries" -gt 100 ] || ! kill -0 "$wm_pid" 2>/dev/null; then
      echo "openbox did not start:" >&2
      cat "$_work/openbox.log" >&2
      return 1
    fi
    sleep 0.1
  done
}
