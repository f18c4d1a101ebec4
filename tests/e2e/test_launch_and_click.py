"""The whole normal run through the launcher road: the client installed under a folder
with parentheses, its window started elsewhere, the entry showing at once."""
import unittest

import harness
from harness import BUILTIN, CLIENT_FOLDER, USAGE, diagnostics, gbk, probe_line


class LaunchAndClick(unittest.TestCase):
    def test_first_probe_matches_at_once(self):
        with harness.Machine("launch") as m:
            m.install_client()
            # At its final size: the X server carries the painted entry along with the
            # move, so the first probe right after the placement can find it.
            m.show_entry([BUILTIN[0]], rect=(300, 200, 930, 640))
            r = m.run(timeout=60)

            launch = '"%s\\DingtalkLauncher.exe"' % CLIENT_FOLDER
            expected = (USAGE + "获取钉钉窗口句柄成功\n找到钉钉进程\n移动钉钉窗口到左上角\n"
                        "未找到自定义RGB文件\n" + diagnostics(launch) +
                        probe_line(214, 109, "25514662") + "完成\n")
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)
            clicks = m.clicks()
            self.assertEqual(len(clicks), 1, m.events())
            self.assertEqual(clicks[0]["button"], "left")
            self.assertEqual(clicks[0]["cursor"], "214,109")
            # The window was placed before the probe found its entry.
            self.assertEqual(clicks[0]["rect"], "0,0,930,640")
            # Launch 3 s + 3 s, no pause before the match, 10 s at the end.
            self.assertLess(r.elapsed, 16 + 6, r.elapsed)


if __name__ == "__main__":
    harness.main()
