#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
#   install-deps.sh [--check]
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-14-dev          # libFuzzer and the sanitizers
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev                        # reference CRC-32 for the benchmarks
  libpixman-1-dev                   # regions
  qt6-base-dev                      # the desktop program; PNG output of mascot-tool
  libxcb1-dev libxcb-ewmh-dev       # other applications' windows
  libsdl2-dev                       # the click sound
  x11-utils imagemagick             # the run script without a display: a target window, screenshots
  xvfb openbox xdotool              # desktop tests against a real X server and window manager
  mutter                            # the desktop tests again under GNOME's window manager
  kwin-wayland gnome-shell xwayland dconf-cli qt6-wayland
                                    # Wayland sessions: the real KWin and GNOME Shell, headless, with native windows
  trayer                            # a notification area for the tray icon on that desktop
  dbus-daemon python3-dbus-next     # a private session bus with a StatusNotifierItem watcher
  desktop-file-utils appstream shared-mime-info man-db bash-completion
                                    # checks of the installed menu entry, metainfo, file types, man pages, completion
  dpkg-dev file lintian             # the Debian package: dpkg-shlibdeps, and its check
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# --check: only says, by the exit status, whether anything is missing.
if [ "${1:-}" = "--check" ]; then
  ((${#missing[@]} == 0))
  exit
fi

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages need root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
