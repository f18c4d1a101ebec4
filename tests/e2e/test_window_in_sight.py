"""The placed client window is in sight: a minimised one is restored, and one that
another window covers is raised above it, without being made topmost. Each probe file
first probes a point beside the window, a miss whose pause lets the client repaint."""
import unittest

import harness
from harness import gbk, normal_run, probe_line

ENTRY = (214, 109, 255, 146, 62)
# Off the placed window: the empty screen, black.
# The first line typed in full-width mode; the run shows both as the scan reads them.
PROBES = "１０００，７００　１，１，１\n214,109 255,146,62\n"
TRANSCRIPT = normal_run("找到自定义RGB文件\n",
                        probe_line(1000, 700, "000") + probe_line(214, 109, "25514662"),
                        read="1000,700 1,1,1\n214,109 255,146,62\n")


class WindowInSight(unittest.TestCase):
    def test_minimised_window_is_restored(self):
        with harness.Machine("minimised") as m:
            m.install_client()
            m.env["STANDIN_MINIMIZED"] = "1"
            m.show_entry([ENTRY], rect=(300, 200, 930, 640))
            # Saved by Notepad as UTF-16 LE, so that the emulated set-up, which runs only
            # this case and the main job, also reads such a file with the release exe.
            m.write_probe_file(PROBES, encoding="utf-16")
            r = m.run(timeout=60)

            self.assertEqual(r.out, gbk(TRANSCRIPT), r.text)
            self.assertEqual(r.rc, 0)
            self.assertEqual(m.buttons(), harness.click_at("214,109"))
            shown = [f for n, f in m.events() if n == "shown"]
            self.assertEqual(shown[0]["iconic"], "1")
            self.assertEqual((m.clicks()[0]["rect"], m.clicks()[0]["iconic"]), ("0,0,930,640", "0"))

    def test_covered_window_is_raised(self):
        with harness.Machine("covered") as m:
            m.install_client()
            # A window of its own opens over the corner after the client's, and lies above it.
            m.env["STANDIN_COVER"] = "0,0,500,400"
            m.show_entry([ENTRY])
            m.write_probe_file(PROBES)
            r = m.run(timeout=60)

            self.assertEqual(r.out, gbk(TRANSCRIPT), r.text)
            self.assertEqual(r.rc, 0)
            self.assertEqual(m.buttons(), harness.click_at("214,109"))
            self.assertEqual([n for n, _ in m.events()].count("cover"), 1)
            # Raised, not topmost: the user can still put a window over it.
            self.assertEqual(m.clicks()[0]["topmost"], "0")


if __name__ == "__main__":
    harness.main()
