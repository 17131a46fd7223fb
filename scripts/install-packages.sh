#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -euo pipefail

packages=(cmake ninja-build g++ googletest libgtest-dev python3-olefile
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libwine-dev
          wine64 wine32:i386 xvfb x11-utils imagemagick fonts-wine)
# The template library and its second reader, the installer, the manual and its checks.
packages+=(pkg-config libgsf-1-dev libemail-outlook-message-perl libemail-address-perl
           nsis rst2pdf fonts-dejavu-core fonts-dejavu-extra poppler-utils)
# clang's libFuzzer and sanitizers, for the fuzz targets.
packages+=(clang libclang-rt-14-dev)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # The 32-bit Wine that runs the 32-bit DLL comes from the i386 architecture.
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
