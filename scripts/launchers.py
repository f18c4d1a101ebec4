"""The launchers in the release zip: one .cmd file per command word, beside Quorvane.exe,
so that each word is a double-click. Each starts Quorvane.exe from the launcher's own
folder with its word; the program's own pause keeps the window open after add, del and
cre. GBK with CR LF, as cmd.exe reads a batch file on Chinese Windows; the commands are
ASCII."""

# (file name, command word, what the file says it does)
LAUNCHERS = [
    ("记录坐标点（xy）.cmd", "xy", "显示鼠标坐标和颜色，按 Ctrl+Alt+R 记录坐标点"),
    ("开机自动运行（add）.cmd", "add", "添加开机自启动"),
    ("取消开机自动运行（del）.cmd", "del", "删除开机自启动"),
    ("生成坐标点模板（cre）.cmd", "cre", "在桌面生成自定义RGB.txt模板"),
]

TEMPLATE = """@echo off
rem 双击运行 Quorvane.exe {word}：{what}。本文件要和 Quorvane.exe 放在同一个文件夹里。
if not exist "%~dp0Quorvane.exe" goto missing
"%~dp0Quorvane.exe" {word}
exit /b %errorlevel%
:missing
echo 找不到 Quorvane.exe：请把本文件和 Quorvane.exe 放在同一个文件夹里
pause
exit /b 1
"""


def launcher_bytes(word, what):
    """The file's bytes as the zip holds them."""
    return TEMPLATE.format(word=word, what=what).replace("\n", "\r\n").encode("gbk")


def files():
    """(name, bytes) of every launcher."""
    return [(name, launcher_bytes(word, what)) for name, word, what in LAUNCHERS]
