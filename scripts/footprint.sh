#!/usr/bin/env bash
# Footprint benchmark (not a test): prints one table of size, imports, CPU and memory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
/usr/bin/python3 tests/footprint/footprint.py build/win32 build/win64 "${1:-60}"
