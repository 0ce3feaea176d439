#!/usr/bin/env bash
# Sets up a Debian 12 machine (as root) and builds Quillet, then runs the program or the tests.
#   bash tools/quillet.sh run    build and start Quillet
#   bash tools/quillet.sh test   build and run every test
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-run}
build_dir=${QUILLET_BUILD_DIR:-build}

# The private headers let a test switch the accessibility layer on as a screen reader does.
packages=(g++ make cmake ccache qt6-base-dev qt6-base-private-dev qt6-multimedia-dev fonts-dejavu-core)
case "$what" in
  # Fonts for Chinese, Japanese and Korean and for emoji, so every script typed shows.
  run) packages+=(libical-dev pkg-config xdg-utils xvfb xauth pulseaudio qt6-gtk-platformtheme fonts-wqy-microhei
                  fonts-noto-color-emoji) ;;
  test) packages+=(libical-dev pkg-config python3 python3-icalendar python3-vobject xvfb xauth openbox xdotool dbus) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

if [ "$what" = test ]; then
  exec ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Quillet on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$build_dir/quillet/quillet"
fi
exec "$build_dir/quillet/quillet"
