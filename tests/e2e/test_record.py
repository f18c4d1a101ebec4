"""The readout's record key: the point under the cursor, with the colour the scan reads
there, is written first in the probe file, in the file's own encoding, or not at all;
the readout goes on either way. A recorded file then takes the normal run to the click."""
import os
import time
import unittest

import harness
from harness import USAGE, gbk, normal_run, probe_line

ENTRY = (150, 160, 110, 120, 130)
LINE = "150,160 110,120,130\n"
KEY = "按 %s 把鼠标所指的点记录到桌面的自定义RGB.txt（写在最前面，运行时最先检查）\n"
WRITTEN = "已写在桌面的自定义RGB.txt的最前面，运行时最先检查：\n"
FIRST = "从现在起程序只使用这个文件中的坐标点，不再使用自带的坐标点\n"
REOPEN = "若已在记事本中打开此文件，请关闭后重新打开，不要保存旧窗口\n"
HOVER = "第2行是鼠标停在该点上时的颜色（按钮被鼠标点亮），两行都要保留\n"
READOUT_COLUMNS = 62
OUTSIDE = "这一点在钉钉窗口（0,0 到 929,639）之外\n"


def reading(x, y, rgb):
    """One refresh of the readout, as the console gets it."""
    return b"  \r" + gbk("当前鼠标位置：X:%d Y:%d， RGB值：%d,%d,%d" % ((x, y) + rgb)).ljust(
        READOUT_COLUMNS, b" ")


def crlf(text, encoding="ascii"):
    return text.replace("\n", "\r\n").encode(encoding)


class Record(unittest.TestCase):
    def machine(self, name, hover=None):
        m = harness.Machine(name).__enter__()
        self.addCleanup(m.__exit__, None, None, None)
        m.install_client()
        m.show_entry([ENTRY], rect=(300, 200, 400, 300))
        if hover:
            m.env["STANDIN_HOVER"] = hover
        return m

    def record(self, m, rest=1.0, shift=False, then=WRITTEN, at=(150, 160), twice=False):
        """Starts the readout, rests the cursor at the entry (or at) for rest seconds,
        presses the record key (twice: a second time while the first one records) and
        returns the readout's output once it printed then."""
        p = m.start(["xy"])
        # Once the window is placed, the readout names its key.
        m.wait_for_output(gbk(KEY % ("Ctrl+Alt+Shift+R" if shift else "Ctrl+Alt+R")), 60)
        m.wine([harness.SETUP.program("set_cursor.exe"), str(at[0]), str(at[1])], check=True)
        time.sleep(rest)
        before = len(m.background_output())
        if twice:
            m.wine([harness.SETUP.program("record_key.exe"), "twice"], check=True)
        else:
            m.press_record_key(shift)
        out = m.wait_for_output(gbk(then), timeout=20)
        self.assertGreater(out.find(gbk(then)), before, out)
        # The readout goes on after the record.
        time.sleep(1)
        after = m.background_output()
        self.assertIsNone(p.poll())
        self.assertGreater(after.count(b"  \r", len(out)), 1, after)
        return out

    @staticmethod
    def open_in_place(m):
        """The client of the next run opens where it is placed: the first probe follows the
        placement at once, before a moved window would have repainted."""
        del m.env["STANDIN_RECT"]

    def file_bytes(self, m):
        with open(m.probe_file, "rb") as f:
            return f.read()

    def test_no_file_then_the_run_clicks_there(self):
        m = self.machine("record-new")
        out = self.record(m)

        self.assertEqual(self.file_bytes(m), crlf(LINE))
        self.assertTrue(out.startswith(gbk(USAGE + KEY % "Ctrl+Alt+R")), out)
        self.assertIn(reading(150, 160, ENTRY[2:]) + gbk("\n" + WRITTEN + LINE + FIRST + REOPEN),
                      out)
        self.assertEqual(m.clicks(), [])

        m.stop_programs()
        self.open_in_place(m)
        m.wine([harness.SETUP.program("set_cursor.exe"), "600", "500"], check=True)
        r = m.run(timeout=60)
        self.assertEqual(r.out, gbk(normal_run("找到自定义RGB文件\n",
                                               probe_line(150, 160, "110120130"), read=LINE)),
                         r.text)
        self.assertEqual(m.buttons(), harness.click_at("150,160"))

    def test_outside_the_client_and_a_second_press_meanwhile(self):
        # The stand-in's dialog beyond the client's window; the second press comes while
        # the first one is recorded, and is dropped.
        m = self.machine("record-outside")
        m.env["STANDIN_DIALOG"] = "1"
        out = self.record(m, at=(960, 500), twice=True, then=OUTSIDE)
        time.sleep(2)
        out = m.background_output()
        line = "960,500 30,160,90\n"
        self.assertIn(gbk("\n" + WRITTEN + line + FIRST + REOPEN + OUTSIDE), out)
        self.assertEqual(out.count(gbk(WRITTEN)), 1, out)
        self.assertNotIn(gbk("自定义RGB文件中已有这一点"), out)
        self.assertEqual(self.file_bytes(m), crlf(line))

    def test_key_held_elsewhere_and_a_utf16_file(self):
        m = self.machine("record-utf16")
        m.hold_record_key()
        # As Notepad saves "Unicode": its mark, then UTF-16 LE units; no final line end.
        old = "\ufeff700,500 1,1,1\n钉钉".replace("\n", "\r\n").encode("utf-16-le")
        with open(m.probe_file, "wb") as f:
            f.write(old)
        out = self.record(m, shift=True)

        self.assertEqual(self.file_bytes(m), old[:2] + crlf(LINE, "utf-16-le") + old[2:])
        self.assertTrue(out.startswith(gbk(USAGE + "Ctrl+Alt+R 已被其他程序占用\n" +
                                           KEY % "Ctrl+Alt+Shift+R")), out)
        self.assertIn(gbk("\n" + WRITTEN + LINE + REOPEN), out)

        # A second press finds the line there and writes nothing.
        m.press_record_key(True)
        m.wait_for_output(gbk("自定义RGB文件中已有这一点，未重复记录：\n" + LINE))
        self.assertEqual(self.file_bytes(m), old[:2] + crlf(LINE, "utf-16-le") + old[2:])

    def test_both_keys_held_elsewhere_the_readout_goes_on(self):
        m = self.machine("record-none")
        m.hold_record_key(shift=True)
        p = m.start(["xy"])
        refused = gbk(USAGE + "Ctrl+Alt+R 已被其他程序占用\nCtrl+Alt+Shift+R 已被其他程序占用\n"
                      "无法用按键记录坐标点，坐标和颜色照常显示\n")
        out = m.wait_for_output(refused, 60)
        self.assertTrue(out.startswith(refused), out)
        time.sleep(1.5)
        self.assertIsNone(p.poll())
        self.assertGreater(m.background_output().count(b"  \r", len(refused)), 2)
        self.assertFalse(os.path.exists(m.probe_file))

    def test_full_file_is_left_as_it_was(self):
        m = self.machine("record-full")
        # 245 bytes of probe text: 14 left, the line takes 20.
        old = crlf("100,100 100,100,100\n" * 12 + "1,23\n")
        with open(m.probe_file, "wb") as f:
            f.write(old)
        self.record(m, then="自定义RGB文件中运行时读取的内容最多259字节，只剩14字节，这次要写20字节，未记录；"
                            "请在记事本中删除不用的行后再按一次\n")
        self.assertEqual(self.file_bytes(m), old)

    def test_full_disk_leaves_the_old_file_and_nothing_else(self):
        m = self.machine("record-disk")
        m.mount_small_desktop(4096)
        old = crlf("700,500 1,1,1\n")
        with open(m.probe_file, "wb") as f:
            f.write(old)  # its page takes the whole disk
        self.record(m, then="写入自定义RGB文件失败：桌面所在的磁盘已满（WriteFile 错误 112），"
                            "文件保持原样，未记录\n")
        self.assertEqual(os.listdir(m.desktop), ["自定义RGB.txt"])
        self.assertEqual(self.file_bytes(m), old)

    def test_hover_colour_is_recorded_second_and_the_run_clicks(self):
        # The entry lights up 400 ms after the cursor comes to rest on it.
        m = self.machine("record-hover", hover="200,60,60,400")
        out = self.record(m, rest=1.5)

        lines = LINE + "150,160 200,60,60\n"
        self.assertEqual(self.file_bytes(m), crlf(lines))
        self.assertIn(reading(150, 160, (200, 60, 60)) +
                      gbk("\n" + WRITTEN + lines + HOVER + FIRST + REOPEN), out)

        # Another point first: the scan comes to the entry from elsewhere and reads at once.
        m.stop_programs()
        self.open_in_place(m)
        with open(m.probe_file, "wb") as f:
            f.write(crlf("700,500 1,1,1\n" + lines))
        r = m.run(timeout=60)
        self.assertEqual(r.out, gbk(normal_run(
            "找到自定义RGB文件\n", probe_line(700, 500, "240240240") +
            probe_line(150, 160, "110120130"), read="700,500 1,1,1\n" + lines)), r.text)
        self.assertEqual(m.buttons(), harness.click_at("150,160"))


if __name__ == "__main__":
    harness.main()
