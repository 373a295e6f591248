#!/usr/bin/env bash
# Shared set-up of ./run, ./test and .ci/run: install the Debian packages the build
# needs (only those missing; apt-get update once), then configure and build.
#
# ./run and ./test share one configuration in build/ (RelWithDebInfo, warnings as
# errors), so neither rebuilds what the other built: ./run builds only the game and
# its data, ./test everything.
# Usage: source it, then call orbel_install_packages [more packages...],
# orbel_configure [cmake arguments...] and orbel_build [targets...]
# (ORBEL_BUILD_DIR picks another folder).
set -euo pipefail

ORBEL_PACKAGES=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libepoxy-dev libstb-dev libopenmpt-dev libvorbis-dev
  libgl1-mesa-dri libegl-mesa0 fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  desktop-file-utils appstream gettext
)

# What ./test --fuzz needs besides: clang with libFuzzer and its sanitizer runtimes.
ORBEL_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# The configuration ./run and ./test share in build/.
ORBEL_SHARED_CONFIGURATION=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)

# Installs ORBEL_PACKAGES and the packages named, those that are missing.
orbel_install_packages() {
  local missing=()
  for p in "${ORBEL_PACKAGES[@]}" "$@"; do
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

orbel_root() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }

orbel_build_dir() { echo "${ORBEL_BUILD_DIR:-$(orbel_root)/build}"; }

# Configures the build folder; arguments given are added to (or change) its cache.
orbel_configure() {
  cmake -S "$(orbel_root)" -B "$(orbel_build_dir)" -G Ninja "$@"
}

# Builds the targets named (everything when none).
orbel_build() {
  local targets=()
  if [ $# -gt 0 ]; then
    targets=(--target "$@")
  fi
  cmake --build "$(orbel_build_dir)" -j "$(nproc)" "${targets[@]}"
}
