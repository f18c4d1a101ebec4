"""A desktop on a disk with no room left: the template and every log record fail at the
flush or the close, and both are reported as failures, never as success. The records
already in the log are kept as they were. The class journal and the picture fail too:
each is told in one line, the run goes on to its click, and no temporary file is left."""
import os
import re
import unittest

import harness
from harness import BUILTIN, USAGE, gbk, normal_run, probe_line, records

PAGE = 4096
LOG_FAILED = gbk("写入日志文件失败！\n")
DISK_FULL = "桌面所在的磁盘已满（WriteFile 错误 112），不影响进入直播间\n"
JOURNAL_FAILED = "无法写入桌面的上课记录.txt：" + DISK_FULL
PICTURE_FAILED = ("无法保存画面到桌面的上课画面文件夹：" +
                  DISK_FULL.replace("WriteFile", "GdipSaveImageToFile"))


def earlier_records(size):
    """Records of an earlier run, size bytes in all, as the program writes them."""
    record = gbk("原因：打开注册表失败\n时间：2026-01-01 08:00:00\n\n")
    out = record * (size // len(record) - 1)
    pad = size - len(out) - len(gbk("原因：\n时间：2026-01-01 08:00:00\n\n"))
    return out + gbk("原因：%s\n时间：2026-01-01 08:00:00\n\n" % ("x" * pad))


def fill_desktop(m):
    """One page, taken whole by the log of an earlier run: not a byte more fits. Returns
    the log's bytes."""
    m.mount_small_desktop(PAGE)
    before = earlier_records(PAGE)
    with open(m.log_file, "wb") as f:
        f.write(before)
    return before


class FullDisk(unittest.TestCase):
    def test_nothing_is_reported_as_written(self):
        with harness.Machine("fulldisk") as m:
            before = fill_desktop(m)
            r = m.run(["cre"])
            self.assertEqual(r.rc, 1, r.text)
            self.assertNotIn(gbk("创建模板文件成功"), r.out)
            self.assertTrue(r.err.startswith(gbk("写入文件失败\n原因: ")), r.err_text)
            self.assertTrue(os.path.exists(m.probe_file))  # a failed template is not removed

            # No uninstall record and no shortcut: two records, neither reaches the log.
            r = m.run(timeout=30)
            self.assertEqual(r.rc, 1, r.text)
            self.assertRegex(r.out, b"^" + re.escape(gbk(USAGE + JOURNAL_FAILED)) +
                             records(["打开注册表失败"]) + re.escape(LOG_FAILED) +
                             records(["无法获取桌面的钉钉快捷方式！"]) + re.escape(LOG_FAILED) + b"$")
            self.assertEqual(r.err_text.count("原因: "), 2, r.err_text)
            with open(m.log_file, "rb") as f:
                self.assertEqual(f.read(), before)

    def test_the_run_still_clicks(self):
        with harness.Machine("fulldisk-click") as m:
            before = fill_desktop(m)
            m.install_client()
            m.show_entry([BUILTIN[0]])
            r = m.run(timeout=90)
            self.assertEqual(r.rc, 0, r.text)
            expected = normal_run("未找到自定义RGB文件\n", probe_line(214, 109, "25514662"))
            expected = expected.replace(USAGE, USAGE + JOURNAL_FAILED) + PICTURE_FAILED
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(m.buttons(), harness.click_at("214,109"))
            # Only what was there, and the pictures' folder, which takes no room.
            self.assertEqual(sorted(os.listdir(m.desktop)), ["Quorvane.log", "上课画面"])
            self.assertEqual(os.listdir(m.pictures), [])
            with open(m.log_file, "rb") as f:
                self.assertEqual(f.read(), before)


    def test_a_failing_flush_leaves_the_old_file(self):
        # The disk may fail only when the data is forced out: the program's replacement,
        # with a flush that fails, keeps the old file and leaves nothing beside it.
        with harness.Machine("failing-flush") as m:
            folder = r"C:\replace"
            os.makedirs(m.unix(folder))
            r = m.wine([harness.SETUP.program("replace_check.exe"), folder])
            self.assertEqual(r.returncode, 0)
            self.assertEqual(os.listdir(m.unix(folder)), ["journal.txt"])
            with open(os.path.join(m.unix(folder), "journal.txt"), "rb") as f:
                self.assertEqual(f.read(), b"old lines\r\n")


if __name__ == "__main__":
    harness.main()
