"""The entry shows only while the first round runs: every miss costs 3 s, and after
line 11 the scan starts over with line 1 at once. An empty probe file means the
built-in list."""
import unittest

import harness
from harness import BACKGROUND_KEY, BUILTIN, gbk, normal_run, probe_line


class ScanRestart(unittest.TestCase):
    def test_misses_pause_and_the_round_starts_over(self):
        with harness.Machine("restart") as m:
            m.install_client()
            # The client starts 3 s before the first probe; line 1 misses, then shows.
            m.show_entry([BUILTIN[0]], delay_ms=9000, rect=(300, 200, 400, 300))
            m.write_probe_file("")
            r = m.run(timeout=100)

            probes = "".join(probe_line(x, y, BACKGROUND_KEY) for x, y, *_ in BUILTIN)
            expected = normal_run("找到自定义RGB文件\n", probes + probe_line(214, 109, "25514662"))
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)

            # The first probe follows the placement at once; then eleven misses of 3 s and
            # no pause at the restart. The launch before it is timed by other tests.
            events = m.events()
            placed = next(int(f["time"]) for n, f in events if f.get("rect") == "0,0,930,640")
            self.assertEqual(m.buttons(), harness.click_at("214,109"))
            elapsed = (int(m.clicks()[0]["time"]) - placed) / 1000.0
            self.assertGreater(elapsed, 33 - 0.5)
            self.assertLess(elapsed, 33 + 4)


if __name__ == "__main__":
    harness.main()
