#!/usr/bin/env bash
# The main job: builds the 32-bit release Quorvane.exe with its stand-in client (and the
# x86_64 build), then makes one normal run of the release exe on 64-bit Windows (WoW64)
# under Wine in a virtual screen and prints its transcript. Where the kernel refuses
# 32-bit code, the release exe runs under emulation (qemu-i386, tests/e2e/emulated.sh),
# which took 11 minutes here (each start of a 32-bit program takes 1.5 to 2 minutes);
# without qemu, the x86_64 build runs in its place and the transcript says so.
# QUORVANE_EMULATE=1 takes the emulated road on a machine that runs 32-bit code too.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in win32 win64; do
  cmake --preset "$preset" --no-warn-unused-cli -DPython3_EXECUTABLE=/usr/bin/python3 >/dev/null
  cmake --build "build/$preset" -j"$(nproc)"
done
setup=wow64
runner=(/usr/bin/python3)
if tests/e2e/emulated.sh --check; then
  why="this machine's kernel refuses 32-bit code"
  [ "${QUORVANE_EMULATE:-}" != 1 ] || why="QUORVANE_EMULATE=1"
  echo "main job: $why; the release exe runs under emulation (qemu-i386), which takes about 11 minutes (1.5 to 2 minutes for each of five program starts)"
  setup=emulated
  runner=(tests/e2e/emulated.sh)
fi
start=$(date +%s)
status=0
QUORVANE_SETUP=$setup "${runner[@]}" tests/e2e/main_job.py build/main-job || status=$?
echo "main job: $(($(date +%s) - start)) s"
exit "$status"
