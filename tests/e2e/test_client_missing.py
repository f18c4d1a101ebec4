"""A client whose window never opens, one whose window opens late, and a window whose
process is not DingTalk.exe: the window and the process are each given ten looks, 3 s
apart; a failure is logged and ends the run with status 1."""
import re
import unittest

import harness
from harness import BUILTIN, USAGE, check_log_times, gbk, normal_run, probe_line, records


def event_time(m, name, **fields):
    """The time in seconds of the stand-in's first event of that name and fields."""
    for n, f in m.events():
        if n == name and all(f.get(k) == v for k, v in fields.items()):
            return int(f["time"]) / 1000.0
    raise AssertionError("no %s event with %s in %s" % (name, fields, m.events()))


class ClientMissing(unittest.TestCase):
    def test_window_never_opens(self):
        with harness.Machine("nowindow") as m:
            m.install_client()
            m.env["STANDIN_CLIENT"] = "none"
            r = m.run(timeout=90)
            self.assertEqual(r.rc, 1)
            self.assertRegex(r.out, b"^" + re.escape(gbk(USAGE)) + records(["获取钉钉窗口句柄失败！"]) + b"$")
            # 3 s after the launcher and 3 s before the first look, then ten looks with a
            # 3 s sleep after each.
            self.assertGreater(r.elapsed, 6 + 30)
            self.assertLess(r.elapsed, 6 + 30 + 8)
            with open(m.log_file, "rb") as f:
                check_log_times(self, f.read(), r.ended - 4, r.ended)

    def test_window_opens_late(self):
        with harness.Machine("latewindow") as m:
            m.install_client()
            # A slow start at logon: the window opens 8 s after the client starts, after
            # the first look (6 s after the launch) and before the second.
            m.env["STANDIN_WINDOW_DELAY"] = "8000"
            m.show_entry([BUILTIN[0]], rect=(300, 200, 930, 640))
            r = m.run(timeout=90)

            expected = normal_run("未找到自定义RGB文件\n", probe_line(214, 109, "25514662"))
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)
            self.assertEqual(m.buttons(), harness.click_at("214,109"))
            started = event_time(m, "start")
            shown = event_time(m, "shown")
            placed = event_time(m, "moved", rect="0,0,930,640")
            self.assertGreaterEqual(shown - started, 8)
            # Found at the next look: at most 3 s later, and placed at once.
            self.assertGreater(placed, shown)
            self.assertLess(placed - shown, 3 + 1.5, (started, shown, placed))

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
