#!/bin/bash
# Runs a command inside a headless GNOME Shell session with XWayland and tears
# the session down again; exits with the command's status.
#
#   run-under-gnome-shell.sh PROGRAM [ARGS...]
#
# The command gets WAYLAND_DISPLAY, DISPLAY, XAUTHORITY, XDG_RUNTIME_DIR, HOME
# and the XDG_*_HOME folders (all fresh, on a tmpfs), DBUS_SESSION_BUS_ADDRESS,
# XDG_SESSION_TYPE and XDG_CURRENT_DESKTOP. The screen is one 1280x800 virtual
# monitor, animations are off and the overview the shell opens at start-up is
# closed. When the command fails, the shell's log follows on stderr.
#
#   MASCOT_GNOME_EXTENSION=1    install and enable the program's own extension
#                               before the shell starts. Without it the shell
#                               runs without; note that it loads an extension
#                               installed while it runs only at its next start.
#   MASCOT_GNOME_TEST_DRIVER=1  install and enable the test driver extension
#                               (Move, Minimize, Activate, Screenshot... over
#                               D-Bus, see its extension.js)
#   MASCOT_GNOME_SIZE=WxH       another monitor size
#
# Needs root: the session gets its own mount and PID namespaces, where a
# private system bus and an empty /run/systemd stand in for what a login would
# provide, and which take every process of the session along when they end.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
self="$here/$(basename "$0")"
source_root=$(cd "$here/../.." && pwd)
product_uuid=tovra-mascot@example.tovra_mascot
driver_uuid=gnome-test-driver@example.tovra_mascot

fail() {
    echo "run-under-gnome-shell: $*" >&2
    exit 1
}

case "${MASCOT_GNOME_STAGE:-}" in
"")
    [ $# -gt 0 ] || fail "usage: $0 PROGRAM [ARGS...]"
    [ "$(id -u)" = 0 ] || fail "must run as root (it needs its own mount namespace)"
    for tool in gnome-shell Xwayland dbus-daemon dbus-run-session dconf xprop unshare; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    # In its own PID namespace every process of the session ends when this
    # script does, even when it is killed: no shell or bus service outlives
    # a test that timed out.
    MASCOT_GNOME_STAGE=namespace exec unshare --mount --propagation private \
        --pid --fork --kill-child --mount-proc "$self" "$@"
    ;;

namespace)
    # The shell asks logind for a session when /run/systemd says systemd runs,
    # and gives up without one; an empty /run/systemd makes it go on without.
    [ ! -d /run/systemd ] || mount -t tmpfs -o mode=0755 tmpfs /run/systemd
    # Its own system bus, so that the shell finds one whether or not the
    # machine runs a bus, and never talks to the real one.
    mkdir -p /run/dbus
    mount -t tmpfs -o mode=0755 tmpfs /run/dbus
    [ -s /etc/machine-id ] || dbus-uuidgen --ensure=/etc/machine-id
    # The session lives on a tmpfs that vanishes with the namespace.
    top=$(mktemp -d /tmp/gnome-shell-session.XXXXXX)
    mount -t tmpfs -o mode=0700 tmpfs "$top"
    cleanup() {
        umount -l "$top" 2>/dev/null
        rmdir "$top"
    }
    trap cleanup EXIT
    trap 'exit 130' INT TERM
    mkdir -m 0700 "$top/runtime" "$top/home"
    # What the buses and the services they start print goes to a log: the
    # command's own output stays readable.
    dbus-daemon --system --fork >>"$top/bus.log" 2>&1
    unset DBUS_SYSTEM_BUS_ADDRESS WAYLAND_SOCKET
    status=0
    MASCOT_GNOME_STAGE=session MASCOT_GNOME_TOP="$top" \
        HOME="$top/home" XDG_RUNTIME_DIR="$top/runtime" \
        XDG_CONFIG_HOME="$top/home/.config" XDG_DATA_HOME="$top/home/.local/share" \
        XDG_CACHE_HOME="$top/home/.cache" \
        dbus-run-session -- "$self" "$@" 3>&1 4>&2 >>"$top/bus.log" 2>&1 || status=$?
    exit "$status"
    ;;

session)
    ;;

*)
    fail "unknown stage $MASCOT_GNOME_STAGE"
    ;;
esac

# From here on: inside the namespace, on the private session bus.
exec 1>&3 2>&4 3>&- 4>&-
top=$MASCOT_GNOME_TOP
log="$top/gnome-shell.log"
size=${MASCOT_GNOME_SIZE:-1280x800}
unset MASCOT_GNOME_STAGE MASCOT_GNOME_TOP DISPLAY WAYLAND_DISPLAY XAUTHORITY
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME

extensions=()
install_extension() {  # FOLDER UUID
    mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions"
    cp -r "$1" "$XDG_DATA_HOME/gnome-shell/extensions/$2"
    extensions+=("'$2'")
}
if [ "${MASCOT_GNOME_EXTENSION:-}" = 1 ]; then
    install_extension "$source_root/resources/compositor/gnome-shell/$product_uuid" "$product_uuid"
fi
if [ "${MASCOT_GNOME_TEST_DRIVER:-}" = 1 ]; then
    install_extension "$here/$driver_uuid" "$driver_uuid"
fi

# Settings go straight into the user's dconf database before the shell reads
# them. The welcome dialog ("take the tour") is a window of its own that would
# stand in front of the test's windows; notification banners (a session as
# root gets one) cover the top of the screen; the screen must never blank or
# lock during a long test.
mkdir -p "$top/dconf"
{
    echo "[org/gnome/shell]"
    echo "enabled-extensions=@as [$(IFS=,; echo "${extensions[*]-}")]"
    echo "disable-user-extensions=false"
    echo "welcome-dialog-last-shown-version='999'"
    echo "[org/gnome/desktop/interface]"
    echo "enable-animations=false"
    echo "[org/gnome/desktop/session]"
    echo "idle-delay=uint32 0"
    echo "[org/gnome/desktop/screensaver]"
    echo "lock-enabled=false"
    echo "idle-activation-enabled=false"
    echo "[org/gnome/desktop/notifications]"
    echo "show-banners=false"
} >"$top/dconf/settings"
mkdir -p "$XDG_CONFIG_HOME/dconf"
dconf compile "$XDG_CONFIG_HOME/dconf/user" "$top/dconf"

# The installed binary may carry file capabilities that a container refuses
# to execute; a copy has none.
mkdir "$top/bin"
cp /usr/bin/gnome-shell "$top/bin/gnome-shell"

shell_pid=
stop_shell() {
    if [ -n "$shell_pid" ] && kill -0 "$shell_pid" 2>/dev/null; then
        kill "$shell_pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$shell_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$shell_pid" 2>/dev/null || true
    fi
}
show_log() {
    echo "run-under-gnome-shell: $*; the shell's log:" >&2
    cat "$log" >&2
    echo "run-under-gnome-shell: the buses' log:" >&2
    cat "$top/bus.log" >&2
}
trap stop_shell EXIT
trap 'exit 130' INT TERM

start_time=$(date +%s.%N)
"$top/bin/gnome-shell" --headless --wayland --virtual-monitor "$size" >"$log" 2>&1 &
shell_pid=$!
# It may crash on its way out; that is no failure of the command, and bash
# should not report it.
disown "$shell_pid"

# Waits up to SECONDS for a shell command to succeed.
wait_for() {  # SECONDS WHAT COMMAND...
    local seconds=$1 what=$2
    shift 2
    local deadline=$(($(date +%s) + seconds))
    until "$@" >/dev/null 2>&1; do
        if ! kill -0 "$shell_pid" 2>/dev/null; then
            show_log "the shell stopped while waiting for $what"
            exit 1
        fi
        if [ "$(date +%s)" -ge "$deadline" ]; then
            show_log "no $what after $seconds s"
            exit 1
        fi
        sleep 0.1
    done
}

shell_property() {  # NAME
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties.Get org.gnome.Shell "$1"
}
overview_hidden() {
    [ "$(shell_property OverviewActive)" = "(<false>,)" ]
}
started() {
    grep -q "GNOME Shell started at" "$log"
}
xwayland_answers() {
    local file
    DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log")
    [ -n "$DISPLAY" ] || return 1
    for file in "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*; do
        [ -s "$file" ] || return 1
        XAUTHORITY=$file DISPLAY=$DISPLAY xprop -root _XKB_RULES_NAMES >/dev/null 2>&1 || return 1
        export DISPLAY XAUTHORITY=$file
        return 0
    done
    return 1
}

# Mutter starts XWayland together with the shell when no systemd user
# session is there to start it on demand.
wait_for 60 "GNOME Shell start-up" started
xwayland_answers || wait_for 20 "XWayland" xwayland_answers
for socket in "$XDG_RUNTIME_DIR"/wayland-[0-9]*; do
    case $socket in *.lock) ;; *) export WAYLAND_DISPLAY=${socket##*/}; break ;; esac
done
[ -n "${WAYLAND_DISPLAY:-}" ] || { show_log "no Wayland socket"; exit 1; }

# A session starts in the overview. The shell's OverviewActive property can
# be set by any client, unlike its other calls.
gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive "<false>" >/dev/null || true
wait_for 10 "closed overview" overview_hidden

if [ "${MASCOT_GNOME_TEST_DRIVER:-}" = 1 ]; then
    wait_for 10 "test driver" gdbus call --session --dest org.freedesktop.DBus \
        --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.GetNameOwner example.tovra_mascot.TestDriver
fi
echo "run-under-gnome-shell: ready after $(awk "BEGIN { printf \"%.1f\", $(date +%s.%N) - $start_time }") s" \
    "(WAYLAND_DISPLAY=$WAYLAND_DISPLAY DISPLAY=$DISPLAY)" >&2

status=0
"$@" || status=$?
if ! kill -0 "$shell_pid" 2>/dev/null; then
    show_log "the shell stopped before the command ended"
    [ "$status" != 0 ] || status=1
elif [ "$status" != 0 ]; then
    # What the extensions logged often tells why a test failed.
    echo "run-under-gnome-shell: the command failed ($status); the shell's log:" >&2
    cat "$log" >&2
fi
exit "$status"
