#!/usr/bin/env python3
"""The end-to-end figures per Windows set-up, from the lines the test files wrote:
which exe ran and how (natively, under emulation, or the x86_64 build in place of the
release exe), or why the set-up did not run; how many cases ran, passed, failed and were
skipped, and the wall time from the first file's start to the last one's end.
summary.py RESULTS_FILE"""
import json
import sys


def main():
    try:
        with open(sys.argv[1]) as f:
            records = [json.loads(line) for line in f if line.strip()]
    except FileNotFoundError:
        records = []
    if not records:
        print("end-to-end: no test file reported its figures")
        return 1
    for setup in sorted({r["setup"] for r in records}):
        rows = [r for r in records if r["setup"] == setup]
        ran = sum(r["ran"] for r in rows)
        failed = sum(r["failed"] for r in rows)
        skipped = sum(r["skipped"] for r in rows)
        wall = max(r["end"] for r in rows) - min(r["start"] for r in rows)
        not_run = sorted({r["not_run"] for r in rows if r.get("not_run")})
        if not_run:
            what = "NOT RUN (%s)" % "; ".join(not_run)
        else:
            what = ", ".join(sorted({"%s, %s (%d-bit Windows)" % (r["how"], r["exe"], r["bits"])
                                     for r in rows}))
        print("end-to-end %s: %s; %d files, %d cases: %d passed, %d failed, %d skipped; "
              "%.1f s wall" % (setup, what, len(rows), ran, ran - failed - skipped,
                               failed, skipped, wall))
        for why in sorted({r["fallback"] for r in rows if r["fallback"]}):
            print("  NOTE: not the release exe: 32-bit Windows programs cannot run on this "
                  "machine (%s)" % why)
    return 0


if __name__ == "__main__":
    sys.exit(main())
