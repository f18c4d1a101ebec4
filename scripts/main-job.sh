#!/usr/bin/env bash
# The main job: builds the 32-bit release Quorvane.exe with its stand-in client (and the
# x86_64 build, which runs in its place where 32-bit code cannot run), then makes one
# normal run on 64-bit Windows under Wine in a virtual screen and prints its transcript.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in win32 win64; do
  cmake --preset "$preset" --no-warn-unused-cli -DPython3_EXECUTABLE=/usr/bin/python3 >/dev/null
  cmake --build "build/$preset" -j"$(nproc)"
done
QUORVANE_SETUP=wow64 /usr/bin/python3 tests/e2e/main_job.py build/main-job
