"""One normal run at a time: a second run started while one scans neither scans nor
clicks and says so in one line; the readout refuses its record key meanwhile; a run
killed while it scans leaves nothing that blocks the next, which clicks and tells how
the killed one ended."""
import os
import re
import shutil
import time
import unittest

import harness
from harness import USAGE, gbk, journal_pattern, probe_line

PROBE = (5, 5, 1, 2, 3)  # the probe file's one point, not shown until the last run
PROBE_FILE = "5,5 1,2,3\n"
REFUSED = "有一次运行正在检查并移动鼠标，这次不再检查，以免两次同时移动鼠标；本窗口 10 秒后关闭\n"
SCANNING = "有一次运行正在检查并移动鼠标：请先关掉它的窗口（或在任务计划程序中结束它），再记录坐标点\n"
NOT_RECORDED = "\n有一次运行正在检查并移动鼠标，未记录；请先结束它，再按一次\n"
REFUSED_STATUS = 3
HIGH_PRIORITY = "0x80"


class OneRun(unittest.TestCase):
    def test_second_run_readout_and_a_killed_run(self):
        with harness.Machine("one-run") as m:
            m.install_client()
            m.write_probe_file(PROBE_FILE)
            with open(m.probe_file, "rb") as f:
                probe_bytes = f.read()
            m.show_entry([PROBE], delay_ms=3600 * 1000)  # the first run never matches
            first = m.start(output="first")
            time.sleep(1)

            # The second run, a second later: no scan, no cursor move, one line each.
            r = m.run(timeout=60)
            self.assertEqual((r.rc, r.out), (REFUSED_STATUS, gbk(USAGE + REFUSED)), r.text)
            self.assertGreaterEqual(r.elapsed, 10)
            m.wait_for_output(gbk(probe_line(5, 5, "240240240")), timeout=60, output="first")

            # The readout meanwhile: told at its start, its record key refused.
            m.start(["xy"], output="readout")
            m.wait_for_output(gbk(SCANNING), timeout=60, output="readout")
            m.press_record_key()
            out = m.wait_for_output(gbk(NOT_RECORDED), timeout=20, output="readout")
            self.assertEqual(out.count(gbk("有一次运行正在检查并移动鼠标")), 2, out)
            with open(m.probe_file, "rb") as f:
                self.assertEqual(f.read(), probe_bytes)

            # The first run killed while it scans: the next one takes over and clicks,
            # and is itself killed right after its click, before the room's picture.
            m.kill_quorvane()
            first.wait(timeout=30)
            # Its picture removed since (by hand, or by the budget): the line says so.
            (waiting,) = m.picture_files()
            os.remove(os.path.join(m.pictures, waiting))
            m.show_entry([PROBE])
            m.start(output="third")
            m.wait_for_output(gbk(probe_line(5, 5, "123") + "完成\n"), timeout=90, output="third")
            m.kill_quorvane()
            # The last run finds nothing unfinished: the killed one had told its click.
            # Started at high priority, it stays there: it only ever raises its own.
            shutil.copy(harness.SETUP.program("below_normal.exe"), m.unix(harness.EXE_FOLDER))
            r = m.run(["/high", m.exe], exe=harness.EXE_FOLDER + "\\below_normal.exe", timeout=90)
            self.assertEqual(r.rc, 0, r.text)
            self.assertIn(gbk(probe_line(5, 5, "123") + "完成\n"), r.out)
            self.assertEqual(m.buttons(), harness.click_at("5,5") * 2)
            starts = [f["quorvane_priority"] for n, f in m.events() if n == "start"]
            self.assertEqual(starts[-1], HIGH_PRIORITY)

            with open(m.journal_file, "rb") as f:
                journal = f.read()
            how = harness.started_from_linux()
            last_how = "由 below_normal.exe 启动"
            joined = ("{t} 结果：已进入直播间。点击的是 5,5 1,2,3（自定义RGB.txt 中的这一行）。画面："
                      + harness.PICTURES + "\\{p}")
            match = re.match(journal_pattern([
                "{t} " + harness.start_line(),
                harness.REFUSED_LINE % how,
                harness.STOPPED_LINE.replace("最后的画面：" + harness.PICTURES + "\\{p}", "没有留下画面"),
                "{t} " + harness.start_line(), joined,
                "{t} " + harness.start_line(last_how), joined]), journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            (started, refused, stopped, written, third, _, third_picture, last, _,
             last_picture) = match.groups()
            self.assertEqual(stopped, started)
            self.assertLess(started, refused)
            self.assertLessEqual(written, third)
            harness.check_stamps(self, [last], r.started, r.ended)
            # The killed run named the picture it would have taken; the last one's is there.
            self.assertEqual([third_picture.decode("gbk"), last_picture.decode("gbk")],
                             [harness.picture_name(third, True), harness.picture_name(last, True)])
            self.assertIn(harness.picture_name(last, True), m.picture_files())


if __name__ == "__main__":
    harness.main()
