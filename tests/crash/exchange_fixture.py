#!/usr/bin/env python3
"""exchange_fixture.py: folders for the export and import kill loops.

  exchange_fixture.py library <folder> <notes>
      a folder of plain .sql files, as other tools leave them: notes in ten
      group folders and in the folder itself, texts with quotes, '--', '*/',
      tabs, CRLF, accents, CJK and non-BMP characters
  exchange_fixture.py change <export-folder>
      edits an export of such a library the way a team-mate's commit does:
      every third note's query changes (its header kept), and 150 new plain
      notes arrive in five new group folders and the folder itself
"""
import os
import sys

AWKWARD = ["it''s", "-- not the end", "/* */ */", "\ttabbed", "caf\u00e9", "\u6f22\u5b57", "\U0001F600", "line\r\nbreak"]


def query(n, salt):
    return "SELECT %d AS n, '%s' AS t; -- %s\n" % (n, AWKWARD[n % len(AWKWARD)] + salt, AWKWARD[(n * 7) % len(AWKWARD)])


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("utf-8"))


def library(folder, notes):
    for n in range(notes):
        group = "" if n % 11 == 0 else "Group %d" % (n % 10)
        write(os.path.join(folder, group, "Note %d.sql" % n), query(n, ""))


def change(folder):
    files = []
    for here, dirs, names in os.walk(folder):
        dirs[:] = sorted(d for d in dirs if d != ".git")
        files += [os.path.join(here, name) for name in sorted(names) if name.endswith(".sql")]
    for i, path in enumerate(files):
        if i % 3:
            continue
        with open(path, "rb") as f:
            data = f.read()
        header, sep, _ = data.partition(b"\n\n")
        if sep:
            write(path, header.decode("utf-8") + "\n\n" + query(i, " changed"))
    for n in range(150):
        group = "" if n % 6 == 0 else "New %d" % (n % 5)
        write(os.path.join(folder, group, "Added %d.sql" % n), query(1000 + n, " added"))


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "library":
        library(sys.argv[2], int(sys.argv[3]))
    elif len(sys.argv) == 3 and sys.argv[1] == "change":
        change(sys.argv[2])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
