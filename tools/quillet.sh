#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine (as root) and builds Quillet, then runs the program or the tests.
#   bash tools/quillet.sh run    build and start Quillet
#   bash tools/quillet.sh test   build and run every test
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-run}
build_dir=${QUILLET_BUILD_DIR:-build}

# The private headers let a test switch the accessibility layer on as a screen reader does.
# Noto covers the Indic scripts (Devanagari and the rest), which the tests type too.
# The sync keeps its password in the desktop's keyring and its state in SQLite.
packages=(g++ make cmake ccache qt6-base-dev qt6-base-private-dev qt6-multimedia-dev qtkeychain-qt6-dev libqt6sql6-sqlite
          fonts-dejavu-core fonts-noto-core)
case "$what" in
  # Fonts for Chinese, Japanese and Korean and for emoji, so every script typed shows.
  run) packages+=(libical-dev pkg-config xdg-utils xvfb xauth pulseaudio qt6-gtk-platformtheme fonts-wqy-microhei
                  fonts-noto-color-emoji) ;;
  # lintian checks the Debian package the build makes (cpack needs dpkg-dev).
  test) packages+=(libical-dev pkg-config python3 python3-icalendar python3-vobject python3-radicale xvfb xauth openbox xdotool
                   dbus dpkg-dev lintian) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  # Right after a machine starts, another apt often holds its locks for a while: wait for them.
  # dpkg's lock is waited for by apt itself; the package lists' lock only by trying again.
  apt_get() {
    local tries=0 errors
    errors=$(mktemp)
    until "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
          apt-get -o DPkg::Lock::Timeout=600 "$@" 2>"$errors"; do
      cat "$errors" >&2
      if ! grep -q 'Could not get lock' "$errors" || [ $((tries += 1)) -gt 120 ]; then
        rm -f "$errors"; return 1
      fi
      echo "Waiting for another package manager to finish..." >&2
      sleep 5
    done
    cat "$errors" >&2; rm -f "$errors"
  }
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$what" = test ]; then
  cmake --build "$build_dir" -j"$(nproc)"
  exec ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
fi
# Only the program: the tests are built by the test command.
cmake --build "$build_dir" -j"$(nproc)" --target quillet

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Quillet on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$build_dir/quillet/quillet"
fi
exec "$build_dir/quillet/quillet"
