"""A desktop folder that cannot be found, or whose path leaves no room for the file
names, ends every start with a message and a pause: a cut path would name another file."""
import os
import unittest

import harness
from harness import USAGE, gbk

FOLDERS = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer"


class DesktopFolder(unittest.TestCase):
    def set_desktop(self, m, path):
        value = '"Desktop"="%s"' % harness.reg_escape(path)
        m.reg_import(["[%s\\User Shell Folders]" % FOLDERS, value,
                      "[%s\\Shell Folders]" % FOLDERS, value])

    def test_path_too_long_for_the_file_names(self):
        with harness.Machine("longdesk") as m:
            # 246 bytes: "\Quorvane.log" still fits, "\自定义RGB.txt" does not.
            desktop = "C:\\" + "d" * 243
            os.makedirs(m.unix(desktop))
            self.set_desktop(m, desktop)
            for args in ([], ["cre"]):
                r = m.run(args, timeout=30)
                self.assertEqual(r.rc, 1)
                self.assertTrue(r.out.startswith(gbk(
                    USAGE + "桌面文件夹的路径过长，无法在其中存放日志和自定义RGB文件：%s\n" % desktop)), r.text)
            self.assertEqual(os.listdir(m.unix(desktop)), [])

    def test_desktop_cannot_be_found(self):
        with harness.Machine("nodesk") as m:
            self.set_desktop(m, r"Q:\nowhere")
            r = m.run(timeout=30)
            self.assertEqual(r.rc, 1)
            self.assertTrue(r.out.startswith(gbk(USAGE + "无法获取桌面文件夹的路径\n")), r.text)


if __name__ == "__main__":
    harness.main()
