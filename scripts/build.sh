#!/usr/bin/env bash
# Builds the host unit tests, the x86_64 build the end-to-end tests run, and the 32-bit
# product (build/win32/Quorvane.exe).
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's python3 has pefile; a python3 earlier on PATH may not.
py=(--no-warn-unused-cli -DPython3_EXECUTABLE=/usr/bin/python3)
for preset in host win64 win32; do
  cmake --preset "$preset" "${py[@]}" >/dev/null
  cmake --build "build/$preset" -j"$(nproc)"
done
