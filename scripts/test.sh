#!/usr/bin/env bash
# Builds everything and runs every test: static analysis, host unit tests (plain and
# under ASan/UBSan), the fuzz targets for a bounded time, the check of the 32-bit exe and
# of the guide in the release zip, and the end-to-end tests under Wine (side by side).
# Ends with the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh

# The code is C-like on purpose, so C-style casts are not findings.
cppcheck --quiet --enable=warning,style,performance,portability --error-exitcode=1 \
  --std=c++17 --suppress=missingIncludeSystem --suppress=cstyleCast -I . -D_WIN32 \
  app client journal probe setup support tests/standin tests/fuzz

seconds() { date +%s.%N; }
t0=$(seconds)
ctest --test-dir build/host --output-on-failure
t1=$(seconds)
cmake --preset host-asan >/dev/null
cmake --build build/host-asan -j"$(nproc)"
ctest --test-dir build/host-asan --output-on-failure
scripts/fuzz.sh 45
/usr/bin/python3 tests/artifact/check_pe.py build/win32/Quorvane.exe
# The zip as users get it: its guide must read well in Notepad and say all the guide says.
scripts/package.sh build/package build/dist >/dev/null
guide=$(/usr/bin/python3 tests/artifact/check_guide_text.py build/dist/Quorvane-1.1-win32.zip \
  docs/user-guide.zh-CN.md) || { echo "$guide"; exit 1; }
echo "$guide"
task=$(/usr/bin/python3 tests/artifact/check_task.py build/dist/Quorvane-1.1-win32.zip) || { echo "$task"; exit 1; }
echo "$task"
t4=$(seconds)
repro=$(tests/artifact/reproducible.sh) || { echo "$repro"; exit 1; }
echo "$repro"
t5=$(seconds)
results=build/win32/tests/e2e/results.jsonl
rm -f "$results"
t2=$(seconds)
e2e_status=0
# The end-to-end tests spend most of their time in the program's own sleeps (3 s per
# step, 10 s at the end), so three run side by side per core.
jobs=$(( $(nproc) * 3 ))
ctest --test-dir build/win32 --output-on-failure -j"$jobs" || e2e_status=$?
t3=$(seconds)

exe=build/win32/Quorvane.exe
host_count=$(ctest --test-dir build/host -N | sed -n 's/^Total Tests: //p')
e2e_count=$(ctest --test-dir build/win32 -N | sed -n 's/^Total Tests: //p')
span() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }
echo
echo "== figures"
size=$(stat -c %s $exe)
echo "i686 Quorvane.exe (stripped): $size bytes ($(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1024 }') KiB)"
echo "DLL imports: $(i686-w64-mingw32-objdump -p $exe | sed -n 's/^\tDLL Name: //p' | paste -sd' ')"
echo "host unit tests: $host_count, $(span "$t0" "$t1") s"
echo "reproducibility test: $(span "$t4" "$t5") s"
echo "$repro"
echo "$guide"
echo "$task"
. scripts/debian13-folder.sh
deb13=$DEBIAN13
if [ -e "$deb13/.quorvane-ready" ]; then
  echo "Debian 13 folder for the scaled set-ups: $deb13, $(cat "$deb13/.quorvane-ready"), $(du -sh "$deb13" | cut -f1) on disk"
else
  echo "Debian 13 folder for the scaled set-ups: not made ($deb13)"
fi
echo "end-to-end: $e2e_count CTest tests (the five prefix set-ups included), $(span "$t2" "$t3") s wall at -j$jobs"
/usr/bin/python3 tests/e2e/summary.py "$results" || e2e_status=1
exit "$e2e_status"
