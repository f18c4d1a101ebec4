"""Without an uninstall record the client is opened through the all-users desktop
shortcut. Wine's command interpreter cannot open a .lnk, so the stand-in runs already,
under a lower-case image name: the process check ignores letter case."""
import re
import unittest

import harness
from harness import BUILTIN, USAGE, gbk, normal_run, probe_line, records


class ShortcutRoad(unittest.TestCase):
    def test_running_client_is_placed_and_clicked(self):
        with harness.Machine("shortcut") as m:
            m.install_client(register=False, client_name="dingtalk.exe")
            m.make_shortcut(harness.CLIENT_FOLDER + "\\dingtalk.exe")
            m.show_entry([BUILTIN[7]], rect=(500, 400, 300, 200))
            m.start_client(harness.CLIENT_FOLDER + "\\dingtalk.exe")
            r = m.run(timeout=60)

            expected = normal_run(
                "未找到自定义RGB文件\n",
                "".join(probe_line(x, y, harness.BACKGROUND_KEY) for x, y, *_ in BUILTIN[:7]) +
                probe_line(83, 120, "255185132"),
                launch='"C:\\Users\\Public\\Desktop\\钉钉.lnk"')
            self.assertRegex(r.out, b"^" + re.escape(gbk(USAGE)) + records(["打开注册表失败"]) +
                             re.escape(gbk(expected[len(USAGE):])) + b"$")
            self.assertEqual(r.rc, 0)
            self.assertEqual(m.buttons(), harness.click_at("83,120"))
            self.assertEqual(m.clicks()[0]["rect"], "0,0,930,640")


if __name__ == "__main__":
    harness.main()
