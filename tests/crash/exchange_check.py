#!/usr/bin/env python3
"""exchange_check.py: what a kill during an import or an export left.

  exchange_check.py import <db> <before.mdb> <after.mdb>
      reads <db> with plain SQLite (a journal left by the kill is rolled
      back as any SQLite program would): integrity check ok, no foreign key
      broken, and every group and note exactly as in <before.mdb> or
      exactly as in <after.mdb> (the whole import), never a mix
  exchange_check.py export <folder> <old> <new>
      every file of <folder> is whole: byte for byte a file of the export
      before (<old>) or of the export after (<new>); files no export wrote
      are there unchanged; a temporary file (~qbN.tmp) of the write that was
      under way is allowed and counted

Prints one line; exits 1 when anything is wrong.
"""
import os
import re
import sqlite3
import sys


def rows(path):
    db = sqlite3.connect(path)
    try:
        integrity = db.execute("PRAGMA integrity_check").fetchall()
        if integrity != [("ok",)]:
            raise ValueError("integrity check: %r" % integrity[:5])
        broken = db.execute("PRAGMA foreign_key_check").fetchall()
        if broken:
            raise ValueError("foreign keys broken: %r" % broken[:5])
        groups = db.execute("SELECT * FROM groups ORDER BY id").fetchall()
        notes = db.execute("SELECT * FROM notes ORDER BY id").fetchall()
        return groups, notes
    finally:
        db.close()


def check_import(db, before, after):
    try:
        found = rows(db)
    except (ValueError, sqlite3.DatabaseError) as e:
        print("FAILED: %s" % e)
        return 1
    old, new = rows(before), rows(after)
    if found == old:
        print("database as before (%d notes)" % len(found[1]))
        return 0
    if found == new:
        print("database holds the whole import (%d notes)" % len(found[1]))
        return 0
    print("FAILED: neither as before nor the whole import: %d groups and %d notes, before %d and %d, after %d and %d"
          % (len(found[0]), len(found[1]), len(old[0]), len(old[1]), len(new[0]), len(new[1])))
    return 1


def files(folder):
    found = {}
    for here, dirs, names in os.walk(folder):
        dirs[:] = [d for d in dirs if d != ".git"]
        for name in names:
            path = os.path.join(here, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = f.read()
    return found


def check_export(folder, old_folder, new_folder):
    run, old, new = files(folder), files(old_folder), files(new_folder)
    versions = set(old.values()) | set(new.values())
    temporary = re.compile(r"^~qb[0-9]+\.tmp$")
    faults, counts = [], {"old": 0, "new": 0, "moved": 0, "temporary": 0}
    for path, data in sorted(run.items()):
        if temporary.match(os.path.basename(path)):
            counts["temporary"] += 1
        elif path in new and data == new[path]:
            counts["new"] += 1
        elif path in old and data == old[path]:
            counts["old"] += 1
        elif (path in old or path in new) and data in versions:
            counts["moved"] += 1  # renamed, its text not yet rewritten
        else:
            faults.append(path)
    for path, data in old.items():
        # A note file's lines end as its query's do: CRLF or LF.
        foreign = not data.startswith((b"-- Quillbox note\n", b"-- Quillbox note\r\n", b"<!-- Quillbox group -->\n"))
        if foreign and run.get(path) != data:
            faults.append(path + " (a file no export wrote, changed or gone)")
    if faults:
        print("FAILED: %d files not whole: %s" % (len(faults), ", ".join(faults[:5])))
        return 1
    print("every file whole: %(new)d new, %(old)d old, %(moved)d renamed, %(temporary)d temporary" % counts)
    return 0


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "import":
        return check_import(*sys.argv[2:])
    if len(sys.argv) == 5 and sys.argv[1] == "export":
        return check_export(*sys.argv[2:])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main())
