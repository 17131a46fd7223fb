#!/usr/bin/env bash
# All the tests: set up, build, run the native suite, then the DLLs under Wine: through COM, and
# their windows on a virtual display (screenshots in build/window_checks/), and both installers.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
# The 32-bit Wine: without it the x86 build's checks are skipped, and say so.
bash scripts/setup-x86-emulation.sh || echo "test: no 32-bit Wine could be set up; the x86 checks are skipped" >&2
bash scripts/build.sh
ctest --preset native -j2
bash tests/signing/check_signing.sh
# The whole fault sweep (about two and a half minutes), then each fuzz target for a short fixed count.
bash scripts/sweep.sh
bash scripts/fuzz.sh
bash tests/wine/run_suite.sh
for arch in x64 x86; do
  bash tests/wine/windows/run_window_checks.sh "build/mingw-$arch" "build/window_checks/$arch"
done
bash tests/wine/installer/run_installer_checks.sh
bash tests/wine/installer/run_msi_checks.sh
bash tests/manual/check_manual.sh
