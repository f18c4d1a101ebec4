#!/usr/bin/env bash
# The main job: builds the x86_64 Quorvane.exe and the stand-in client, then runs the
# normal run under Wine in a virtual screen and prints its console transcript.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 -DPython3_EXECUTABLE=/usr/bin/python3 >/dev/null
cmake --build build/win64 -j"$(nproc)"
/usr/bin/python3 tests/e2e/main_job.py build/win64 build/main-job
