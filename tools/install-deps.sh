#!/usr/bin/env bash
# Installs the Debian packages the console, its tests and benchmarks need, when missing.
# With --console only what configuring and building the console needs, so a first
# start does not wait for the fuzzing compiler; with --package that and what makes
# and checks the Debian package.
set -euo pipefail
packages=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev qt6-base-dev qt6-websockets-dev
  libudev-dev libqrencode-dev xvfb xauth)
case "${1:-}" in
  --console) ;;
  --package) packages+=(dpkg-dev lintian desktop-file-utils appstream) ;;
  # The tests also need fake udev devices, a real browser for the phone page and PDF readers.
  *) packages+=(clang libclang-rt-14-dev umockdev libumockdev-dev chromium chromium-driver python3-selenium poppler-utils) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
