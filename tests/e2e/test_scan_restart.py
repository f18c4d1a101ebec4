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
            m.show_entry([BUILTIN[0]], delay_ms=9000)
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

            events = dict(m.events())
            start = int(events["start"]["time"]) / 1000.0
            click = int(events["click"]["time"]) / 1000.0
            self.assertEqual(events["click"]["cursor"], "214,109")
            # 6 s to the first probe, then eleven misses of 3 s and no pause at the restart.
            self.assertGreater(click - start, 3 + 33 - 0.5)
            self.assertLess(click - start, 3 + 33 + 2.5)


if __name__ == "__main__":
    unittest.main()
