"""The user guide in the release zip reads well in Notepad and says what the guide says:
UTF-8 with its mark, CR LF, at most 80 columns (a Chinese character takes two), no
Markdown left, every heading underlined, every text of the guide (its paragraphs, list
items and table cells, full-width spaces included) there in the same order, and no
quoted text “…” or command or file name broken across lines, so that a search in
Notepad finds each; and every other file of the zip (the exe, the launchers, the class
tasks) named in it, so that a parent knows what each one is for. check_guide_text.py ZIP
GUIDE"""
import re
import sys
import zipfile

sys.path.insert(0, "scripts")
import guide_text  # noqa: E402

MAX_COLUMNS = 80


def squeeze(text):
    """Without the line breaks and ASCII spaces that wrapping may add or take away; the
    full-width space is text and stays."""
    return re.sub(r"[ \t\r\n]+", "", text)


def split_texts(markdown, lines):
    """The quoted texts and code spans of the guide that no line holds whole, and the
    lines that end inside a quote."""
    prose = re.sub(r"```.*?```", "", markdown, flags=re.S)
    whole = {guide_text.plain(q) for q in re.findall(r"“[^”\n]*”", prose)}
    whole |= set(re.findall(r"`([^`\n]*)`", prose))
    wide = guide_text.WHOLE_WIDTH  # wider ones may be taken apart
    found = ["%s is split" % t for t in sorted(whole)
             if guide_text.columns(t) <= wide and not any(t in line for line in lines)]
    for n, line in enumerate(lines, 1):
        if line.count("“") > line.count("”"):
            start = line[line.rindex("“"):]
            if not any(t.startswith(start) and guide_text.columns(t) > wide for t in whole):
                found.append("line %d ends inside a quote: %s" % (n, line))
    return found


def guide_pieces(markdown):
    """The texts of the guide without Markdown, each as it must appear."""
    pieces, head = [], None
    for line in markdown.split("\n"):
        line = line.strip()
        if not line.startswith("|"):
            head = None
        if not line or line.startswith("```") or re.match(r"^\|[-|]+\|$", line):
            continue
        if line.startswith("|"):
            cells = [squeeze(guide_text.plain(c)) for c in line.strip("|").split("|")]
            if head is None:
                head = cells  # each row's cells come after their column's name
            else:
                pieces += [p for pair in zip(head, cells) for p in pair]
            continue
        pieces.append(squeeze(guide_text.plain(re.sub(r"^(#+|[-*]|\d+\.) ", "", line))))
    return pieces


def main():
    zip_path, guide_path = sys.argv[1], sys.argv[2]
    # The names are stored in GBK, as Explorer on Chinese Windows reads them.
    with zipfile.ZipFile(zip_path, metadata_encoding="gbk") as z:
        data = z.read("Quorvane-1.1/使用说明.txt")
        others = [n.split("/", 1)[1] for n in z.namelist() if not n.endswith("/使用说明.txt")]
    failures = []
    if not data.startswith(b"\xef\xbb\xbf"):
        failures.append("no UTF-8 mark")
    if re.search(rb"(?<!\r)\n", data) or re.search(rb"\r(?!\n)", data):
        failures.append("line ends other than CR LF")
    text = data[3:].decode("utf-8").replace("\r\n", "\n")
    lines = text.split("\n")
    longest = max(lines, key=guide_text.columns)
    if guide_text.columns(longest) > MAX_COLUMNS:
        failures.append("a line of %d columns: %s" % (guide_text.columns(longest), longest))
    for n, line in enumerate(lines, 1):
        if re.match(r"^\s*(\||#|```)", line) or "**" in line or "`" in line:
            failures.append("Markdown left in line %d: %s" % (n, line))
    with open(guide_path, encoding="utf-8") as f:
        markdown = f.read()
    failures += split_texts(markdown, lines)
    for heading in re.findall(r"^#+ (.*)$", markdown, flags=re.M):
        title = guide_text.plain(heading)
        at = lines.index(title) if title in lines else -1
        if at < 0 or at + 1 >= len(lines) or not re.match(r"^([=~-])\1*$", lines[at + 1]):
            failures.append("heading not underlined: %s" % title)
    failures += ["%s is not named in the guide" % n for n in others if n not in text]
    flat, at = squeeze(text), 0
    for piece in guide_pieces(markdown):
        found = flat.find(piece, at)
        if found < 0:
            failures.append("missing or out of order: %s" % piece)
        else:
            at = found + len(piece)
    print("使用说明.txt: %d lines, the longest %d columns (%d characters); %s" % (
        len(lines), guide_text.columns(longest), len(longest),
        "FAILED" if failures else "plain text, CR LF, every text of the guide in order, no quoted text split"))
    for f in failures:
        print("  " + f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
