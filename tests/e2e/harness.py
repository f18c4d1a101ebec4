"""What the end-to-end tests share: a Wine prefix and a virtual display of their own,
the stand-in client installed into it, and Quorvane.exe run with every pause answered.

Each test file runs under one Windows set-up, named by QUORVANE_SETUP:
  wow64      64-bit Windows, the release exe (i686) through WoW64, i686 stand-ins
  win32      32-bit Windows (WINEARCH=win32), the release exe, i686 stand-ins
  x64        64-bit Windows, the x86_64 build of the same sources and x86_64 stand-ins
  emulated   as wow64, where the kernel refuses 32-bit code: the release exe under qemu
             (tests/e2e/emulated.sh starts the file); not run where 32-bit code runs
  scaled125  display scaling 125 % and 150 % on a 1920 x 1080 screen, under the Wine 10
  scaled150  of the Debian 13 folder (tests/e2e/debian13.sh starts the file); the x86_64
             build with x86_64 stand-ins
Where this machine cannot run 32-bit programs, wow64 and win32 run the x86_64 build in a
64-bit prefix in its place, and say so; QUORVANE_REQUIRE_32BIT=1 refuses that.
A set-up that cannot run here (QUORVANE_NOT_RUN says why) skips every case.
Quorvane.exe is always started by its Windows path inside the prefix, as a user starts it."""
import datetime
import getpass
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

WINE64 = "/usr/lib/wine/wine64"
WINE32 = "/usr/lib/wine/wine"
WINESERVER = "/usr/lib/wine/wineserver"
RUN_KEY = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run"
SHORTCUT = r"C:\users\Public\Desktop\钉钉.lnk"
USER = getpass.getuser()
DESKTOP = "C:\\users\\%s\\Desktop" % USER
EXE_FOLDER = r"C:\Quorvane"  # where every machine has the exe under test
# China's time, not UTC, so that a log time in the wrong zone shows. Written as a POSIX
# TZ string, which the C runtime reads from the environment in Wine and on Windows alike.
ZONE, ZONE_OFFSET = "CST-8", datetime.timedelta(hours=8)


# The name under which tests/e2e/emulated.sh registers qemu for i386 programs, in a
# namespace of its own or, where the kernel allows no private one, for the whole machine.
EMULATION_ENTRY = "/proc/sys/fs/binfmt_misc/quorvane-i386"


def runs_32bit_code():
    """None when this machine starts a 32-bit program, else the reason it does not. The
    emulated set-up runs them under qemu; everywhere else, qemu does not count."""
    if not os.path.exists(WINE32):
        return "%s is missing: wine32:i386 is not installed" % WINE32
    if not os.environ.get("QUORVANE_EMULATION") and os.path.exists(EMULATION_ENTRY):
        # Registered for the whole machine, which emulated.sh does only after the kernel
        # refused 32-bit code: the loader would answer, but only through qemu.
        return "the kernel refuses 32-bit code; %s serves the emulated set-up" % EMULATION_ENTRY
    try:
        subprocess.run([WINE32, "--version"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60, check=True)
    except OSError as e:
        return "%s: %s" % (WINE32, e.strerror)
    except subprocess.SubprocessError as e:
        return "%s --version: %s" % (WINE32, e)
    return None


def fallback_line(why):
    """The one line that says the 32-bit set-ups cannot run the release exe here."""
    return ("32-bit Windows programs cannot run on this machine (%s): no 32-bit Windows "
            "prefix; the 32-bit set-ups run the x86_64 build in a 64-bit prefix" % why)


def loader_for(bits):
    """Wine's loader for a prefix of that many bits."""
    return WINE32 if bits == 32 else WINE64


SKIPPED_STATUS = 77  # the SKIP_RETURN_CODE of the end-to-end tests (CMakeLists.txt)
# LogPixels of the scaled set-ups: 120 is 125 %, 144 is 150 %.
SCALED = {"scaled125": 120, "scaled150": 144}
SCREEN = "1280x1024x24"
# A notebook's screen: at 150 % the program sees 1280 x 720, and the placed window fits.
NOTEBOOK_SCREEN = "1920x1080x24"
# Seconds added to every limit that includes starting a program under qemu, where each
# start of a 32-bit process took 1.5 to 2 minutes of a core (a normal run starts five,
# and took 563 s alone); two such runs share two cores with the rest of the suite.
EMULATED_START_SLACK = 1200


class Setup:
    """One Windows set-up: its prefix kind, loader, screen and the build whose programs run."""

    def __init__(self, name, bits, build, fallback=None, prefix_kind=None):
        self.name, self.bits, self.build, self.fallback = name, bits, build, fallback
        self.prefix_kind = prefix_kind or "win%d" % bits
        self.loader = loader_for(bits)
        self.screen = NOTEBOOK_SCREEN if name in SCALED else SCREEN
        self.log_pixels = SCALED.get(name)
        self.emulated = name == "emulated"
        self.start_slack = EMULATED_START_SLACK if self.emulated else 0
        self.not_run = os.environ.get("QUORVANE_NOT_RUN") or None

    @property
    def exe(self):
        return os.path.join(self.build, "Quorvane.exe")

    def program(self, name):
        """A test program of the same build: stand-ins, helpers, the sleeper."""
        for folder in ("standin", "footprint"):
            path = os.path.join(self.build, "tests", folder, name)
            if os.path.exists(path):
                return path
        raise FileNotFoundError(name)

    @property
    def exe_bits(self):
        """32 for the release exe (i686), 64 for the x86_64 build, from its PE header."""
        with open(self.exe, "rb") as f:
            data = f.read(4096)
        machine = data[int.from_bytes(data[0x3C:0x40], "little") + 4:][:2]
        return 32 if machine == b"\x4c\x01" else 64

    def how(self):
        """How the exe runs here, in the words of the summary."""
        if self.fallback:
            return "the x86_64 build in place of the release exe"
        if self.emulated:
            return "the release exe under emulation (qemu-i386, %s)" % os.environ.get(
                "QUORVANE_EMULATION", "?")
        if self.log_pixels:
            return "the x86_64 build under Wine 10 at LogPixels %d" % self.log_pixels
        if self.name == "x64":
            return "the x86_64 build natively"
        return "the release exe natively"

    def describe(self):
        if self.not_run:
            return "%s set-up: not run: %s" % (self.name, self.not_run)
        text = "%s set-up: %d-bit Windows, %s: %s" % (self.name, self.bits, self.exe, self.how())
        if self.fallback:
            text += (": 32-bit Windows programs cannot run on this machine (%s)" % self.fallback)
        return text


def resolve_setup(name, build32, build64):
    if name == "x64":
        return Setup(name, 64, build64)
    if name in SCALED:
        return Setup(name, 64, build64, prefix_kind=name)
    if name not in ("wow64", "win32", "emulated"):
        raise ValueError("unknown set-up %r" % name)
    if name == "emulated":
        return Setup(name, 64, build32, prefix_kind="emulated")
    why = runs_32bit_code()
    if why and os.environ.get("QUORVANE_REQUIRE_32BIT") == "1":
        raise SystemExit(fallback_line(why) + "; QUORVANE_REQUIRE_32BIT=1 refuses that")
    if why:
        return Setup(name, 64, build64, fallback=why)
    return Setup(name, 32 if name == "win32" else 64, build32)


def _setup_from_env():
    name = os.environ.get("QUORVANE_SETUP", "wow64")
    build32 = os.environ.get("QUORVANE_BUILD32", "build/win32")
    build64 = os.environ.get("QUORVANE_BUILD64", "build/win64")
    return resolve_setup(name, os.path.abspath(build32), os.path.abspath(build64))


SETUP = _setup_from_env()
# The suite's own prefixes, which the main job and the footprint benchmark share.
PREFIXES = os.path.abspath(os.environ.get("QUORVANE_PREFIXES", "build/win32/tests/e2e/prefixes"))

# What the set-up's Windows makes of the client's install: 32-bit Windows has one
# registry view and no "(x86)" folder.
if SETUP.bits == 32:
    UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\钉钉"
    CLIENT_FOLDER = r"C:\Program Files\DingDing"
else:
    UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\钉钉"
    CLIENT_FOLDER = r"C:\Program Files (x86)\DingDing"

# The built-in probe list as (x, y, r, g, b), line by line.
BUILTIN = [(214, 109, 255, 146, 62), (224, 120, 255, 148, 62), (231, 118, 255, 148, 62),
           (219, 115, 255, 148, 99), (234, 119, 255, 148, 62), (237, 119, 255, 148, 62),
           (213, 115, 255, 148, 62), (83, 120, 255, 185, 132), (83, 111, 255, 185, 132),
           (83, 114, 255, 167, 62), (77, 117, 255, 203, 99)]
BUILTIN_TEXT = "".join("%d,%d %d,%d,%d\n" % p for p in BUILTIN)
BACKGROUND_KEY = "240240240"  # the stand-in's colour away from its entry

USAGE = ("命令：Quorvane.exe  <参数（可选）>\n参数：\n1、无参数 （启动钉钉进入直播间）\n"
         "2、xy    （显示鼠标坐标和颜色）\n3、add    （添加自启动）\n4、del    （删除自启动）\n"
         "5、cre    （创建自定义RGB文件模板）\n\n")
PROGRESS = "获取钉钉窗口句柄成功\n找到钉钉进程\n移动钉钉窗口到左上角\n"
LAUNCH = '"%s\\DingtalkLauncher.exe"' % CLIENT_FOLDER


def wine_env(prefix, display, bits=64):
    env = dict(os.environ)
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", LC_ALL="zh_CN.UTF-8", TZ=ZONE,
               WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d",
               WINEARCH="win%d" % bits)
    env.pop("DISPLAY", None)
    if display:
        env["DISPLAY"] = display
    return env


def gbk(text):
    """The bytes a console text is on the wire: GBK with CR LF line ends."""
    return text.replace("\n", "\r\n").encode("gbk")


def diagnostics(launch_command):
    return ("自定义RGB文件路径： %s\\自定义RGB.txt\n钉钉路径%s\n日志文件路径 %s\\Quorvane.log\n"
            "自带RGB数据%s\n" % (DESKTOP, launch_command, DESKTOP, BUILTIN_TEXT))


def probe_line(x, y, key):
    return "当前位置：%d,%d RGB：%s\n" % (x, y, key)


READ_HEADING = "程序使用自定义RGB.txt中的坐标点，读到的内容是：\n"


def normal_run(probe_loading, probes, launch=LAUNCH, read=None):
    """The whole transcript of a normal run that ends in a click; read: the probe text
    that the program read from the file and uses."""
    shown = READ_HEADING + read if read else ""
    return (USAGE + PROGRESS + probe_loading + diagnostics(launch) + shown + probes +
            "完成\n")


def click_at(cursor, button="left"):
    """What the stand-in sees of one click: the press, then the release, at cursor."""
    return [("press", button, cursor), ("release", button, cursor)]


# The time line of a log record, its six values captured.
TIME_LINE = re.escape(gbk("时间：")) + rb"(\d{4})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d)"


def records(messages, blank=False):
    """A pattern of the log records of messages, in order; blank: the log file's empty
    line after each."""
    end = re.escape(gbk("\n\n" if blank else "\n"))
    return b"".join(re.escape(gbk("原因：%s\n" % m)) + TIME_LINE + end for m in messages)


def local_time(seconds):
    t = datetime.datetime.fromtimestamp(seconds, datetime.timezone(ZONE_OFFSET))
    return (t.year, t.month, t.day, t.hour, t.minute, t.second)


def check_log_times(test, data, start, end):
    """Every time line of data is the local time of a moment from start to end (the clock
    read around the runs, a second's slack either side)."""
    low, high = local_time(start - 1), local_time(end + 1)
    times = [tuple(int(v) for v in t) for t in re.findall(TIME_LINE, data)]
    test.assertTrue(times, data)
    for t in times:
        test.assertTrue(low <= t <= high, "logged %s, clock %s to %s" % (t, low, high))


# The date and time that open every line of the class journal, captured.
STAMP = rb"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"
JOURNAL = "上课记录.txt"


def started_from_linux():
    """How a run started from Linux reads in the journal's start line: Wine's 64-bit
    loader hands a 32-bit exe on through its start.exe, which stays its parent; any
    other start has no Windows parent."""
    if SETUP.bits == 64 and SETUP.exe_bits == 32:
        return "由 start.exe 启动"
    return "启动方式不明"
PICTURES = "上课画面"


def start_line(how=None):
    """A run's start line after its stamp; how: the way it was started (as from Linux)."""
    return "开始（%s）。这次之后没有“结果：已进入直播间”一行，就是没有进入直播间" % (
        how or started_from_linux())


STOPPED_LINE = ("{t} 结果：没有进入直播间。这次运行在进入之前被停止了（窗口被关闭、超过任务的时限、"
                "被任务的下一次启动停止，或关机）。最后的画面：" + PICTURES + "\\{p}（下一次运行在 {t} 补记）")
REFUSED_LINE = "{t} 这次没有检查（%s）：另一次运行正在检查并移动鼠标，两次不能同时进行；那一次照常进行"


def journal_pattern(lines):
    """A pattern of the journal's whole text: each line as written, with {t} where a
    time stands (captured as STAMP) and {p} where a picture's name does (captured)."""
    out = b""
    for line in lines:
        for part in re.split(r"(\{t\}|\{p\})", line):
            out += STAMP if part == "{t}" else rb"([^\r\n]+?)" if part == "{p}" else re.escape(gbk(part))
        out += b"\r\n"
    return b"^" + out + b"$"


def check_stamps(test, stamps, start, end):
    """Every stamp is the local time of a moment from start to end, a second's slack."""
    low, high = local_time(start - 1), local_time(end + 1)
    for s in stamps:
        t = tuple(int(v) for v in re.findall(rb"\d+", s))
        test.assertTrue(low <= t <= high, "stamped %s, clock %s to %s" % (s, low, high))


def picture_name(stamp, joined):
    """The picture's name for the run that started at stamp (bytes, as in the journal)."""
    return "%s %s.png" % (stamp.decode().replace(":", "-"), "已进入直播间" if joined else "未进入直播间")


def read_png(path):
    """(width, height, pixel) of an 8-bit RGB or RGBA PNG, decoded here from its chunks
    (zlib and the five row filters), apart from the program's own encoder; pixel(x, y) is
    (r, g, b) with y counted from the top. Fails on any other file, or a damaged one."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    at, header, packed = 8, None, b""
    while at < len(data):
        length = int.from_bytes(data[at:at + 4], "big")
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        assert zlib.crc32(kind + body) == int.from_bytes(data[at + 8 + length:at + 12 + length], "big"), kind
        header = body if kind == b"IHDR" else header
        packed += body if kind == b"IDAT" else b""
        at += 12 + length
        if kind == b"IEND":
            break
    width, height = int.from_bytes(header[0:4], "big"), int.from_bytes(header[4:8], "big")
    depth, colour, interlace = header[8], header[9], header[12]
    assert (depth, colour in (2, 6), interlace) == (8, True, 0), (depth, colour, interlace)
    step = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(packed), width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up, corner = previous[i], previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                guess = left + up - corner
                near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                           (abs(guess - corner), 2, corner))[2]
                line[i] = (line[i] + near) & 255
            else:
                assert kind == 0, kind
        rows.append(line)
        previous = line

    def pixel(x, y):
        return tuple(rows[y][x * step:x * step + 3])
    return width, height, pixel


class Result:
    def __init__(self, rc, out, err, started, ended):
        self.rc, self.out, self.err, self.started, self.ended = rc, out, err, started, ended
        self.elapsed = ended - started

    @property
    def text(self):
        return self.out.decode("gbk", "replace").replace("\r\n", "\n")

    @property
    def err_text(self):
        return self.err.decode("gbk", "replace").replace("\r\n", "\n")


class Machine:
    """A Windows of its own: a copied Wine prefix and an Xvfb display."""

    def __init__(self, name):
        self.name = name

    def __enter__(self):
        if SETUP.not_run:
            raise unittest.SkipTest("%s set-up not run: %s" % (SETUP.name, SETUP.not_run))
        self.root = tempfile.mkdtemp(prefix="quorvane-%s-" % self.name,
                                     dir=os.environ.get("QUORVANE_MACHINES"))
        self.prefix = os.path.join(self.root, "prefix")
        copy_prefix(os.path.join(PREFIXES, SETUP.prefix_kind), self.prefix)
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", SETUP.screen, "-nolisten",
             "tcp"], pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.display = ":" + f.readline().strip()
        self.env = wine_env(self.prefix, self.display, SETUP.bits)
        self.events_file = self.unix(r"C:\standin-events.txt")
        self.env["STANDIN_EVENTS"] = r"C:\standin-events.txt"
        self.started = []
        self.cleanups = []
        self.exe = self.install_exe(EXE_FOLDER)
        return self

    def __exit__(self, *exc):
        for cleanup in reversed(self.cleanups):
            cleanup()
        self.stop_programs()
        self.xvfb.kill()
        self.xvfb.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    # --- paths -------------------------------------------------------------
    def unix(self, win):
        """The Linux path of a C:\\ path inside the prefix (case as Wine made it)."""
        assert win[:3].upper() == "C:\\", win
        return os.path.join(self.prefix, "drive_c", *win[3:].split("\\"))

    def install_launchers(self, folder):
        """The exe and the zip's launchers in folder, as the user unpacked them; returns
        {command word: the launcher's Windows path}."""
        self.install_exe(folder)
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                        "scripts"))
        import launchers
        paths = {}
        for (name, data), (_, word, _) in zip(launchers.files(), launchers.LAUNCHERS):
            with open(os.path.join(self.unix(folder), name), "wb") as f:
                f.write(data)
            paths[word] = folder + "\\" + name
        return paths

    def install_exe(self, folder):
        """Copies the exe under test into folder; returns the Windows path it is started
        by. Given a Unix path, Wine would reach it as Z:\\..., which fails past MAX_PATH."""
        os.makedirs(self.unix(folder), exist_ok=True)
        shutil.copy(SETUP.exe, os.path.join(self.unix(folder), "Quorvane.exe"))
        return folder + "\\Quorvane.exe"

    @property
    def desktop(self):
        return self.unix(DESKTOP)

    @property
    def log_file(self):
        return os.path.join(self.desktop, "Quorvane.log")

    @property
    def journal_file(self):
        return os.path.join(self.desktop, JOURNAL)

    @property
    def pictures(self):
        return os.path.join(self.desktop, PICTURES)

    def picture_files(self):
        return sorted(os.listdir(self.pictures)) if os.path.isdir(self.pictures) else []

    @property
    def probe_file(self):
        return os.path.join(self.desktop, "自定义RGB.txt")

    def write_probe_file(self, text, encoding="gbk", line_end="\r\n"):
        """The probe file as an editor saves text: line ends and encoding as given."""
        os.makedirs(self.desktop, exist_ok=True)
        with open(self.probe_file, "wb") as f:
            f.write(text.replace("\n", line_end).encode(encoding))

    def mount_small_desktop(self, size):
        """Puts the desktop on a tmpfs of size bytes, unmounted when the machine ends.
        Skips the test where this machine refuses the mount."""
        os.makedirs(self.desktop, exist_ok=True)
        r = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%d" % size, "quorvane-desktop",
                            self.desktop], capture_output=True, text=True)
        if r.returncode != 0:
            raise unittest.SkipTest("cannot mount a small filesystem on the desktop here: %s"
                                    % (r.stderr.strip() or r.returncode))
        self.cleanups.append(lambda: subprocess.run(["umount", "-l", self.desktop]))

    # --- registry ----------------------------------------------------------
    def reg_import(self, lines):
        """Imports registry lines written as in a .reg file (values escaped there)."""
        path = os.path.join(self.root, "import.reg")
        text = "Windows Registry Editor Version 5.00\r\n\r\n" + "\r\n".join(lines) + "\r\n"
        with open(path, "wb") as f:
            f.write(b"\xff\xfe" + text.encode("utf-16-le"))
        self.wine(["regedit", "/s", path])

    def reg_export(self, key):
        """The text of a key as regedit exports it, or '' when the key is missing."""
        path = os.path.join(self.root, "export.reg")
        if os.path.exists(path):
            os.unlink(path)
        self.wine(["regedit", "/e", path, key])
        if not os.path.exists(path):
            return ""
        with open(path, "rb") as f:
            return f.read().decode("utf-16").replace("\r\n", "\n")

    def set_uninstall_string(self, value):
        """value as the Windows text to store, or a .reg data form such as 'dword:5'."""
        data = value if value.startswith("dword:") else '"%s"' % reg_escape(value)
        self.reg_import(["[%s]" % UNINSTALL_KEY, '"UninstallString"=%s' % data])

    # --- the stand-in client -----------------------------------------------
    def install_client(self, folder=CLIENT_FOLDER, client_name="DingTalk.exe", register=True):
        target = self.unix(folder)
        os.makedirs(target, exist_ok=True)
        shutil.copy(SETUP.program("DingTalk.exe"), os.path.join(target, client_name))
        shutil.copy(SETUP.program("DingtalkLauncher.exe"), os.path.join(target, "DingtalkLauncher.exe"))
        if client_name != "DingTalk.exe":
            self.env["STANDIN_CLIENT"] = client_name
        if register:
            self.set_uninstall_string(folder + "\\uninst.exe")
        return target

    def show_entry(self, points, delay_ms=0, rect=None):
        """What the stand-in paints: (x, y, r, g, b) points, shown after delay_ms."""
        self.env["STANDIN_POINTS"] = ";".join("%d,%d,%d,%d,%d" % p for p in points)
        self.env["STANDIN_POINTS_DELAY"] = str(delay_ms)
        if rect:
            self.env["STANDIN_RECT"] = "%d,%d,%d,%d" % rect

    def make_shortcut(self, target):
        self.wine([SETUP.program("make_shortcut.exe"), SHORTCUT, target], check=True)

    def start_client(self, path):
        """Starts the stand-in by hand (the shortcut road cannot start it under Wine);
        path is its Windows path."""
        p = subprocess.Popen([SETUP.loader, path], env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.started.append(p)
        self.wait_for_event("shown", timeout=30 + SETUP.start_slack)
        return p

    def events(self):
        """The stand-in's events as (name, fields) pairs, in order."""
        if not os.path.exists(self.events_file):
            return []
        out = []
        with open(self.events_file) as f:
            for line in f:
                words = line.split()
                fields = dict(w.split("=", 1) for w in words[1:] if "=" in w)
                out.append((words[0], fields))
        return out

    def clicks(self):
        """The fields of every button press."""
        return [fields for name, fields in self.events() if name == "press"]

    def buttons(self):
        """Every press and release as (event, button, cursor), in order."""
        return [(name, f["button"], f["cursor"]) for name, f in self.events()
                if name in ("press", "release")]

    def wait_until(self, what, timeout):
        """Polls the stand-in's events until what(events) holds; False on timeout."""
        end = time.time() + timeout
        while time.time() < end:
            if what(self.events()):
                return True
            time.sleep(0.1)
        return False

    def wait_for_event(self, name, timeout):
        if not self.wait_until(lambda ev: any(n == name for n, _ in ev), timeout):
            raise AssertionError("stand-in never reported %r" % name)

    def wait_for_placement(self, timeout):
        """True once the stand-in's window stands where the program puts it (the program
        and the client were started in the time)."""
        return self.wait_until(
            lambda ev: any(f.get("rect") == "0,0,930,640" for _, f in ev),
            timeout + SETUP.start_slack)

    # --- running -----------------------------------------------------------
    def keep_server(self):
        """Keeps the wineserver running between programs, through a program that only
        sleeps until the machine ends."""
        p = subprocess.Popen([SETUP.loader, SETUP.program("sleeper.exe")], env=self.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             stdin=subprocess.DEVNULL)
        self.started.append(p)

    def wine(self, args, check=False, timeout=60):
        return subprocess.run([SETUP.loader] + args, env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                              check=check, timeout=timeout + SETUP.start_slack)

    def run(self, args=(), exe=None, timeout=120):
        """Runs Quorvane.exe (self.exe, or the Windows path exe) to its end. Standard
        input is empty, so every pause returns at once; output goes to files, since
        started programs inherit it."""
        exe = exe or self.exe
        out_path = os.path.join(self.root, "stdout")
        err_path = os.path.join(self.root, "stderr")
        start = time.time()
        with open(out_path, "wb") as out, open(err_path, "wb") as err:
            p = subprocess.Popen([SETUP.loader, exe] + list(args), env=self.env, stdout=out,
                                 stderr=err, stdin=subprocess.DEVNULL)
            try:
                rc = p.wait(timeout=timeout + SETUP.start_slack)
            except subprocess.TimeoutExpired:
                p.kill()
                raise
        ended = time.time()
        with open(out_path, "rb") as f:
            out_bytes = f.read()
        with open(err_path, "rb") as f:
            err_bytes = f.read()
        return Result(rc, out_bytes, err_bytes, start, ended)

    def start(self, args=(), exe=None, output="bg-stdout"):
        """Starts Quorvane.exe and leaves it running; output in self.root/<output>, so
        that two running at once each have their own."""
        exe = exe or self.exe
        out = open(os.path.join(self.root, output), "wb")
        p = subprocess.Popen([SETUP.loader, exe] + list(args), env=self.env, stdout=out,
                             stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.started.append(p)
        return p

    def readout_at(self, x, y, seconds=3):
        """Starts the readout (xy), puts the cursor at x, y once the client's window is
        placed, and returns (all its output, what it wrote in the next seconds); the
        readout must still run then."""
        p = self.start(["xy"])
        assert self.wait_for_placement(40), "the window was never placed"
        self.wine([SETUP.program("set_cursor.exe"), str(x), str(y)], check=True)
        time.sleep(1)
        start = len(self.background_output())
        time.sleep(seconds)
        out = self.background_output()
        assert p.poll() is None, "the readout ended: %r" % out
        return out, out[start:]

    def press_record_key(self, shift=False):
        """Presses the readout's record key, Ctrl+Alt+R (with shift: Ctrl+Alt+Shift+R)."""
        self.wine([SETUP.program("record_key.exe"), "press"] + (["shift"] if shift else []),
                  check=True)

    def hold_record_key(self, shift=False):
        """Another program holds Ctrl+Alt+R (with shift: Ctrl+Alt+Shift+R too) until the
        machine ends."""
        ready = r"C:\record-key-held.txt"
        self.hold(["record_key.exe", "hold", ready] + (["shift"] if shift else []), ready)

    def lock_journal(self):
        """Another program holds the class journal open with no sharing, until it is
        killed or the machine ends; returns that program."""
        ready = r"C:\journal-locked.txt"
        return self.hold(["lock_file.exe", DESKTOP + "\\" + JOURNAL, ready], ready)

    def hold(self, args, ready):
        """Starts the helper program args[0] with the rest, which writes the Windows path
        ready once it holds what it holds, and waits for that; returns the program."""
        p = subprocess.Popen([SETUP.loader, SETUP.program(args[0])] + args[1:], env=self.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             stdin=subprocess.DEVNULL)
        self.started.append(p)
        end = time.time() + 30 + SETUP.start_slack
        while not os.path.exists(self.unix(ready)):
            assert p.poll() is None and time.time() < end, "%s never held it" % args[0]
            time.sleep(0.1)
        return p

    def wait_for_output(self, data, timeout=20, output="bg-stdout"):
        """The background output once it holds data (bytes); fails after timeout seconds."""
        end = time.time() + timeout + SETUP.start_slack
        while time.time() < end:
            out = self.background_output(output)
            if data in out:
                return out
            time.sleep(0.1)
        tail = self.background_output(output)[-400:].decode("gbk", "replace")
        raise AssertionError("never printed %r; the output ends %r" % (
            data.decode("gbk", "replace"), tail))

    def kill_quorvane(self):
        """Ends every running Quorvane.exe at once, as Task Scheduler's stop or a closed
        window does, and leaves the other programs and the server running."""
        self.wine(["taskkill", "/f", "/im", "Quorvane.exe"], check=True)

    def stop_programs(self):
        """Ends every Windows program of the machine (a readout, the stand-in) and the
        server, as a user who closes them all."""
        for p in self.started:
            if p.poll() is None:
                p.kill()
                p.wait()
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, stderr=subprocess.DEVNULL)

    def background_output(self, output="bg-stdout"):
        with open(os.path.join(self.root, output), "rb") as f:
            return f.read()


def reg_escape(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def copy_prefix(template, target):
    """Copies the template prefix. The system folders, most of its size, are hard-linked:
    nothing writes there."""
    linked = ("system32", "syswow64")
    windows = os.path.join("drive_c", "windows")
    shutil.copytree(template, target, symlinks=True,
                    ignore=lambda d, names: linked if d.endswith(windows) else ())
    for name in linked:
        if not os.path.isdir(os.path.join(template, windows, name)):
            continue
        subprocess.run(["cp", "-al", os.path.join(template, windows, name),
                        os.path.join(target, windows, name)], check=True)


def main():
    """Runs the file's tests under the set-up and adds one line of figures to the file
    named by QUORVANE_E2E_RESULTS, for the closing summary."""
    print(SETUP.describe(), flush=True)
    start = time.time()
    program = unittest.main(exit=False, verbosity=2)
    result = program.result
    failed = len(result.failures) + len(result.errors) + len(result.unexpectedSuccesses)
    path = os.environ.get("QUORVANE_E2E_RESULTS")
    if path:
        record = {"setup": SETUP.name, "bits": SETUP.bits, "exe": SETUP.exe,
                  "fallback": SETUP.fallback, "how": SETUP.how(), "not_run": SETUP.not_run,
                  "file": os.path.basename(sys.argv[0]),
                  "ran": result.testsRun, "failed": failed, "skipped": len(result.skipped),
                  "start": start, "end": time.time()}
        with open(path, "a") as f:
            f.write(json.dumps(record) + "\n")
    if not result.wasSuccessful():
        sys.exit(1)
    # CTest shows a set-up that could not run as skipped, never as passed.
    sys.exit(SKIPPED_STATUS if SETUP.not_run else 0)

