"""A probe file on the desktop wins over the built-in list; its unusable lines are
reported and skipped, and one that holds no probe line leaves the built-in list. Files
that Notepad saved as UTF-8 or UTF-16, and lines typed in full-width mode, read as their
user wrote them."""
import unittest

import harness
from harness import BUILTIN, gbk, normal_run, probe_line

FOUND = "找到自定义RGB文件\n"


class ProbeFile(unittest.TestCase):
    def test_custom_file_wins(self):
        with harness.Machine("probefile") as m:
            m.install_client()
            # The built-in entry shows too: only the custom list may be probed. Line 1 looks
            # at the second painted point for another colour: a miss that shows 1,2,3.
            m.show_entry([BUILTIN[0], (100, 100, 1, 2, 3)])
            # Bare LF line ends, as some editors save them; the last line typed in
            # full-width mode (GBK), its digits, commas and space read as ASCII.
            m.write_probe_file("\n100,100 9,9,9\n1,2 3,4,,,,,,,,,,,,,,,,,,,,,9\n"
                               "5,5 1,2,1234567890\n１００，１００　１，２，３", line_end="\n")
            r = m.run(timeout=60)

            expected = normal_run(FOUND + "自定义RGB文件第3行超过23字节，已忽略该行\n"
                                  "自定义RGB文件第4行有超过9字节的数值，已忽略该行\n",
                                  probe_line(100, 100, "123") * 2,
                                  read="100,100 9,9,9\n100,100 1,2,3\n")
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)
            self.assertEqual(m.buttons(), harness.click_at("100,100"))

    def probe_as_notepad_saved(self, name, text, encoding):
        """text, saved in encoding, probes 150,160 for 110,120,130 and clicks there."""
        with harness.Machine(name) as m:
            m.install_client()
            m.show_entry([(150, 160, 110, 120, 130)])
            m.write_probe_file(text, encoding=encoding)
            r = m.run(timeout=60)

            expected = normal_run(FOUND, probe_line(150, 160, "110120130"),
                                  read=text.replace("，", ","))
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)
            self.assertEqual(m.buttons(), harness.click_at("150,160"))

    def test_notepad_utf8_file(self):
        # Notepad's UTF-8 with its mark; full-width commas as typed on a Chinese
        # keyboard: 25 bytes as UTF-8, 19 once the commas are ','.
        self.probe_as_notepad_saved("notepad", "150，160 110，120，130\n", "utf-8-sig")

    def test_notepad_utf16_file(self):
        # Notepad's "UTF-16 LE" (its mark FF FE), a tab between point and colour.
        self.probe_as_notepad_saved("utf16", "150，160\t110，120，130\n", "utf-16")

    def test_file_of_line_ends_only_uses_builtin_list(self):
        with harness.Machine("lineends") as m:
            m.install_client()
            m.show_entry([BUILTIN[0]])
            m.write_probe_file("\n\n\n")
            r = m.run(timeout=60)

            expected = normal_run(FOUND, probe_line(214, 109, "25514662"))
            self.assertEqual(r.out, gbk(expected), r.text)
            self.assertEqual(r.rc, 0)


if __name__ == "__main__":
    harness.main()
