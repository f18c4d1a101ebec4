#!/usr/bin/env python3
"""Footprint figures: the stripped i686 exe and its imports, then CPU time and peak
resident memory of the release exe on 64-bit Windows (WoW64) under Wine over 60 s of a
scan where nothing matches, next to an i686 console program that only sleeps, measured
side by side. Run from the top folder after the builds: footprint.py [SECONDS]"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
import harness  # noqa: E402
import main_job  # noqa: E402


TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User and system time of one process so far (children not included)."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def peak_rss_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60
    exe = os.path.join(os.environ.get("QUORVANE_BUILD32", "build/win32"), "Quorvane.exe")
    imports = subprocess.run(["i686-w64-mingw32-objdump", "-p", exe], capture_output=True,
                             text=True).stdout
    dlls = [l.split(":", 1)[1].strip() for l in imports.splitlines() if "DLL Name:" in l]

    main_job.make_prefix_for_setup()
    setup = harness.SETUP
    print(setup.describe())
    probe = harness.gbk(harness.probe_line(214, 109, harness.BACKGROUND_KEY))
    with harness.Machine("footprint") as m:
        m.install_client()  # the entry never shows: the scan misses for ever
        quorvane = m.start()
        sleeper = subprocess.Popen(
            [setup.loader, setup.program("sleeper.exe")],
            env=m.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        m.started.append(sleeper)
        # The measured span starts with the first probe: start-up is counted apart.
        deadline = time.time() + 60
        while probe not in m.background_output() and time.time() < deadline:
            time.sleep(0.1)
        procs = {"%s (scan, no match)" % os.path.relpath(setup.exe): quorvane,
                 "%s (only sleeps)" % os.path.relpath(setup.program("sleeper.exe")): sleeper}
        before = {name: cpu_seconds(p.pid) for name, p in procs.items()}
        time.sleep(seconds)
        figures = {}
        for name, p in procs.items():
            alive = p.poll() is None
            total = cpu_seconds(p.pid) if alive else float("nan")
            figures[name] = (total - before[name], total, peak_rss_mib(p.pid) if alive else 0.0, alive)

    size = os.path.getsize(exe)
    print("| measure | value |")
    print("|---|---|")
    print("| i686 Quorvane.exe, stripped | %d bytes (%.1f KiB; goal 64 KiB) |" % (size, size / 1024.0))
    print("| its DLL imports | %s |" % ", ".join(dlls))
    for name, (window, total, rss, alive) in figures.items():
        print("| %s: CPU over %.0f s | %.2f s%s |" % (name, seconds, window, "" if alive else " (ended early!)"))
        print("| %s: CPU including start-up | %.2f s |" % (name, total))
        print("| %s: peak resident memory | %.1f MiB |" % (name, rss))
    (q, _, _, _), (z, _, _, _) = figures.values()
    # Clock ticks are 10 ms: a sleeper that used none counts as one tick.
    print("| CPU ratio over %.0f s, Quorvane / sleeper | %.2f (goal 2 or less) |"
          % (seconds, q / max(z, 1.0 / TICK)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
