"""A scaled notebook screen (125 %, 150 %): the program sees its own, smaller screen, while
a pixel is read in physical pixels. The colour is the one under the cursor, the position
shown and clicked is the program's own, and a colour at the physical pixel whose numbers
equal the probe point is no match. The entry is a square, as a button is: the client's
window is stretched, which blurs a lone pixel."""
import os
import time
import unittest

import harness
from harness import gbk, normal_run, probe_line

# Far from the corner, where the program's and the physical pixels differ by hundreds.
POINT = (500, 300)
ENTRY = POINT + (10, 200, 255)
SQUARE = "4"  # 9 x 9
READOUT_COLUMNS = 62  # every readout line is padded to this width
FOUND = "找到自定义RGB文件\n"


def scale():
    return harness.SETUP.log_pixels / 96.0 if harness.SETUP.log_pixels else 1.0


class ScaledScreen(unittest.TestCase):
    def machine(self, name, points, probes=None):
        m = harness.Machine(name).__enter__()
        self.addCleanup(m.__exit__, None, None, None)
        m.install_client()
        m.env["STANDIN_SQUARE"] = SQUARE
        m.show_entry(points, rect=(300, 200, 930, 640))
        if probes:
            m.write_probe_file(probes)
        return m

    def test_normal_run_reads_under_the_cursor_and_clicks_the_entry(self):
        # The miss comes first: a read that left the thread scaled would show at the next move.
        m = self.machine("scaled-run", [ENTRY], "700,500 1,1,1\n500,300 10,200,255\n")
        r = m.run(timeout=60)

        expected = normal_run(FOUND, probe_line(700, 500, "240240240") +
                              probe_line(500, 300, "10200255"),
                              read="700,500 1,1,1\n500,300 10,200,255\n")
        self.assertEqual(r.out, gbk(expected), r.text)
        self.assertEqual(r.rc, 0)
        self.assertEqual(m.buttons(), harness.click_at("500,300"))
        # The client's own coordinates: placed as on a screen of 100 %.
        self.assertEqual(m.clicks()[0]["rect"], "0,0,930,640")

    def test_readout_shows_position_and_colour_at_every_refresh(self):
        m = self.machine("scaled-xy", [ENTRY])
        _, recent = m.readout_at(*POINT)

        reading = gbk("当前鼠标位置：X:500 Y:300， RGB值：10,200,255").ljust(READOUT_COLUMNS, b" ")
        # Whole refreshes only: from the first return to the last "  " before one.
        refreshes = recent[recent.index(b"\r") + 1:recent.rindex(b"  \r")].split(b"  \r")
        self.assertTrue(8 <= len(refreshes) <= 11, (len(refreshes), recent))
        self.assertEqual(set(refreshes), {reading}, recent)
        self.assertEqual(m.clicks(), [])

    def test_record_key_writes_the_logical_point_and_its_colour(self):
        m = self.machine("scaled-record", [ENTRY])
        m.readout_at(*POINT, seconds=0)
        m.press_record_key()
        m.wait_for_output(gbk("已写在桌面的自定义RGB.txt的最前面，运行时最先检查：\n"
                              "500,300 10,200,255\n"))
        with open(m.probe_file, "rb") as f:
            self.assertEqual(f.read(), b"500,300 10,200,255\r\n")

    def test_colour_at_the_physical_pixel_of_the_same_numbers_is_no_match(self):
        # The expected colour where the physical pixel (500, 300) is, another under the cursor.
        decoy = (round(POINT[0] / scale()), round(POINT[1] / scale()), 10, 200, 255)
        m = self.machine("scaled-decoy", [decoy, POINT + (200, 30, 30)], "500,300 10,200,255\n")
        m.env["STANDIN_DIALOG"] = "1"
        p = m.start()
        self.assertTrue(m.wait_for_placement(40))
        time.sleep(8)  # the first probe follows the placement at once, then one every 3 s
        self.assertIsNone(p.poll())
        out = m.background_output()

        head = gbk(normal_run(FOUND, "", read="500,300 10,200,255\n").replace("完成\n", ""))
        self.assertTrue(out.startswith(head), out)
        probes = out[len(head):]
        miss = gbk(probe_line(500, 300, "2003030"))
        self.assertGreaterEqual(probes.count(miss), 2, probes)
        self.assertEqual(probes, miss * probes.count(miss), probes)
        self.assertEqual(m.clicks(), [])

        # The picture of the first miss shows the whole screen in physical pixels: each
        # colour where the physical pixels have it, and the dialog beyond the client.
        (waiting,) = m.picture_files()
        self.assertTrue(waiting.endswith(" 未进入直播间.png"), waiting)
        width, height, pixel = harness.read_png(os.path.join(m.pictures, waiting))
        self.assertEqual((width, height), (1920, 1080))
        physical = [round(v * scale()) for v in POINT + (100, 600, 950)]
        self.assertEqual([pixel(*physical[:2]), pixel(*POINT), pixel(*physical[2:4]),
                          pixel(physical[4], height // 2)],
                         [(200, 30, 30), (10, 200, 255), (240, 240, 240), (30, 160, 90)])

if __name__ == "__main__":
    harness.main()
