"""The class journal on the desktop and the picture of how a run ended: a run that
clicks (started at below-normal priority, as a wizard's task starts it), a run that ends
on a failure, and a journal and a pictures folder at their bounds."""
import os
import re
import shutil
import unittest

import harness
from harness import (BUILTIN, JOURNAL, PICTURES, SETUP, check_stamps, gbk, journal_pattern,
                     picture_name, read_bmp)

ROOM = (20, 90, 200)  # the stand-in's live room, after the click
ROOM_MARK = (250, 220, 40)  # its mark in the room, at 600,400 to 700,450
BACKGROUND = (240, 240, 240)
NORMAL_PRIORITY = "0x20"
START_LINE = "{t} 开始（%s），还没有进入直播间"
JOINED_LINE = ("{t} 结果：已进入直播间。点击的是 %s（%s）。画面：" + PICTURES + "\\%s")
PICTURE_FILE_SIZE = 54 + 2792 * 640


class Journal(unittest.TestCase):
    def test_a_click_is_told_with_its_point_and_the_live_room(self):
        with harness.Machine("journal-click") as m:
            m.install_client()
            # The third built-in point: two misses first, the first of them pictured.
            m.show_entry([BUILTIN[2]])
            shutil.copy(SETUP.program("below_normal.exe"), m.unix(harness.EXE_FOLDER))
            r = m.run([m.exe], exe=harness.EXE_FOLDER + "\\below_normal.exe", timeout=90)
            self.assertEqual(r.rc, 0, r.text)

            # Started below normal, the run is at normal priority when it starts its
            # client, which Windows then starts at normal priority too (Wine starts every
            # program at normal priority, so the program's own class is what shows here).
            starts = [f for n, f in m.events() if n == "start"]
            self.assertEqual([(f["priority"], f["quorvane_priority"]) for f in starts],
                             [(NORMAL_PRIORITY, NORMAL_PRIORITY)])

            with open(m.journal_file, "rb") as f:
                journal = f.read()
            pattern = journal_pattern([
                START_LINE % "由 below_normal.exe 启动",
                JOINED_LINE % ("231,118 255,148,62", "自带坐标点的第 3 个", "{p}")])
            match = re.match(pattern, journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            started, ended, picture = match.groups()
            check_stamps(self, [started, ended], r.started, r.ended)
            self.assertEqual(picture.decode("gbk"), picture_name(started, True))

            # One picture: the live room, the waiting one gone.
            self.assertEqual(m.picture_files(), [picture_name(started, True)])
            path = os.path.join(m.pictures, picture_name(started, True))
            self.assertEqual(os.path.getsize(path), PICTURE_FILE_SIZE)
            width, height, pixel = read_bmp(path)
            self.assertEqual((width, height), (930, 640))
            self.assertEqual([pixel(231, 118), pixel(650, 425), pixel(100, 600), pixel(929, 0)],
                             [ROOM, ROOM_MARK, ROOM, ROOM])


if __name__ == "__main__":
    harness.main()
