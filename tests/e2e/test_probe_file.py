"""A probe file on the desktop wins over the built-in list; its unusable lines are
reported and skipped, and one that holds no probe line leaves the built-in list."""
import os
import unittest

import harness
from harness import BUILTIN, CLIENT_FOLDER, USAGE, diagnostics, gbk, probe_line

LAUNCH = '"%s\\DingtalkLauncher.exe"' % CLIENT_FOLDER
PREPARED = USAGE + "获取钉钉窗口句柄成功\n找到钉钉进程\n移动钉钉窗口到左上角\n"


class ProbeFile(unittest.TestCase):
    def test_custom_file_wins(self):
        with harness.Machine("probefile") as m:
            m.install_client()
            # The built-in entry shows too: only the custom list may be probed. Line 1 looks
            # at the second painted point for another colour: a miss that shows 1,2,3.
            m.show_entry([BUILTIN[0], (100, 100, 1, 2, 3)])
            os.makedirs(m.desktop, exist_ok=True)
            with open(m.probe_file, "wb") as f:
                f.write(gbk("\n100,100 9,9,9\n1,2 3,4,,,,,,,,,,,,,,,,,,,,,9\n"
                            "5,5 1,2,1234567890\n100，100 1，2，3"))
            r = m.run(timeout=60)

            expected = (PREPARED + "找到自定义RGB文件\n"
                        "自定义RGB文件第3行超过23字节，已忽略该行\n"
                        "自定义RGB文件第4行有超过9字节的数值，已忽略该行\n" +
                        diagnostics(LAUNCH) + probe_line(100, 100, "123") +
                        probe_line(100, 100, "123") + "完成\n")
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)
            self.assertEqual([c["cursor"] for c in m.clicks()], ["100,100"])

    def test_file_of_line_ends_only_uses_builtin_list(self):
        with harness.Machine("lineends") as m:
            m.install_client()
            m.show_entry([BUILTIN[0]])
            os.makedirs(m.desktop, exist_ok=True)
            with open(m.probe_file, "wb") as f:
                f.write(b"\r\n\r\n\r\n")
            r = m.run(timeout=60)

            expected = (PREPARED + "找到自定义RGB文件\n" + diagnostics(LAUNCH) +
                        probe_line(214, 109, "25514662") + "完成\n")
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)


if __name__ == "__main__":
    harness.main()
