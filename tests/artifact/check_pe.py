#!/usr/bin/env python3
"""Checks the shipped 32-bit Quorvane.exe without running it: PE32 i386 console
program, system DLL imports only, the version record, the manifest, the hardening flags
and no link time. check_pe.py EXE"""
import re
import subprocess
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "gdiplus.dll", "advapi32.dll", "shell32.dll",
               "msvcrt.dll"}
EXPECTED_STRINGS = {"FileDescription": "Quorvane", "ProductName": "Quorvane",
                    "FileVersion": "1.1", "ProductVersion": "1.1"}


def check(path):
    problems = []
    pe = pefile.PE(path)
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        problems.append("machine %#x is not i386" % pe.FILE_HEADER.Machine)
    if pe.OPTIONAL_HEADER.Magic != pefile.OPTIONAL_HEADER_MAGIC_PE:
        problems.append("not PE32")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_CUI"]:
        problems.append("subsystem %d is not console" % pe.OPTIONAL_HEADER.Subsystem)

    problems += check_flags(path, pe)

    dlls = {e.dll.decode().lower() for e in pe.DIRECTORY_ENTRY_IMPORT}
    if dlls - SYSTEM_DLLS:
        problems.append("imports non-system DLLs: %s" % sorted(dlls - SYSTEM_DLLS))

    fixed = pe.VS_FIXEDFILEINFO[0]
    for name, ms, ls in (("file", fixed.FileVersionMS, fixed.FileVersionLS),
                         ("product", fixed.ProductVersionMS, fixed.ProductVersionLS)):
        if (ms, ls) != (0x00010000, 0x00000001):
            problems.append("%s version %08x.%08x is not 1.0.0.1" % (name, ms, ls))
    tables = [t for info in pe.FileInfo[0] if info.Key == b"StringFileInfo" for t in info.StringTable]
    if [t.LangID.lower() for t in tables] != [b"080404b0"]:
        problems.append("string tables %s, want 080404b0 (zh-CN, Unicode)" % [t.LangID for t in tables])
    strings = {k.decode(): v.decode() for t in tables for k, v in t.entries.items()}
    for key, value in EXPECTED_STRINGS.items():
        if strings.get(key) != value:
            problems.append("%s is %r, want %r" % (key, strings.get(key), value))

    manifest = None
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]:
            entry = kind.directory.entries[0].directory.entries[0].data.struct
            manifest = pe.get_data(entry.OffsetToData, entry.Size).decode("utf-8")
    if manifest is None:
        problems.append("no manifest")
    else:
        if 'level="asInvoker"' not in manifest or 'uiAccess="false"' not in manifest:
            problems.append("manifest does not ask for asInvoker without UI access")
        for word in ("dpiAware", "dpiAwareness", "compatibility", "dependency"):
            if word in manifest:
                problems.append("manifest declares %s" % word)
    return problems, dlls


def check_flags(path, pe):
    problems = []
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    for name in ("DYNAMIC_BASE", "NX_COMPAT", "TERMINAL_SERVER_AWARE"):
        if not flags & pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_" + name]:
            problems.append("DllCharacteristics %#06x lacks %s" % (flags, name))
    relocs = pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
    if relocs.Size == 0:
        problems.append("DYNAMIC_BASE without a relocation table")
    # NO_SEH is a promise that no code registers a handler through fs:[0].
    if flags & pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_NO_SEH"]:
        code = subprocess.run(["i686-w64-mingw32-objdump", "-d", path], check=True,
                              capture_output=True, text=True).stdout
        if re.search(r"%fs:(0x0|0)\b", code):
            problems.append("NO_SEH is set, but the code uses fs:[0]")
    if pe.FILE_HEADER.TimeDateStamp != 0:
        problems.append("link time %#x in the header: the build is not reproducible"
                        % pe.FILE_HEADER.TimeDateStamp)
    return problems


def main():
    problems, dlls = check(sys.argv[1])
    for p in problems:
        print("FAIL:", p)
    if not problems:
        print("ok: PE32 i386 console, imports %s, version 1.0.0.1 / 1.1, manifest asInvoker, "
              "DllCharacteristics %#06x, no link time"
              % (", ".join(sorted(dlls)), pefile.PE(sys.argv[1]).OPTIONAL_HEADER.DllCharacteristics))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
