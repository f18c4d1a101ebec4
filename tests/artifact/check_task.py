"""The class task in the release zip is a Task Scheduler task that runs every class day:
UTF-16 with its mark (as Task Scheduler exports), the task schema, a start on battery that
goes on when the charger is pulled, a missed start made up, yesterday's instance stopped,
a time limit, the user's own desktop without elevation, a start boundary on a Monday
before the release (a weekly trigger never fires before it), an interactive priority
(7 and 8 are background ones, and the client inherits its class) and the exe where the
guide puts it. Both task files: one class a day (8:45), and three (8:40, 10:40 and 14:10),
each time on its own trigger with the same week. check_task.py ZIP"""
import datetime
import sys
import xml.etree.ElementTree as ET
import zipfile

NS = "{http://schemas.microsoft.com/windows/2004/02/mit/task}"
EXE = r"C:\Quorvane-1.1\Quorvane.exe"  # where the guide has the zip unpacked
EXPECTED = {
    "Settings/DisallowStartIfOnBatteries": "false",
    "Settings/StopIfGoingOnBatteries": "false",
    "Settings/StartWhenAvailable": "true",
    "Settings/MultipleInstancesPolicy": "StopExisting",
    "Settings/ExecutionTimeLimit": "PT3H",
    "Settings/Enabled": "true",
    "Settings/Priority": "5",
    "Principals/Principal/LogonType": "InteractiveToken",
    "Principals/Principal/RunLevel": "LeastPrivilege",
    "Actions/Exec/Command": EXE,
    "Actions/Exec/WorkingDirectory": EXE.rsplit("\\", 1)[0],
}
# The task files and the start times of their triggers, in order.
TASKS = {
    "Quorvane-1.1/上课任务.xml": ["08:45"],
    "Quorvane-1.1/上课任务（一天三节课）.xml": ["08:40", "10:40", "14:10"],
}
WEEKDAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday"]


def check(z, name, times):
    """The problems of one task file, and its figures."""
    data = z.read(name)
    # Every entry carries the release time.
    released = datetime.datetime(*z.getinfo(name).date_time)
    problems = []
    if not data.startswith(b"\xff\xfe"):
        problems.append("not UTF-16 LE with its mark")
    text = data.decode("utf-16")
    if "\n" in text.replace("\r\n", ""):
        problems.append("a line end that is not CR LF")
    root = ET.fromstring(text.encode("utf-16"))
    if root.tag != NS + "Task" or root.get("version") != "1.2":
        problems.append("not a Task Scheduler task of version 1.2: %s %s" % (root.tag, root.attrib))
    seen = {}
    for path, want in EXPECTED.items():
        node = root.find("/".join(NS + p for p in path.split("/")))
        seen[path] = None if node is None else node.text
        if seen[path] != want:
            problems.append("%s is %r, not %r" % (path, seen[path], want))
    if root.find(NS + "Principals/" + NS + "Principal/" + NS + "UserId") is not None:
        problems.append("a user of its own: it must run as whoever imports it")
    triggers = root.findall(NS + "Triggers/*")
    starts = []
    for trigger in triggers:
        where = "trigger %d" % (len(starts) + 1)
        if trigger.tag != NS + "CalendarTrigger":
            problems.append("%s is a %s" % (where, trigger.tag[len(NS):]))
            continue
        boundary = trigger.find(NS + "StartBoundary")
        start = None if boundary is None else datetime.datetime.fromisoformat(boundary.text)
        starts.append(None if start is None else start.strftime("%H:%M"))
        if start is None or start.weekday() != 0 or start + datetime.timedelta(days=28) > released:
            problems.append("%s: start boundary %s is not a Monday at least four weeks before "
                            "the release (%s)" % (where, None if start is None else start.isoformat(),
                                                  released))
        week = trigger.find(NS + "ScheduleByWeek")
        interval = None if week is None else week.find(NS + "WeeksInterval")
        days = None if week is None else week.find(NS + "DaysOfWeek")
        names = [d.tag[len(NS):] for d in days] if days is not None else []
        if names != WEEKDAYS or interval is None or interval.text != "1":
            problems.append("%s: days %s, every %s weeks" % (
                where, names, None if interval is None else interval.text))
        enabled = trigger.find(NS + "Enabled")
        if enabled is None or enabled.text != "true":
            problems.append("%s is not enabled" % where)
    if starts != times:
        problems.append("start times %s, not %s" % (starts, times))
    figures = ", ".join("%s=%s" % (p.rsplit("/", 1)[1], v) for p, v in seen.items())
    return problems, "%s: %s, starts %s Monday to Friday" % (
        name.rsplit("/", 1)[1], figures, ",".join(str(t) for t in starts))


def main(zip_path):
    problems, figures = [], []
    with zipfile.ZipFile(zip_path, metadata_encoding="gbk") as z:  # names as Explorer reads them
        for name, times in TASKS.items():
            found, said = check(z, name, times)
            problems += ["%s: %s" % (name.rsplit("/", 1)[1], p) for p in found]
            figures.append(said)
    if problems:
        print("class task: " + "; ".join(problems))
        return 1
    print("class task: " + "; ".join(figures))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
