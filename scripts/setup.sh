#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing SKARVEX need.
# Only missing packages are installed; when not root, prints the exact command and stops.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  fonts-dejavu-core fontconfig
  xvfb xauth xdotool
  dpkg-dev file desktop-file-utils appstream groff-base shared-mime-info libxml2-utils python3
  zlib1g-dev libseccomp-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "Some packages are missing. Install them with:" >&2
  echo "sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
