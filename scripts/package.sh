#!/usr/bin/env bash
# Makes dist/Quorvane-1.1-win32.zip (the stripped 32-bit exe and the user guide as a
# Notepad-friendly text file) and its SHA-256 checksum file.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win32 >/dev/null
cmake --build build/win32 -j"$(nproc)"
mkdir -p dist
/usr/bin/python3 - <<'PY'
import zipfile

guide = open("docs/user-guide.zh-CN.md", encoding="utf-8").read()
# UTF-8 with a byte-order mark and CR LF: every Notepad since Windows XP shows it right.
guide_bytes = b"\xef\xbb\xbf" + guide.replace("\n", "\r\n").encode("utf-8")

class GbkName(zipfile.ZipInfo):
    # Explorer on Chinese Windows reads names without the UTF-8 flag in code page 936.
    def _encodeFilenameFlags(self):
        return self.filename.encode("gbk"), self.flag_bits

def entry(name):
    info = GbkName(name, (2026, 1, 1, 0, 0, 0))
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0
    return info

with zipfile.ZipFile("dist/Quorvane-1.1-win32.zip", "w") as z:
    z.writestr(entry("Quorvane-1.1/Quorvane.exe"), open("build/win32/Quorvane.exe", "rb").read())
    z.writestr(entry("Quorvane-1.1/使用说明.txt"), guide_bytes)
PY
(cd dist && sha256sum Quorvane-1.1-win32.zip > Quorvane-1.1-win32.zip.sha256)
cat dist/Quorvane-1.1-win32.zip.sha256
