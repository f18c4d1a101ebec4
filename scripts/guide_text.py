#!/usr/bin/env python3
"""The user guide (docs/user-guide.zh-CN.md) as plain text for Notepad: no Markdown marks,
no tables, every line at most WIDTH columns (a Chinese character takes two, and so do
quotes, arrows and the bullet, as a Chinese font draws them), headings underlined at
every level, tables as one block per row. A quoted text “…” (a message, a Windows label)
and a command or file name are never broken across lines, so that Notepad's search finds
them. guide_text.py [GUIDE] prints it (LF line ends); the release package adds the UTF-8
mark and CR LF."""
import re
import sys
import unicodedata

WIDTH = 78  # Notepad's window is about 80 characters wide
# A line must not start with these; they stay with the character before them.
CLOSING = set("，。、；：？！）」』》”’…%,.;:?!)")
# A line must not end with these; they go with the character after them.
OPENING = set("（「『《“‘(")


BULLET = "•"
UNDERLINES = {1: "=", 2: "-"}  # deeper headings: "~"


def columns(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WFA" else 1 for c in text)


def plain(text, keep_code=False):
    """Inline Markdown as it reads in plain text; keep_code: code spans keep their marks,
    for tokens() to hold them whole."""
    text = re.sub(r"\[([^\]]*)\]\(([^)]*)\)", r"\1（\2）", text)
    text = text.replace("**", "")
    return text if keep_code else re.sub(r"`([^`]*)`", r"\1", text)


# A run of ASCII non-space characters, spaces, one character: where a line may break.
BREAKABLE = r"[!-~]+| +|."
# The same, with a code span or a quoted text as one piece.
PIECE = r"`[^`]*`|“[^”]*”|" + BREAKABLE
# A piece wider than this could leave a line nearly empty: it is taken apart.
WHOLE_WIDTH = WIDTH - 8


def tokens(text):
    """Pieces a line may break between: code spans (without their marks), quoted texts
    and runs of ASCII non-space characters stay whole, every other character stands
    alone, ASCII spaces are kept as their own pieces. A piece too wide for any line is
    taken apart."""
    out = []
    for piece in re.findall(PIECE, text):
        if piece.startswith("`"):
            piece = piece[1:-1]
        if columns(piece) > WHOLE_WIDTH and len(piece) > 1:
            out += re.findall(BREAKABLE, piece)
        else:
            out.append(piece)
    return out


def wrap(text, first, rest):
    """Lines of text after the prefix first (then rest), none wider than WIDTH. A closing
    mark that does not fit takes the character before it onto the next line, and an
    opening mark never ends a line."""
    lines, line = [], [first]
    for piece in tokens(text):
        if piece.startswith(" "):  # the full-width space "　" is text
            if len(line) > 1 and not line[-1].isspace():
                line.append(" ")
            continue
        if columns("".join(line) + piece) > WIDTH and len(line) > 1:
            carried = []
            if piece[0] in CLOSING:
                # Back to the last character that may start a line.
                while len(line) > 2 and (not carried or carried[0][0] in CLOSING):
                    carried.insert(0, line.pop())
            while len(line) > 2 and line[-1][-1] in OPENING:
                carried.insert(0, line.pop())
            lines.append("".join(line).rstrip())
            line = [rest] + [c for c in carried if not c.isspace()]
        line.append(piece)
    if len(line) > 1:
        lines.append("".join(line).rstrip())
    for l in lines:
        if columns(l) > WIDTH:
            raise SystemExit("guide_text: cannot fit into %d columns: %s" % (WIDTH, l))
    return lines


def cells(row, keep_code=False):
    return [plain(c.strip(), keep_code) for c in row.strip().strip("|").split("|")]


def table(rows):
    """A table as one block per row: each cell after its column's name, the first one
    marked as the block's heading."""
    head = cells(rows[0])
    out = []
    for row in rows[2:]:
        values = cells(row, keep_code=True)
        out += wrap(values[0], "■ %s：" % head[0], "  ")
        for name, value in zip(head[1:], values[1:]):
            out += wrap(value, "  %s：" % name, "      ")
        out.append("")
    return out


def convert(markdown):
    out = []
    lines = markdown.split("\n")
    i = 0
    while i < len(lines):
        line = lines[i]
        stripped = line.strip()
        if stripped.startswith("```"):
            i += 1
            while not lines[i].strip().startswith("```"):
                out.append("    " + lines[i].strip())
                i += 1
            i += 1
            continue
        if stripped.startswith("|"):
            block = []
            while i < len(lines) and lines[i].strip().startswith("|"):
                block.append(lines[i])
                i += 1
            out += table(block)
            continue
        heading = re.match(r"^(#+) (.*)$", line)
        if heading:
            title = plain(heading.group(2))
            mark = UNDERLINES.get(len(heading.group(1)), "~")
            if out and out[-1] != "":
                out.append("")
            out.append(title)
            out.append(mark * columns(title))
            out.append("")
            i += 1
            continue
        item = re.match(r"^( *)([-*]|\d+\.) (.*)$", line)
        if item:
            indent = " " * len(item.group(1))
            bullet = BULLET if item.group(2) in "-*" else item.group(2)
            prefix = indent + bullet + " "
            # An item goes on in the lines indented under it.
            text = item.group(3)
            while (i + 1 < len(lines) and lines[i + 1].startswith(indent + " ") and
                   lines[i + 1].strip() and not re.match(r"^ *([-*]|\d+\.) |^ *```",
                                                         lines[i + 1])):
                i += 1
                text += lines[i].strip()
            out += wrap(plain(text, keep_code=True), prefix, " " * columns(prefix))
            i += 1
            continue
        if not stripped:
            if out and out[-1] != "":
                out.append("")
            i += 1
            continue
        # A paragraph: its lines joined, Chinese needs no space between them.
        text = stripped
        while i + 1 < len(lines) and lines[i + 1].strip() and not re.match(
                r"^ *([-*]|\d+\.|#+|\||```)", lines[i + 1]):
            i += 1
            text += lines[i].strip()
        out += wrap(plain(text, keep_code=True), "", "")
        i += 1
    while out and out[-1] == "":
        out.pop()
    return "\n".join(out) + "\n"


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "docs/user-guide.zh-CN.md"
    with open(path, encoding="utf-8") as f:
        sys.stdout.write(convert(f.read()))


if __name__ == "__main__":
    main()
