"""Every failure on the road through the uninstall record is logged and falls back to
the desktop shortcut; with no shortcut either, the run ends with status 1. The log keeps
every record, in order, as CR LF text, with the local time of the run."""
import os
import re
import time
import unittest

import harness
from harness import CLIENT_FOLDER, USAGE, UNINSTALL_KEY, check_log_times, gbk, records

NO_KEY = "打开注册表失败"
NO_VALUE = "读取键值“UninstallString”失败！"
NO_BACKSLASH = "注册表读取到的钉钉安装路径无效！"
NO_LAUNCHER = "注册表寻找到的钉钉安装路径无效！"
NO_SHORTCUT = "无法获取桌面的钉钉快捷方式！"


class LaunchFailures(unittest.TestCase):
    def test_each_failure_is_logged_then_the_fallback_runs(self):
        long_folder = "C:\\" + "a" * 240
        crafted = r'C:\x" & echo x > C:\pwned.txt & "\uninst.exe'
        cases = [
            ("no uninstall key", None, NO_KEY),
            ("no value", ['"DisplayName"="钉钉"'], NO_VALUE),
            # Used as stored, whatever its type: a number's bytes are a short text, most
            # often without a backslash; bytes that never end within the buffer are no
            # text at all.
            ("a number", ['"UninstallString"=dword:00000005'], NO_BACKSLASH),
            # 0x5C is the text "\": a folder, in which no launcher is found.
            ("the number 0x5C", ['"UninstallString"=dword:0000005c'], NO_LAUNCHER),
            ("no end", ['"UninstallString"=hex:' + ",".join(["41"] * 260)], NO_VALUE),
            ("longer than the buffer", ['"UninstallString"="C:\\\\%s\\\\u.exe"' % ("b" * 300)], NO_VALUE),
            ("no backslash", ['"UninstallString"="uninst.exe"'], NO_BACKSLASH),
            ("launcher missing", ['"UninstallString"="C:\\\\nowhere\\\\uninst.exe"'], NO_LAUNCHER),
            ("quoted", ['"UninstallString"="\\"%s\\\\uninst.exe\\""' % harness.reg_escape(CLIENT_FOLDER)], NO_LAUNCHER),
            ("crafted", ['"UninstallString"="%s"' % harness.reg_escape(crafted)], NO_LAUNCHER),
            ("too long with quotes", ['"UninstallString"="%s\\\\uninst.exe"' % harness.reg_escape(long_folder)], NO_LAUNCHER),
        ]
        with harness.Machine("failures") as m:
            # Real launchers where the quoted and the too-long values point: only the
            # checks can keep them from being started.
            m.install_client(register=False)
            m.install_client(folder=long_folder, register=False)
            logged = []
            start = time.time()
            for name, values, message in cases:
                with self.subTest(name):
                    m.reg_import(["[-%s]" % UNINSTALL_KEY])
                    if values:
                        m.reg_import(["[%s]" % UNINSTALL_KEY] + values)
                    r = m.run(timeout=30)
                    self.assertEqual(r.rc, 1)
                    self.assertRegex(r.out, b"^" + re.escape(gbk(USAGE)) +
                                     records([message, NO_SHORTCUT]) + b"$")
                    check_log_times(self, r.out, r.started, r.ended)
                    logged += [message, NO_SHORTCUT]
            self.assertEqual(m.clicks(), [])
            self.assertFalse(os.path.exists(m.unix(r"C:\pwned.txt")))
            with open(m.log_file, "rb") as f:
                log = f.read()
            self.assertRegex(log, b"^" + records(logged, blank=True) + b"$")
            check_log_times(self, log, start, time.time())

    def test_log_that_cannot_be_opened_ends_the_run(self):
        with harness.Machine("badlog") as m:
            os.makedirs(m.log_file)  # a folder of that name cannot be opened as a file
            r = m.run(timeout=30)
            self.assertEqual(r.rc, 1)
            # The pause prompt follows; nothing of the lost record is shown.
            self.assertTrue(r.out.startswith(gbk(USAGE + "打开日志文件失败！\n")), r.text)
            self.assertNotIn(gbk("原因："), r.out)
            self.assertIn(gbk("原因: "), r.err)
            # The run ended there: the class journal says why, and that the log lacks it.
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            match = re.match(harness.journal_pattern([
                "{t} " + harness.start_line(),
                "{t} 结果：没有进入直播间，原因：打开注册表失败（Quorvane.log 打不开，这条原因没有记在里面）"]),
                journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            harness.check_stamps(self, match.groups(), r.started, r.ended)


if __name__ == "__main__":
    harness.main()
