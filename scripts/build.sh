#!/usr/bin/env bash
# Builds the native tree (tests, simulator, settings template) and both Windows DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

for preset in native mingw-x64 mingw-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

# Each DLL ships with the settings template beside it.
for arch in x64 x86; do
  cp build/native/QuorvelSettings.oft "build/dist/$arch/"
done

# The user manual (with pictures of the windows) and the installer that carries both builds.
bash scripts/package.sh
