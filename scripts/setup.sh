#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12 or 13, only where it is missing.
set -euo pipefail

packages=(
  g++ clang clang-format cmake make pkg-config python3 git
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libqt6multimedia6
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xdotool x11-apps x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # The setting goes through env, after sudo, whose env_reset would drop it from before.
  apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
  [ "$(id -u)" -eq 0 ] || apt=(sudo "${apt[@]}")
  "${apt[@]}" update -qq
  "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi
