#!/usr/bin/env bash
# Installs what Brainloft needs to build and run (Debian 12), then configures and builds build/.
# Sourced by run.sh and test.sh.
set -euo pipefail

BRAINLOFT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BRAINLOFT_BUILD="${BRAINLOFT_BUILD:-$BRAINLOFT_ROOT/build}"

brainloft_packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  libjpeg-dev libgif-dev libpng-dev libwmf-dev libemf2svg-dev qt6-svg-dev
  libfluidsynth-dev libasound2-dev timgm6mb-soundfont
  googletest libgtest-dev libbenchmark-dev
  fonts-liberation
  xvfb xdotool x11-apps x11-utils openbox
  poppler-utils
  libcups2-dev cups cups-client
  pipewire wireplumber pipewire-pulse pipewire-alsa pulseaudio-utils dbus-daemon
)

brainloft_install_missing() {
  local missing=()
  local p
  for p in "${brainloft_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  # Another package manager (unattended upgrades, often, on a fresh desktop) may hold the
  # package lock: wait for it, up to ten minutes, and say so.
  if lslocks --noheadings --output PATH 2>/dev/null | grep -qE '^/var/lib/(dpkg/lock(-frontend)?|apt/lists/lock)$'; then
    echo "Another package manager is running; waiting for it to finish (up to 10 minutes)..."
  fi
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
}

brainloft_build() {
  local generator=()
  if command -v ninja >/dev/null 2>&1 && [ ! -f "$BRAINLOFT_BUILD/Makefile" ]; then
    generator=(-G Ninja)
  fi
  cmake -S "$BRAINLOFT_ROOT" -B "$BRAINLOFT_BUILD" "${generator[@]}" "$@"
  cmake --build "$BRAINLOFT_BUILD" --parallel "$(nproc)"
}
