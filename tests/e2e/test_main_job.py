"""The main job's demo: the screenshots show the window placed with the entry's colour
at its probe point, and the live room after the one click."""
import os
import tempfile
import unittest

import harness
import main_job


class MainJob(unittest.TestCase):
    def test_screenshots_show_placement_and_room(self):
        with tempfile.TemporaryDirectory() as out:
            r, clicks, problems = main_job.run_main_job(out)
            self.assertEqual(problems, [])
            self.assertEqual(r.rc, 0, r.text)
            self.assertEqual([c["cursor"] for c in clicks], ["231,118"])
            self.assertEqual(sorted(os.listdir(out)), ["1-window-placed.png", "2-live-room-entered.png"])


if __name__ == "__main__":
    harness.main()
