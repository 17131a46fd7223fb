#!/usr/bin/env bash
# The main job: set up, build, then play the default Outlook session with the add-in loaded.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
bash scripts/build.sh
build/native/quorvel-sim tools/simulator/scenarios/default.qvs
