#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing. A package index
# that cannot be fetched is not fatal: only a needed package that cannot be installed is, and it
# is named. The 32-bit Wine is not among them: scripts/setup-x86-emulation.sh brings its own.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ googletest libgtest-dev python3-olefile
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libwine-dev
          wine64 xvfb x11-utils imagemagick fonts-wine)
# The template library and its second reader, the installers and their reader, the manual and
# its checks.
packages+=(pkg-config libicu-dev libgsf-1-dev libemail-outlook-message-perl libemail-address-perl
           nsis wixl msitools rst2pdf fonts-dejavu-core fonts-dejavu-extra poppler-utils)
# Signing the builds, and the throw-away certificate of its check.
packages+=(osslsigncode openssl)
# clang's libFuzzer and sanitizers, for the fuzz targets.
packages+=(clang libclang-rt-14-dev)
# The root that holds the 32-bit Wine, and the emulator where the kernel cannot run it.
packages+=(debootstrap)
bash scripts/x86-kernel.sh || packages+=(qemu-user-static)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"

# A mirror caught mid-sync serves an index of the wrong size for a while: try again after a pause,
# then go on with whatever indexes did arrive.
for attempt in 1 2 3 4; do
    apt-get update -qq && break
    if [ $attempt -eq 4 ]; then
        echo "install-packages: some package indexes could not be fetched; installing from the rest" >&2
    else
        sleep $((attempt * 5))
    fi
done

export DEBIAN_FRONTEND=noninteractive
if apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    exit 0
fi
# One package that cannot be had makes apt refuse them all: install the others, name that one.
uninstallable=()
for package in "${missing[@]}"; do
    apt-get install -y -qq --no-install-recommends "$package" >/dev/null 2>&1 || uninstallable+=("$package")
done
if [ ${#uninstallable[@]} -gt 0 ]; then
    echo "install-packages: cannot install ${uninstallable[*]}" >&2
    exit 1
fi
