"""The class task in the release zip is a Task Scheduler task that runs every class day:
UTF-16 with its mark (as Task Scheduler exports), the task schema, a start on battery that
goes on when the charger is pulled, a missed start made up, yesterday's instance stopped,
a time limit, the user's own desktop without elevation, a start boundary on a Monday
before the release (a weekly trigger never fires before it), an interactive priority
(7 and 8 are background ones, and the client inherits its class) and the exe where the
guide puts it. check_task.py ZIP"""
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
    "Triggers/CalendarTrigger/ScheduleByWeek/WeeksInterval": "1",
}


def main(zip_path):
    with zipfile.ZipFile(zip_path, metadata_encoding="gbk") as z:  # names as Explorer reads them
        data = z.read("Quorvane-1.1/上课任务.xml")
        # Every entry carries the release time.
        released = datetime.datetime(*z.getinfo("Quorvane-1.1/上课任务.xml").date_time)
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
    boundary = root.find("/".join(NS + p for p in "Triggers/CalendarTrigger/StartBoundary".split("/")))
    start = None if boundary is None else datetime.datetime.fromisoformat(boundary.text)
    seen["Triggers/CalendarTrigger/StartBoundary"] = None if start is None else start.isoformat()
    if start is None or start.weekday() != 0 or start + datetime.timedelta(days=28) > released:
        problems.append("start boundary %s is not a Monday at least four weeks before the "
                        "release (%s)" % (None if start is None else start.isoformat(), released))
    days = root.find("/".join(NS + p for p in "Triggers/CalendarTrigger/ScheduleByWeek/DaysOfWeek".split("/")))
    names = [d.tag[len(NS):] for d in days] if days is not None else []
    if names != ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday"]:
        problems.append("days %s" % names)
    if problems:
        print("class task: " + "; ".join(problems))
        return 1
    print("class task: " + ", ".join("%s=%s" % (p.rsplit("/", 1)[1], v) for p, v in seen.items())
          + ", days " + ",".join(names))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
