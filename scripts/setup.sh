#!/usr/bin/env bash
# Installs what the game needs (Debian packages), then configures and builds
# the given preset. Quick when everything is already in place.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-release}"

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev libfreetype-dev qt6-base-dev libgl-dev
  libsdl2-dev libfluidsynth-dev timgm6mb-soundfont
  fonts-ipafont-gothic
  clang libclang-rt-14-dev
  zlib1g-dev dpkg-dev desktop-file-utils man-db
)
# Debian's checks of the package, which the install tests run: for the
# package itself, and for the release build that CI tests.
case "$preset" in
  package|release) packages+=(lintian appstream) ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
