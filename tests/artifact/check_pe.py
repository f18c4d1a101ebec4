#!/usr/bin/env python3
"""Checks the shipped 32-bit Quorvane.exe without running it (this machine cannot run
32-bit code): PE32 i386 console program, system DLL imports only, the version record
and the manifest. check_pe.py EXE"""
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "msvcrt.dll"}
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


def main():
    problems, dlls = check(sys.argv[1])
    for p in problems:
        print("FAIL:", p)
    if not problems:
        print("ok: PE32 i386 console, imports %s, version 1.0.0.1 / 1.1, manifest asInvoker"
              % ", ".join(sorted(dlls)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
