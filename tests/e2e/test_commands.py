"""The command words: autostart on and off in the real Wine registry, the probe
template on the desktop, and how a word is told from the normal run."""
import os
import re
import time
import unittest

import harness
from harness import BUILTIN, BUILTIN_TEXT, RUN_KEY, USAGE, gbk

ADDED = "添加成功！请勿删除本文件\n "
REMOVED = "删除成功！\n "
ABSENT = "启动项不存在\n"
TEMPLATE = "创建模板文件成功，请在桌面查看\n"
RECORD_KEY = "按 Ctrl+Alt+R 把鼠标所指的点记录到桌面的自定义RGB.txt（写在最前面，运行时最先检查）\n"


def run_value(m):
    """The Quorvane line of the Run key as regedit exports it, or None."""
    for line in m.reg_export(RUN_KEY).splitlines():
        if line.startswith('"Quorvane"='):
            return line
    return None


class Autostart(unittest.TestCase):
    def test_add_replace_and_remove(self):
        with harness.Machine("autostart") as m:
            before = m.reg_export(RUN_KEY)
            first = m.install_exe(r"C:\Tools")
            second = m.install_exe(r"C:\Other Folder")

            r = m.run(["del"], exe=first)
            self.assertEqual((r.rc, r.out[:len(gbk(USAGE + ABSENT))]), (1, gbk(USAGE + ABSENT)))

            r = m.run(["add"], exe=first)
            self.assertTrue(r.out.startswith(gbk(USAGE + ADDED)), r.text)
            self.assertEqual(r.rc, 0)
            # A quoted string in the export is REG_SZ; the quotes are part of the data.
            self.assertEqual(run_value(m), r'"Quorvane"="\"C:\\Tools\\Quorvane.exe\""')

            r = m.run(["add"], exe=second)
            self.assertEqual(r.rc, 0)
            self.assertEqual(run_value(m), r'"Quorvane"="\"C:\\Other Folder\\Quorvane.exe\""')

            r = m.run(["del"], exe=first)
            self.assertTrue(r.out.startswith(gbk(USAGE + REMOVED)), r.text)
            self.assertEqual(r.rc, 0)
            self.assertEqual(m.reg_export(RUN_KEY), before)

    def test_missing_run_key(self):
        with harness.Machine("norunkey") as m:
            exe = m.install_exe(r"C:\Tools")
            m.reg_import(["[-%s]" % RUN_KEY])
            # A profile without the key: add makes it, del finds no value there.
            r = m.run(["add"], exe=exe)
            self.assertEqual(r.rc, 0, r.text)
            self.assertTrue(r.out.startswith(gbk(USAGE + ADDED)), r.text)
            self.assertEqual(run_value(m), r'"Quorvane"="\"C:\\Tools\\Quorvane.exe\""')
            r = m.run(["del"], exe=exe)
            self.assertEqual(r.rc, 0, r.text)
            self.assertIsNone(run_value(m))

            m.reg_import(["[-%s]" % RUN_KEY])
            r = m.run(["del"], exe=exe)
            self.assertEqual(r.rc, 1)
            self.assertTrue(r.out.startswith(gbk(USAGE + ABSENT)), r.text)
            self.assertEqual(m.reg_export(RUN_KEY), "")

    def test_path_too_long_is_refused(self):
        with harness.Machine("longexe") as m:
            # 258 bytes: the path fits the lookup, the quoted value does not.
            exe = m.install_exe("C:\\" + "p" * 242)
            r = m.run(["add"], exe=exe)
            self.assertEqual(r.rc, 1)
            self.assertTrue(r.out.startswith(gbk(
                USAGE + "添加失败！\n本程序所在路径过长（超过257字节），请把本程序移到路径较短的文件夹后重试\n")), r.text)
            self.assertIsNone(run_value(m))


class Template(unittest.TestCase):
    def test_template_is_the_builtin_list_and_loads_back(self):
        with harness.Machine("template") as m:
            m.write_probe_file("old text that must go\n" * 20)
            for _ in range(2):
                r = m.run(["cre"])
                self.assertTrue(r.out.startswith(gbk(USAGE + TEMPLATE)), r.text)
                self.assertEqual(r.rc, 0)
                with open(m.probe_file, "rb") as f:
                    data = f.read()
                self.assertEqual(len(data), 218)
                self.assertEqual(data, BUILTIN_TEXT.replace("\n", "\r\n").encode())

            # The normal run loads it back as exactly the built-in list.
            m.install_client()
            m.show_entry([BUILTIN[1]])
            r = m.run(timeout=60)
            self.assertEqual(r.rc, 0)
            self.assertIn(gbk("找到自定义RGB文件\n"), r.out)
            probes = re.findall(rb"\xb5\xb1\xc7\xb0\xce\xbb\xd6\xc3\xa3\xba(\d+,\d+) ", r.out)  # 当前位置：
            self.assertEqual(probes, [b"214,109", b"224,120"])

    def test_file_that_cannot_be_created(self):
        with harness.Machine("badtemplate") as m:
            os.makedirs(m.probe_file)
            r = m.run(["cre"])
            self.assertEqual(r.rc, 1)
            self.assertNotIn(gbk(TEMPLATE), r.out)
            self.assertTrue(r.err.startswith(gbk("创建文件失败\n原因: ")), r.err_text)


# Where a parent unpacks the zip: spaces, Chinese characters, 150 characters in all (in
# folders short enough for the Linux side's 255-byte names).
LAUNCHER_FOLDER = r"C:\Users Files\孩子 的 网课\Quorvane 1.1 解压后的文件夹"
while len(LAUNCHER_FOLDER) < 150:
    LAUNCHER_FOLDER += ("\\第 %d 层 文件夹" % len(LAUNCHER_FOLDER))[:150 - len(LAUNCHER_FOLDER)]


class Launchers(unittest.TestCase):
    def test_each_launcher_does_its_word(self):
        with harness.Machine("launchers") as m:
            self.assertEqual(len(LAUNCHER_FOLDER), 150)
            launchers = m.install_launchers(LAUNCHER_FOLDER)
            exe = LAUNCHER_FOLDER + "\\Quorvane.exe"
            value = '"Quorvane"="\\"%s\\""' % exe.replace("\\", "\\\\")

            def through_cmd(word):
                # As a double-click starts it: the command interpreter runs the file.
                return m.run(["/c", launchers[word]], exe="cmd", timeout=60)

            r = through_cmd("cre")
            self.assertEqual((r.rc, r.out[:len(gbk(USAGE + TEMPLATE))]), (0, gbk(USAGE + TEMPLATE)), r.text)
            with open(m.probe_file, "rb") as f:
                self.assertEqual(f.read(), BUILTIN_TEXT.replace("\n", "\r\n").encode())
            r = through_cmd("add")
            self.assertEqual((r.rc, r.out[:len(gbk(USAGE + ADDED))]), (0, gbk(USAGE + ADDED)), r.text)
            self.assertEqual(run_value(m), value)
            r = through_cmd("del")
            self.assertEqual((r.rc, r.out[:len(gbk(USAGE + REMOVED))]), (0, gbk(USAGE + REMOVED)), r.text)
            self.assertIsNone(run_value(m))

            # The readout, and its record key writing first in the template.
            m.install_client()
            m.show_entry([(150, 160, 110, 120, 130)], rect=(300, 200, 400, 300))
            m.start(["/c", launchers["xy"]], exe="cmd")
            m.wait_for_output(gbk(RECORD_KEY), 60)
            m.wine([harness.SETUP.program("set_cursor.exe"), "150", "160"], check=True)
            time.sleep(1)
            m.press_record_key()
            m.wait_for_output(gbk("已写在桌面的自定义RGB.txt的最前面，运行时最先检查：\n150,160 110,120,130\n"))
            with open(m.probe_file, "rb") as f:
                self.assertEqual(f.read(), ("150,160 110,120,130\n" + BUILTIN_TEXT).replace(
                    "\n", "\r\n").encode())


class CommandWords(unittest.TestCase):
    def test_other_spellings_run_the_normal_run(self):
        with harness.Machine("words") as m:
            # With no client at all, the normal run shows itself by its log records.
            for args in (["XY"], ["Add"], ["add", "extra"], ["cre", "x"]):
                r = m.run(args, timeout=30)
                self.assertEqual(r.rc, 1, args)
                self.assertTrue(r.out.startswith(gbk(USAGE + "原因：打开注册表失败\n")), (args, r.text))
            self.assertFalse(os.path.exists(m.probe_file))
            self.assertIsNone(run_value(m))


class Readout(unittest.TestCase):
    def test_shows_position_and_colour_every_300_ms(self):
        with harness.Machine("readout") as m:
            m.install_client()
            m.show_entry([BUILTIN[0]], rect=(300, 200, 400, 300))
            out, recent = m.readout_at(214, 109)

            line = gbk("  \r当前鼠标位置：X:214 Y:109， RGB值：255,146,62")
            self.assertTrue(out.startswith(gbk(USAGE)), out)
            rest = out[len(gbk(USAGE)):]
            # No progress lines, no probe loading: the record key's line, then the readings.
            key = gbk(RECORD_KEY)
            self.assertTrue(rest.startswith(key), rest)
            self.assertNotIn(b"\n", rest[len(key):])
            count = recent.count(line)
            self.assertTrue(7 <= count <= 11, (count, recent))  # about 3 s / 300 ms
            self.assertEqual(m.clicks(), [])


if __name__ == "__main__":
    harness.main()
