#!/usr/bin/env python3
"""sync_fixture.py <database> <folder> <gone-file>: changes on both sides of
a note database and a folder that were last synchronized together, as two
users leave them, and writes to <gone-file> the queries a sync must remove (replaced by a
change, or deleted on one side and unchanged on the other), one JSON string
per line.

Folder: every third note file gets a new query, 20 files are deleted (10 of
them of notes the database changes: the change must stay), 100 new note
files arrive. Database: every fifth note gets a new query (some the same as
the folder's: no conflict; others different: both kept), 20 notes are
deleted (10 of them changed in the folder: the change must stay), 50 notes
arrive in a new group.
"""
import json
import os
import sqlite3
import sys


def note_file(title, group, query):
    return ("-- Quillbox note\n-- title: %s\n-- group: %s\n-- comments: null\n\n%s"
            % (json.dumps(title), json.dumps(group), query)).encode("utf-8")


def main():
    db_path, folder, gone_path = sys.argv[1:4]
    files = []
    for here, dirs, names in os.walk(folder):
        dirs[:] = sorted(d for d in dirs if d != ".git")
        files += [os.path.join(here, n) for n in sorted(names) if n.endswith(".sql")]
    db = sqlite3.connect(db_path)
    # Queries without their final line ends: an export may add one that an import strips.
    by_query = {q.rstrip("\r\n"): i for i, q in db.execute("SELECT id, query FROM notes")}
    gone = []
    for i, path in enumerate(files):
        with open(path, "rb") as f:
            data = f.read()
        # The header ends at the first empty line, in the file's own line ends.
        gap = b"\r\n\r\n" if data.startswith(b"-- Quillbox note\r\n") else b"\n\n"
        header, _, query = data.partition(gap)
        query = query.decode("utf-8")
        note = by_query[query.rstrip("\r\n")]
        if i % 3 == 0 or i % 5 == 0 or i % 13 == 1 or i % 17 == 2:
            gone.append(query)  # replaced by a change, or deleted on one side and unchanged on the other
        if i % 3 == 0:
            new = "SELECT %d AS folder_change;" % i
            with open(path, "wb") as f:
                f.write(header + gap + new.encode("utf-8"))
            if i % 15 == 0:
                db.execute("UPDATE notes SET query = ? WHERE id = ?", (new, note))  # the same change
            elif i % 5 == 0:
                db.execute("UPDATE notes SET query = ? WHERE id = ?", ("SELECT %d AS db_change;" % i, note))  # a conflict
            elif i % 21 == 3:
                db.execute("DELETE FROM notes WHERE id = ?", (note,))  # deleted against changed
        elif i % 5 == 0:
            db.execute("UPDATE notes SET query = ? WHERE id = ?", ("SELECT %d AS db_change;" % i, note))
        elif i % 13 == 1:
            os.remove(path)  # deleted in the folder, unchanged in the database
        elif i % 17 == 2:
            db.execute("DELETE FROM notes WHERE id = ?", (note,))
    for n in range(100):
        group = "" if n % 4 == 0 else "Arrived %d" % (n % 3)
        path = os.path.join(folder, group, "arrived %d.sql" % n)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(note_file("arrived %d" % n, group or "None", "SELECT %d AS arrived;" % n))
    db.execute("INSERT INTO groups VALUES(900, 'Made here', 'by the database')")
    for n in range(50):
        db.execute("INSERT INTO notes VALUES(?, 900, ?, NULL, ?)", (5000 + n, "made %d" % n, "SELECT %d AS made;" % n))
    db.commit()
    with open(gone_path, "w") as f:
        f.writelines(json.dumps(q) + "\n" for q in gone)
    return 0


if __name__ == "__main__":
    sys.exit(main())
