#!/usr/bin/env python3
"""Makes the Wine prefix that every end-to-end test of one kind of Windows copies:
make_prefix.py win64|win32 PREFIXES_DIR. A 64-bit prefix is made after Wine's 32-bit
half is installed, so that its syswow64 can start the 32-bit release exe."""
import os
import shutil
import subprocess
import sys

import harness


def make(kind, prefixes):
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
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=240)
    # With Wine's 32-bit half installed but not runnable, the 32-bit steps of the boot
    # fail; the 64-bit prefix is whole all the same.
    if booted.returncode != 0 and not why:
        raise RuntimeError("wineboot --init failed with status %d" % booted.returncode)
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
