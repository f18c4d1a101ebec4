"""The whole normal run through the launcher road: the client installed under a folder
with parentheses, its window started elsewhere, the entry showing at once."""
import unittest

import harness
from harness import BUILTIN, gbk, normal_run, probe_line


class LaunchAndClick(unittest.TestCase):
    def test_first_probe_matches_at_once(self):
        with harness.Machine("launch") as m:
            m.install_client()
            # At its final size: the X server carries the painted entry along with the
            # move, so the first probe right after the placement can find it.
            m.show_entry([BUILTIN[0]], rect=(300, 200, 930, 640))
            r = m.run(timeout=60)

            expected = normal_run("未找到自定义RGB文件\n", probe_line(214, 109, "25514662"))
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)
            # One press and its release, at the probe point, after the window was placed.
            self.assertEqual(m.buttons(), harness.click_at("214,109"))
            clicks = m.clicks()
            self.assertEqual(clicks[0]["rect"], "0,0,930,640")
            # Launch 3 s + 3 s, no pause before the match; the run ends 10 s after the click.
            self.assertLess(r.elapsed, 16 + 6, r.elapsed)
            after_click = r.ended - int(clicks[0]["time"]) / 1000.0
            self.assertGreaterEqual(after_click, 10, after_click)
            self.assertLess(after_click, 10 + 4, after_click)


if __name__ == "__main__":
    harness.main()
