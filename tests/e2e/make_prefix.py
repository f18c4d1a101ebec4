#!/usr/bin/env python3
"""Makes the Wine prefix that every end-to-end test of one kind of Windows copies:
make_prefix.py KIND PREFIXES_DIR, KIND one of win64, win32, emulated (a 64-bit prefix
made under qemu, run by tests/e2e/emulated.sh), scaled125 and scaled150 (made by Wine 10
in the Debian 13 folder, run by tests/e2e/debian13.sh, with the display's LogPixels set).
A 64-bit prefix is made after Wine's 32-bit half is installed, so that its syswow64 can
start the 32-bit release exe."""
import os
import shutil
import subprocess
import sys

import harness


# Where Windows keeps the display's DPI; both are read when a program starts.
DPI_KEYS = (r"HKEY_CURRENT_USER\Control Panel\Desktop",
            r"HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts")


def set_log_pixels(env, target, log_pixels):
    path = os.path.join(target, "dpi.reg")
    text = "Windows Registry Editor Version 5.00\r\n" + "".join(
        '\r\n[%s]\r\n"LogPixels"=dword:%08x\r\n' % (key, log_pixels) for key in DPI_KEYS)
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))
    subprocess.run([harness.WINE64, "regedit", "/s", path], env=env, check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.unlink(path)


def make(kind, prefixes):
    if harness.SETUP.not_run:
        print(harness.SETUP.describe())
        return 0
    target = os.path.join(os.path.abspath(prefixes), kind)
    stamp = os.path.join(target, ".quorvane-ready")
    if os.path.exists(stamp):
        return 0
    bits = 32 if kind == "win32" else 64
    why = harness.runs_32bit_code()
    if why and bits == 32:
        # Importing the harness has already refused this under QUORVANE_REQUIRE_32BIT=1.
        print(harness.fallback_line(why))
        return 0
    shutil.rmtree(target, ignore_errors=True)
    os.makedirs(os.path.dirname(target), exist_ok=True)  # Wine makes only the last folder
    env = harness.wine_env(target, None, bits)
    booted = subprocess.run([harness.loader_for(bits), "wineboot", "--init"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            timeout=240 + harness.SETUP.start_slack)
    # With Wine's 32-bit half installed but not runnable, the 32-bit steps of the boot
    # fail; the 64-bit prefix is whole all the same.
    if booted.returncode != 0 and not why:
        raise RuntimeError("wineboot --init failed with status %d" % booted.returncode)
    if kind in harness.SCALED:
        set_log_pixels(env, target, harness.SCALED[kind])
    subprocess.run([harness.WINESERVER, "-w"], env=env, check=True, timeout=60)
    # Wine links the user's folders to the Linux home; every test needs a desktop of its own.
    users = os.path.join(target, "drive_c", "users")
    for user in os.listdir(users):
        for name in os.listdir(os.path.join(users, user)):
            path = os.path.join(users, user, name)
            if os.path.islink(path):
                os.unlink(path)
                os.mkdir(path)
    open(stamp, "w").close()
    return 0


def main():
    return make(sys.argv[1], sys.argv[2])


if __name__ == "__main__":
    sys.exit(main())
