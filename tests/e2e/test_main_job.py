"""The main job's demo: the screenshots show the window placed with the entry's colour
at its probe point, and the live room after the one click; the journal tells the run,
and the run's own picture shows the room. Under emulation this is the release exe."""
import os
import tempfile
import unittest

import harness
import main_job


class MainJob(unittest.TestCase):
    def test_screenshots_show_placement_and_room(self):
        with tempfile.TemporaryDirectory() as out:
            r, clicks, problems, journal = main_job.run_main_job(out)
            self.assertEqual(problems, [])
            self.assertEqual(r.rc, 0, r.text)
            self.assertEqual([c["cursor"] for c in clicks], ["231,118"])
            picture = "3-picture-已进入直播间.png"
            self.assertEqual(sorted(os.listdir(out)),
                             ["1-window-placed.png", "2-live-room-entered.png", picture])
            lines = journal.splitlines()
            self.assertEqual([line[20:] for line in lines],
                             [harness.start_line(),
                              "结果：已进入直播间。点击的是 231,118 255,148,62（自带坐标点的第 3 个）。"
                              "画面：上课画面\\%s 已进入直播间.png" % lines[0][:19].replace(":", "-")])
            _, _, pixel = harness.read_png(os.path.join(out, picture))
            self.assertEqual([pixel(231, 118), pixel(650, 425)], [main_job.ROOM, (250, 220, 40)])


if __name__ == "__main__":
    harness.main()
