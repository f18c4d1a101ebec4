#!/usr/bin/env bash
# Footprint benchmark (not a test): prints one table of size, imports, CPU and memory of
# the release exe on 64-bit Windows next to an i686 sleeper.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
QUORVANE_SETUP=wow64 /usr/bin/python3 tests/footprint/footprint.py "${1:-60}"
