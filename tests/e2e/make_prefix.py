#!/usr/bin/env python3
"""Makes the Wine prefix that every end-to-end test copies: make_prefix.py DIR."""
import os
import shutil
import subprocess
import sys

import harness


def make(target):
    target = os.path.abspath(target)
    stamp = os.path.join(target, ".quorvane-ready")
    if os.path.exists(stamp):
        return 0
    shutil.rmtree(target, ignore_errors=True)
    env = harness.wine_env(target, display=None)
    subprocess.run([harness.WINE, "wineboot", "--init"], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=150)
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


def main():
    make(sys.argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
