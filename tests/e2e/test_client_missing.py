"""A client whose window never opens, and a window whose process is not DingTalk.exe:
both are logged and end the run with status 1, after the waits they are given."""
import re
import unittest

import harness
from harness import USAGE, check_log_times, gbk, records


class ClientMissing(unittest.TestCase):
    def test_window_never_opens(self):
        with harness.Machine("nowindow") as m:
            m.install_client()
            m.env["STANDIN_CLIENT"] = "none"
            r = m.run(timeout=60)
            self.assertEqual(r.rc, 1)
            self.assertRegex(r.out, b"^" + re.escape(gbk(USAGE)) + records(["获取钉钉窗口句柄失败！"]) + b"$")
            # Two waits of 3 s: one after the launcher, one before the lookup.
            self.assertGreater(r.elapsed, 6)
            self.assertLess(r.elapsed, 12)

    def test_process_never_shows_up(self):
        with harness.Machine("noprocess") as m:
            # The window is there, but its process has another image name.
            m.install_client(client_name="xDingTalk.exe")
            r = m.run(timeout=90)
            self.assertEqual(r.rc, 1)
            self.assertRegex(r.out, b"^" + re.escape(gbk(USAGE + "获取钉钉窗口句柄成功\n")) +
                             records(["未找到钉钉进程"]) + b"$")
            # 6 s to the window, then ten checks with a 3 s sleep after each.
            self.assertGreater(r.elapsed, 6 + 30)
            self.assertLess(r.elapsed, 6 + 30 + 8)
            with open(m.log_file, "rb") as f:
                log = f.read()
            self.assertRegex(log, b"^" + records(["未找到钉钉进程"], blank=True) + b"$")
            # Taken when the failure is logged, after all the waits.
            check_log_times(self, log, r.ended - 4, r.ended)


if __name__ == "__main__":
    harness.main()
