#!/usr/bin/env bash
# Makes DIST/Quorvane-1.1-win32.zip (the stripped 32-bit exe, a launcher for each command
# word (scripts/launchers.py), the user guide as plain text for Notepad, made by
# scripts/guide_text.py, and the class tasks for Task Scheduler: one class a day, three)
# and its SHA-256 checksum file, from the release exe built in BUILD. The same commit gives the same bytes: the entries' times are
# SOURCE_DATE_EPOCH, by default the time of the last commit that changed what the zip is
# made of (scripts/release-epoch.sh).
# package.sh [BUILD (build/win32)] [DIST (dist)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win32}
dist=${2:-dist}
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(scripts/release-epoch.sh) || exit 1
fi
export SOURCE_DATE_EPOCH
if ! [[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]]; then
  echo "package: SOURCE_DATE_EPOCH must be whole seconds since 1970, not '$SOURCE_DATE_EPOCH'" >&2
  exit 1
fi
cmake -S . -B "$build" --toolchain cmake/toolchain-i686-mingw.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Quorvane -j"$(nproc)" >/dev/null
mkdir -p "$dist"
/usr/bin/python3 - "$build/Quorvane.exe" "$dist/Quorvane-1.1-win32.zip" <<'PY'
import os
import sys
import time
import zipfile

exe, out = sys.argv[1], sys.argv[2]
sys.path.insert(0, "scripts")
import guide_text
import launchers

guide = guide_text.convert(open("docs/user-guide.zh-CN.md", encoding="utf-8").read())
# UTF-8 with a byte-order mark and CR LF: every Notepad since Windows XP shows it right.
guide_bytes = b"\xef\xbb\xbf" + guide.replace("\n", "\r\n").encode("utf-8")
# Task Scheduler's own export is UTF-16 with its mark, which its import and schtasks /XML
# both take; the source is kept as UTF-8 text and says UTF-16 for the file it becomes.
def task_bytes(source):
    task = open(source, encoding="utf-8").read()
    return b"\xff\xfe" + task.replace("\n", "\r\n").encode("utf-16-le")
# Zip times are local calendar times from 1980 on; the commit's UTC time stands for it.
stamp = max(time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6], (1980, 1, 1, 0, 0, 0))

class GbkName(zipfile.ZipInfo):
    # Explorer on Chinese Windows reads names without the UTF-8 flag in code page 936.
    def _encodeFilenameFlags(self):
        return self.filename.encode("gbk"), self.flag_bits

def entry(name):
    info = GbkName(name, stamp)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS: no Unix permissions from the build machine
    info.external_attr = 0
    return info

with zipfile.ZipFile(out, "w") as z:
    z.writestr(entry("Quorvane-1.1/Quorvane.exe"), open(exe, "rb").read(), compresslevel=9)
    z.writestr(entry("Quorvane-1.1/使用说明.txt"), guide_bytes, compresslevel=9)
    for name, data in launchers.files():
        z.writestr(entry("Quorvane-1.1/" + name), data, compresslevel=9)
    z.writestr(entry("Quorvane-1.1/上课任务.xml"), task_bytes("docs/class-task.xml"),
               compresslevel=9)
    z.writestr(entry("Quorvane-1.1/上课任务（一天三节课）.xml"), task_bytes("docs/class-task-3.xml"),
               compresslevel=9)
PY
(cd "$dist" && sha256sum Quorvane-1.1-win32.zip > Quorvane-1.1-win32.zip.sha256)
cat "$dist/Quorvane-1.1-win32.zip.sha256"
