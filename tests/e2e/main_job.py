#!/usr/bin/env python3
"""The main job: one normal run of Quorvane.exe under Wine against the stand-in client,
from launch to click, with the console transcript shown in UTF-8 and screenshots of the
screen. The release exe on 64-bit Windows unless QUORVANE_SETUP names another set-up.
main_job.py [SCREENSHOT_DIR], from the top folder, after the win32 and win64 builds."""
import os
import shutil
import subprocess
import sys
import time

import harness
import make_prefix
import screens


def make_prefix_for_setup():
    """Makes the prefix the set-up copies, when it is not there yet."""
    make_prefix.make(harness.SETUP.prefix_kind, harness.PREFIXES)


# What each screenshot must show: (x, y, colour) on the screen.
BACKGROUND, ROOM, ROOT = (240, 240, 240), (20, 90, 200), (0, 0, 0)
ENTRY = harness.BUILTIN[2]
PLACED = [(ENTRY[0], ENTRY[1], tuple(ENTRY[2:])), (0, 0, BACKGROUND), (360, 200, (220, 50, 50)), (929, 639, BACKGROUND),
          (930, 300, ROOT), (400, 640, ROOT)]
ENTERED = [(100, 500, ROOM), (ENTRY[0], ENTRY[1], ROOM), (929, 639, ROOM), (930, 300, ROOT)]


def check_screen(path, expected):
    """The points of expected whose colour differs in the screenshot at path."""
    return ["(%d,%d) is %s, want %s" % (x, y, screens.pixel(path, x, y), colour)
            for x, y, colour in expected if screens.pixel(path, x, y) != colour]


def run_main_job(out_dir):
    """One normal run with screenshots of the placed window and of the entered room.
    Returns (result, clicks, problems)."""
    os.makedirs(out_dir, exist_ok=True)
    problems = []
    with harness.Machine("main") as m:
        m.install_client()
        # The client opens at another place and size; its live-room entry is where the
        # third probe line looks, so the scan misses twice first.
        m.show_entry([ENTRY], rect=(200, 150, 640, 480))
        start = time.time()
        p = m.start()
        placed = os.path.join(out_dir, "1-window-placed.png")
        entered = os.path.join(out_dir, "2-live-room-entered.png")
        if m.wait_for_placement(40):
            time.sleep(1)  # the repaint after the move
            screens.capture(m.display, placed)
            problems += ["window placed: " + p for p in check_screen(placed, PLACED)]
        else:
            problems.append("the window was never placed")
        if m.wait_until(lambda ev: any(n == "press" for n, _ in ev), 40):
            time.sleep(1)
            screens.capture(m.display, entered)
            problems += ["room entered: " + p for p in check_screen(entered, ENTERED)]
        else:
            problems.append("no click arrived")
        try:
            rc = p.wait(timeout=30)
        except subprocess.TimeoutExpired:
            p.kill()
            rc = None
        result = harness.Result(rc, m.background_output(), b"", start, time.time())
        # What the family finds on the desktop afterwards: the journal and the picture.
        journal = ""
        if os.path.exists(m.journal_file):
            with open(m.journal_file, "rb") as f:
                journal = f.read().decode("gbk", "replace").replace("\r\n", "\n")
        else:
            problems.append("no class journal on the desktop")
        pictures = m.picture_files()
        if pictures:
            shutil.copy(os.path.join(m.pictures, pictures[-1]),
                        os.path.join(out_dir, "3-picture-" + pictures[-1].rsplit(" ", 1)[1]))
        else:
            problems.append("no picture in the pictures folder")
        return result, m.clicks(), problems, journal


def main():
    out_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/main-job")
    print(harness.SETUP.describe(), flush=True)
    if harness.SETUP.not_run:
        return 1
    make_prefix_for_setup()
    print("Quorvane.exe under Wine against the stand-in client at %s (uninstall record)\n"
          % harness.CLIENT_FOLDER, flush=True)
    r, clicks, problems, journal = run_main_job(out_dir)
    print("---- console transcript (GBK, shown as UTF-8) ----")
    print(r.text, end="")
    print("---- end: exit status %s after %.1f s ----" % (r.rc, r.elapsed))
    for c in clicks:
        print("stand-in client: %s click at %s, window %s" % (c["button"], c["cursor"], c["rect"]))
    print("---- %s on the desktop ----" % harness.JOURNAL)
    print(journal, end="")
    print("screenshots and the run's picture in %s" % out_dir)
    for problem in problems:
        print("problem:", problem)
    ok = r.rc == 0 and len(clicks) == 1 and not problems
    print("main job:", "entered the live room" if ok else "FAILED")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
