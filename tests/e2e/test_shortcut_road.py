"""Without an uninstall record the client is opened through the all-users desktop
shortcut. Wine's command interpreter cannot open a .lnk, so the stand-in runs already,
under a lower-case image name: the process check ignores letter case."""
import re
import unittest

import harness
from harness import BUILTIN, USAGE, diagnostics, gbk, probe_line


class ShortcutRoad(unittest.TestCase):
    def test_running_client_is_placed_and_clicked(self):
        with harness.Machine("shortcut") as m:
            folder = m.install_client(register=False, client_name="dingtalk.exe")
            m.make_shortcut(harness.CLIENT_FOLDER + "\\dingtalk.exe")
            m.show_entry([BUILTIN[7]], rect=(500, 400, 300, 200))
            m.start_client(folder + "/dingtalk.exe")
            r = m.run(timeout=60)

            launch = '"C:\\Users\\Public\\Desktop\\钉钉.lnk"'
            head = gbk(USAGE + "原因：打开注册表失败\n")
            tail = gbk("获取钉钉窗口句柄成功\n找到钉钉进程\n移动钉钉窗口到左上角\n未找到自定义RGB文件\n" +
                       diagnostics(launch) +
                       "".join(probe_line(x, y, harness.BACKGROUND_KEY) for x, y, *_ in BUILTIN[:7]) +
                       probe_line(83, 120, "255185132") + "完成\n")
            self.assertRegex(r.out, b"^" + re.escape(head) + rb"[^\n]+\n" + re.escape(tail) + b"$")
            self.assertEqual(r.rc, 0)
            clicks = m.clicks()
            self.assertEqual([(c["cursor"], c["rect"]) for c in clicks], [("83,120", "0,0,930,640")])


if __name__ == "__main__":
    harness.main()
