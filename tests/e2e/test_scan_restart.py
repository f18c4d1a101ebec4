"""The entry shows only while the first round runs: every miss costs 3 s, and after
line 11 the scan starts over with line 1 at once. An empty probe file means the
built-in list."""
import os
import unittest

import harness
from harness import BACKGROUND_KEY, BUILTIN, CLIENT_FOLDER, USAGE, diagnostics, gbk, probe_line


class ScanRestart(unittest.TestCase):
    def test_misses_pause_and_the_round_starts_over(self):
        with harness.Machine("restart") as m:
            m.install_client()
            # The client starts 3 s before the first probe; line 1 misses, then shows.
            m.show_entry([BUILTIN[0]], delay_ms=9000, rect=(300, 200, 400, 300))
            os.makedirs(m.desktop, exist_ok=True)
            open(m.probe_file, "wb").close()
            r = m.run(timeout=100)

            probes = "".join(probe_line(x, y, BACKGROUND_KEY) for x, y, *_ in BUILTIN)
            launch = '"%s\\DingtalkLauncher.exe"' % CLIENT_FOLDER
            expected = (USAGE + "获取钉钉窗口句柄成功\n找到钉钉进程\n移动钉钉窗口到左上角\n"
                        "找到自定义RGB文件\n" + diagnostics(launch) + probes +
                        probe_line(214, 109, "25514662") + "完成\n")
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)

            # The first probe follows the placement at once; then eleven misses of 3 s and
            # no pause at the restart. The launch before it is timed by other tests.
            events = m.events()
            placed = next(int(f["time"]) for n, f in events if f.get("rect") == "0,0,930,640")
            click = next(f for n, f in events if n == "click")
            self.assertEqual(click["cursor"], "214,109")
            elapsed = (int(click["time"]) - placed) / 1000.0
            self.assertGreater(elapsed, 33 - 0.5)
            self.assertLess(elapsed, 33 + 2)


if __name__ == "__main__":
    harness.main()
