#!/usr/bin/env bash
# Shared set-up of ./run and ./test: install the Debian packages the build needs
# (only those missing; apt-get update once), then configure and build in build/.
# Usage: source it, then call orbel_bootstrap [extra cmake arguments...]
set -euo pipefail

ORBEL_PACKAGES=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libepoxy-dev libstb-dev libopenmpt-dev libvorbis-dev
  libgl1-mesa-dri libegl-mesa0 fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
)

orbel_install_packages() {
  local missing=()
  for p in "${ORBEL_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}"
}

orbel_build() {
  local root build
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  build="${ORBEL_BUILD_DIR:-$root/build}"
  cmake -S "$root" -B "$build" -G Ninja "$@"
  cmake --build "$build" -j "$(nproc)"
}

orbel_bootstrap() {
  orbel_install_packages
  orbel_build "$@"
}
