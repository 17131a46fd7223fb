#!/usr/bin/env bash
# All the tests: set up, build, run the native suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
bash scripts/build.sh
ctest --preset native -j2
bash tests/wine/run_suite.sh
