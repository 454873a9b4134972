#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kartela and builds it into build/bin.
# Installs the Debian packages the build needs when they are missing (as root,
# or through sudo), then configures and builds.
#
#   scripts/setup.sh [extra CMake options]
#       builds the programs and what they load (base maps, help, pictograms)
#   scripts/setup.sh --with-test-tools [extra CMake options]
#       also installs the programs the tests open our files with (LibreOffice,
#       Inkscape, librsvg, CUPS with a PDF printer, poppler) and builds
#       everything: the tests and the benchmarks too
#   scripts/setup.sh --packages-only [packages]
#       only installs the build's packages and the ones named
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-ipafont-mincho fonts-ipafont-gothic
  nlohmann-json3-dev libproj-dev proj-data libuemf-dev libpng-dev
  shared-mime-info desktop-file-utils appstream-util dpkg-dev
  libgdal-dev gdal-bin
  poppler-utils
  libfile-mimeinfo-perl
  file
)

# What the tests open our files with and print through.
TEST_TOOLS=(
  libreoffice-draw-nogui inkscape librsvg2-bin
  cups cups-client printer-driver-cups-pdf
)

missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      echo "$package"
  done
}

install_packages() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

if [ "${1:-}" = "--packages-only" ]; then
  shift
  install_packages "${PACKAGES[@]}" "$@"
  exit 0
fi

targets=(--target kartela_programs)
if [ "${1:-}" = "--with-test-tools" ]; then
  shift
  PACKAGES+=("${TEST_TOOLS[@]}")
  targets=()
fi

install_packages "${PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build "${targets[@]}"
