"""The class journal on the desktop and the picture of how a run ended: a run that
clicks (started at below-normal priority, as a wizard's task starts it), a run that ends
on a failure, and a journal and a pictures folder at their bounds."""
import os
import re
import shutil
import unittest

import harness
from harness import (BACKGROUND_KEY, BUILTIN, PICTURES, SETUP, STAMP, check_stamps, gbk,
                     journal_pattern, picture_name, probe_line, read_png)

ROOM = (20, 90, 200)  # the stand-in's live room, after the click
ROOM_MARK = (250, 220, 40)  # its mark in the room, at 600,400 to 700,450
BACKGROUND = (240, 240, 240)
LIVE_BADGE = (220, 50, 50)  # at 300,180 to 420,220 while the room is not entered
NORMAL_PRIORITY = "0x20"
START_LINE = "{t} " + harness.start_line("%s")
JOINED_LINE = ("{t} 结果：已进入直播间。点击的是 %s（%s）。画面：" + PICTURES + "\\%s")
DIALOG = (30, 160, 90)  # the stand-in's dialog, centred on the screen under the client
SCREEN = (1280, 1024)
KEEP_BYTES = 256 * 1024 * 1024  # the pictures' budget
KEEP_JOURNAL = 64 * 1024  # the journal's
OUTSIDE = (960, 512)  # a point of the dialog beyond the client's area
UNSEEN = harness.started_from_linux()


class Journal(unittest.TestCase):
    def test_a_click_is_told_with_its_point_and_the_live_room(self):
        with harness.Machine("journal-click") as m:
            m.install_client()
            # The third built-in point: two misses first, the first of them pictured.
            m.show_entry([BUILTIN[2]])
            m.env["STANDIN_DIALOG"] = "1"
            shutil.copy(SETUP.program("below_normal.exe"), m.unix(harness.EXE_FOLDER))
            r = m.run([m.exe], exe=harness.EXE_FOLDER + "\\below_normal.exe", timeout=90)
            self.assertEqual(r.rc, 0, r.text)

            # Started below normal, the run is at normal priority when it starts its
            # client, which Windows then starts at normal priority too (Wine starts every
            # program at normal priority, so the program's own class is what shows here).
            starts = [f for n, f in m.events() if n == "start"]
            self.assertEqual([(f["priority"], f["quorvane_priority"]) for f in starts],
                             [(NORMAL_PRIORITY, NORMAL_PRIORITY)])

            with open(m.journal_file, "rb") as f:
                journal = f.read()
            pattern = journal_pattern([
                START_LINE % "由 below_normal.exe 启动",
                JOINED_LINE % ("231,118 255,148,62", "自带坐标点的第 3 个", "{p}")])
            match = re.match(pattern, journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            started, ended, picture = match.groups()
            check_stamps(self, [started, ended], r.started, r.ended)
            self.assertEqual(picture.decode("gbk"), picture_name(started, True))

            # One picture: the live room, the waiting one gone.
            self.assertEqual(m.picture_files(), [picture_name(started, True)])
            # The whole screen: the room at the entry and its mark, the dialog beyond.
            width, height, pixel = read_png(os.path.join(m.pictures, picture_name(started, True)))
            self.assertEqual((width, height), SCREEN)
            self.assertEqual([pixel(231, 118), pixel(650, 425), pixel(100, 600), pixel(929, 0),
                              pixel(*OUTSIDE)], [ROOM, ROOM_MARK, ROOM, ROOM, DIALOG])

    def test_a_joined_line_that_could_not_be_written_is_tried_again(self):
        with harness.Machine("journal-retry") as m:
            m.install_client()
            m.show_entry([BUILTIN[1]])
            earlier = gbk("2026-01-05 08:45:00 开始（由任务计划程序启动），还没有进入直播间\n")
            with open(m.journal_file, "wb") as f:
                f.write(earlier)
            # Locked by another program until the click: the start line and the first try
            # of the joined line fail; the second try, after the picture, gets in.
            locker = m.lock_journal()
            p = m.start()
            m.wait_for_output(gbk("完成\n"), timeout=60)
            locker.kill()
            locker.wait()
            self.assertEqual(p.wait(timeout=30), 0)
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            match = re.match(journal_pattern([
                "2026-01-05 08:45:00 开始（由任务计划程序启动），还没有进入直播间",
                JOINED_LINE % ("224,120 255,148,62", "自带坐标点的第 2 个", "{p}")]), journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            self.assertEqual(m.picture_files(), [match.group(2).decode("gbk")])
            self.assertEqual(m.background_output().count(gbk("无法写入桌面的上课记录.txt")), 1)

    def test_a_stopped_run_leaves_its_start_and_its_last_view(self):
        with harness.Machine("journal-stopped") as m:
            m.install_client()
            m.show_entry([])  # the entry never shows
            m.env["STANDIN_DIALOG"] = "1"
            m.start()
            # The second probe comes after the first miss's picture was written.
            m.wait_for_output(gbk(probe_line(*BUILTIN[1][:2], BACKGROUND_KEY)), timeout=60)
            (waiting_file,) = m.picture_files()
            taken = os.stat(os.path.join(m.pictures, waiting_file)).st_mtime_ns
            # Renewed every ten minutes, not at every miss.
            m.wait_for_output(gbk(probe_line(*BUILTIN[3][:2], BACKGROUND_KEY)), timeout=30)
            self.assertEqual(os.stat(os.path.join(m.pictures, waiting_file)).st_mtime_ns, taken)
            m.stop_programs()  # the task's time limit, say
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            match = re.match(journal_pattern([START_LINE % UNSEEN]), journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            (first,) = match.groups()
            waiting = picture_name(first, False)
            self.assertEqual(m.picture_files(), [waiting])
            width, height, pixel = read_png(os.path.join(m.pictures, waiting))
            self.assertEqual((width, height), SCREEN)
            # The stand-in's own: its live badge over the background, the right way up,
            # and the dialog that would keep a run from its class.
            self.assertEqual([pixel(214, 109), pixel(0, 0), pixel(929, 639), pixel(360, 200),
                              pixel(*OUTSIDE)], [BACKGROUND] * 3 + [LIVE_BADGE, DIALOG])

            # The next run tells how that one ended, then its own start and end.
            m.show_entry([BUILTIN[0]])
            r = m.run(timeout=90)
            self.assertEqual(r.rc, 0, r.text)
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            match = re.match(journal_pattern([
                START_LINE % UNSEEN,
                harness.STOPPED_LINE,
                START_LINE % UNSEEN,
                JOINED_LINE % ("214,109 255,146,62", "自带坐标点的第 1 个", "{p}")]), journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            # The stopped line opens with that run's start, so the journal reads in order.
            again, named, left, told, second, ended, picture = match.groups()
            self.assertEqual((again, named, left.decode("gbk")), (first, first, waiting))
            check_stamps(self, [told, second, ended], r.started, r.ended)
            self.assertEqual(picture.decode("gbk"), picture_name(second, True))
            self.assertEqual(m.picture_files(), sorted([waiting, picture_name(second, True)]))

    def test_a_screen_that_cannot_be_read_is_told_not_pictured(self):
        with harness.Machine("journal-blackout") as m:
            m.install_client()
            m.show_entry([BUILTIN[0]])
            m.env["STANDIN_BLACKOUT"] = "1"  # black everywhere, as a locked screen reads
            m.start()
            # Tried again at every miss while it cannot be read, and told once.
            m.wait_for_output(gbk(probe_line(*BUILTIN[3][:2], "000")), timeout=60)
            m.stop_programs()
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            match = re.match(journal_pattern([
                START_LINE % UNSEEN, "{t} 提示：屏幕无法读取（已锁定或显示着安全桌面），这时没有保存画面"]),
                journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            self.assertEqual(m.picture_files(), [])

    def test_a_failure_ends_the_run_with_its_reason(self):
        with harness.Machine("journal-failure") as m:
            r = m.run(timeout=60)  # no client installed, no shortcut
            self.assertEqual(r.rc, 1, r.text)
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            match = re.match(journal_pattern([
                START_LINE % UNSEEN,
                "{t} 结果：没有进入直播间，原因：无法获取桌面的钉钉快捷方式！（Quorvane.log 中有同样的记录）"]),
                journal)
            self.assertIsNotNone(match, journal.decode("gbk", "replace"))
            check_stamps(self, match.groups(), r.started, r.ended)
            self.assertEqual(m.picture_files(), [])

            # Locked by another program: it cannot be read, so it is never written as if
            # it were empty; one console line says so.
            m.lock_journal()
            r = m.run(timeout=60)
            self.assertEqual(r.rc, 1, r.text)
            self.assertIn(gbk("无法写入桌面的上课记录.txt：文件正被其他程序使用（CreateFileA 错误 32），"
                              "不影响进入直播间\n"), r.out)
            with open(m.journal_file, "rb") as f:
                self.assertEqual(f.read(), journal)

    def test_journal_and_pictures_keep_the_newest(self):
        with harness.Machine("journal-bounds") as m:
            m.install_client()
            m.show_entry([BUILTIN[0]])
            os.makedirs(m.pictures)
            # A full journal of earlier runs: 200 lines, the two oldest must go.
            earlier = b"".join(gbk(
                "2026-01-%02d 08:%02d:00 开始（由任务计划程序启动），还没有进入直播间\n"
                "2026-01-%02d 08:%02d:30 结果：已进入直播间。点击的是 214,109 255,146,62（自带坐标"
                "点的第 1 个）。画面：%s\\2026-01-%02d 08-%02d-00 已进入直播间.bmp\n"
                % (1 + i // 50, i % 50, 1 + i // 50, i % 50, PICTURES, 1 + i // 50, i % 50))
                for i in range(100))
            with open(m.journal_file, "wb") as f:
                f.write(earlier)
            # 60 pictures of earlier runs, BMPs of the versions before among them; the
            # oldest cannot be deleted (read-only, or open in a viewer). Files not ours, and
            # what runs killed while they wrote a picture left.
            # Their names lie after this run's (a clock set wrong once): this run's own
            # picture, the oldest by name, is never the one to go.
            ours = ["2099-%02d-%02d 08-00-00 %s.%s" % (1 + i // 28, 1 + i % 28,
                                                       "已进入直播间" if i % 2 else "未进入直播间",
                                                       "bmp" if i % 3 else "png")
                    for i in range(60)]
            for name in ours:
                with open(os.path.join(m.pictures, name), "wb") as f:
                    f.write(b"\x89PNG" + b"\0" * 96)
            os.chmod(os.path.join(m.pictures, ours[0]), 0o444)
            foreign = ["2026-01-01 08-00-00 别的.png", "孩子的画.png", "孩子的画.png.tmp", "说明.txt"]
            left = ["2026-01-05 08-00-00 已进入直播间.png.4000000.tmp",
                    "2025-12-01 08-00-00 未进入直播间.bmp.tmp"]
            for name in foreign + left:
                with open(os.path.join(m.pictures, name), "wb") as f:
                    f.write(b"x")

            # What runs killed while they replaced a file left, and a file that only looks so.
            leftovers = ["上课记录.txt.tmp", "上课记录.txt.4000000.tmp", "自定义RGB.txt.4000001.tmp"]
            mine = "上课记录.txt.旧.tmp"
            for name in leftovers + [mine]:
                with open(os.path.join(m.desktop, name), "wb") as f:
                    f.write(b"x")

            r = m.run(timeout=90)
            self.assertEqual(r.rc, 0, r.text)
            self.assertEqual([n for n in os.listdir(m.desktop) if n.endswith(".tmp")], [mine])
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            kept = earlier[earlier.index(b"\r\n", earlier.index(b"\r\n") + 2) + 2:]
            self.assertEqual(journal[:len(kept)], kept)
            match = re.match(journal_pattern([
                START_LINE % UNSEEN, JOINED_LINE % ("214,109 255,146,62", "自带坐标点的第 1 个", "{p}")]),
                journal[len(kept):])
            self.assertIsNotNone(match, journal[len(kept):].decode("gbk", "replace"))
            self.assertEqual(journal.count(b"\r\n"), 200)
            # Far within the bytes, the 61st picture takes the oldest that can go, and the
            # leftovers are gone.
            first = picture_name(match.group(1), True)
            self.assertEqual(m.picture_files(), sorted([ours[0]] + ours[2:] + foreign + [first]))

            # Few pictures, but over the bytes with the next run's: the oldest goes, large
            # as it is, and nothing newer.
            for name in ours[2:]:
                os.remove(os.path.join(m.pictures, name))
            large = "2025-12-31 08-00-00 已进入直播间.bmp"  # older than any
            with open(os.path.join(m.pictures, large), "wb") as f:
                f.write(b"BM")
                f.truncate(KEEP_BYTES - 4096)
            # A journal past its bound, of another program's long lines: read from its tail.
            longer = b"".join(b"%04d " % i + b"y" * 493 + b"\r\n" for i in range(140))
            with open(m.journal_file, "wb") as f:
                f.write(longer)
            r = m.run(timeout=90)
            self.assertEqual(r.rc, 0, r.text)
            with open(m.journal_file, "rb") as f:
                journal = f.read()
            second = re.findall(STAMP + rb" \S+", journal)[-2]
            own = journal.index(second)
            self.assertLessEqual(len(journal), KEEP_JOURNAL)
            # The newest lines whole, up to the run's own; the oldest gone.
            self.assertTrue(longer.endswith(journal[:own]) and journal[:own].startswith(b"0"),
                            journal[:600])
            self.assertNotIn(b"0000 ", journal)
            self.assertEqual(m.picture_files(),
                             sorted([ours[0]] + foreign + [first, picture_name(second, True)]))


if __name__ == "__main__":
    harness.main()
