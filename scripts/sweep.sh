#!/usr/bin/env bash
# The fault sweep over every shipped scenario: each call the add-in makes into Outlook fails once,
# in turn (docs/simulator.md, "The fault sweep"). Arguments go to quorvel-sweep: without any, every
# fault is injected, as CI does; `--every 8` is a quick sample. Exits with 1 when a run did not hold.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset native --target quorvel-sweep >/dev/null
build/native/quorvel-sweep "$@" tools/simulator/scenarios/*.qvs
