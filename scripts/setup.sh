#!/usr/bin/env bash
# Installs what building and testing the project needs on Debian 12.
set -euo pipefail
packages=(build-essential cmake clang-format libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev qt6-base-dev fonts-dejavu-core
  # the Debian package: dpkg-shlibdeps (CPack finds the programs with
  # file) computes Depends, scdoc the manual pages; the package check runs
  # lintian, the desktop entry and file type checks and man
  dpkg-dev file scdoc lintian desktop-file-utils shared-mime-info libfile-mimeinfo-perl man-db fonts-liberation2
  # the result dialogs' plots: Qt Charts, whose CMake package needs Qt
  # OpenGL's (Debian's qt6-charts-dev does not pull it in)
  qt6-charts-dev libqt6opengl6-dev
  # the fuzz targets: clang and its libFuzzer runtime
  clang libclang-rt-14-dev
  # reports are laid out for Arial: Liberation Sans has its metrics; the
  # drevia-report tests read its PDF files back with poppler
  poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
