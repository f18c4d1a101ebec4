"""A desktop on a disk with no room left: the template and every log record fail at the
flush or the close, and both are reported as failures, never as success. The records
already in the log are kept as they were."""
import os
import re
import unittest

import harness
from harness import USAGE, gbk, records

PAGE = 4096
LOG_FAILED = gbk("写入日志文件失败！\n")


def earlier_records(size):
    """Records of an earlier run, size bytes in all, as the program writes them."""
    record = gbk("原因：打开注册表失败\n时间：2026-01-01 08:00:00\n\n")
    out = record * (size // len(record) - 1)
    pad = size - len(out) - len(gbk("原因：\n时间：2026-01-01 08:00:00\n\n"))
    return out + gbk("原因：%s\n时间：2026-01-01 08:00:00\n\n" % ("x" * pad))


class FullDisk(unittest.TestCase):
    def test_nothing_is_reported_as_written(self):
        with harness.Machine("fulldisk") as m:
            # One page, taken whole by the log of an earlier run: not a byte more fits.
            m.mount_small_desktop(PAGE)
            before = earlier_records(PAGE)
            with open(m.log_file, "wb") as f:
                f.write(before)

            r = m.run(["cre"])
            self.assertEqual(r.rc, 1, r.text)
            self.assertNotIn(gbk("创建模板文件成功"), r.out)
            self.assertTrue(r.err.startswith(gbk("写入文件失败\n原因: ")), r.err_text)
            self.assertTrue(os.path.exists(m.probe_file))  # a failed template is not removed

            # No uninstall record and no shortcut: two records, neither reaches the log.
            r = m.run(timeout=30)
            self.assertEqual(r.rc, 1, r.text)
            self.assertRegex(r.out, b"^" + re.escape(gbk(USAGE)) +
                             records(["打开注册表失败"]) + re.escape(LOG_FAILED) +
                             records(["无法获取桌面的钉钉快捷方式！"]) + re.escape(LOG_FAILED) + b"$")
            self.assertEqual(r.err_text.count("原因: "), 2, r.err_text)
            with open(m.log_file, "rb") as f:
                self.assertEqual(f.read(), before)


if __name__ == "__main__":
    harness.main()
