#!/usr/bin/env python3
"""sync_check.py <database> <folder> <before.mdb> <before-folder> <gone-file>:
what a sync left, once a kill and a further sync are behind it. Reads the
database with plain SQLite and the folder's note files: integrity check
ok, and both sides hold the same notes, and those are exactly every query
either side held before the sync (<before.mdb>, <before-folder>) except the
ones deleted on one side and unchanged on the other (<gone-file>), with
the same group, title and comments on both sides. Prints one line; exits 1
when anything is wrong."""
import collections
import json
import os
import sqlite3
import sys


def norm(query):
    """A query without its final line ends, which an export may add and an import strips."""
    return query.rstrip("\r\n")


def database_queries(path):
    db = sqlite3.connect(path)
    try:
        if db.execute("PRAGMA integrity_check").fetchall() != [("ok",)]:
            raise ValueError("integrity check failed")
        if db.execute("PRAGMA foreign_key_check").fetchall():
            raise ValueError("foreign keys broken")
        return collections.Counter(norm(q) for (q,) in db.execute("SELECT query FROM notes"))
    finally:
        db.close()


def database_notes(path):
    db = sqlite3.connect(path)
    try:
        return collections.Counter(
            (g, n, c, norm(q)) for g, n, c, q in
            db.execute("SELECT g.groupName, n.name, n.comments, n.query FROM notes n JOIN groups g ON g.id = n.groupId"))
    finally:
        db.close()


def folder_notes(folder):
    """Group, title, comments and query of every note file, from its header."""
    found = collections.Counter()
    for here, dirs, names in os.walk(folder):
        dirs[:] = [d for d in dirs if d != ".git"]
        for name in names:
            if name.endswith(".sql"):
                with open(os.path.join(here, name), "rb") as f:
                    text = f.read().decode("utf-8")
                end = "\r\n" if text.startswith("-- Quillbox note\r\n") else "\n"
                header, _, body = text.partition(end + end)
                fields = {}
                for line in header.split(end)[1:] if header.startswith("-- Quillbox note") else []:
                    key, _, value = line[3:].partition(": ")
                    fields[key] = json.loads(value)
                found[(fields.get("group"), fields.get("title"), fields.get("comments"), norm(body))] += 1
    return found


def folder_queries(folder):
    found = collections.Counter()
    for (_, _, _, query), count in folder_notes(folder).items():
        found[query] += count
    return found


def main():
    db, folder, before_db, before_folder, gone_path = sys.argv[1:6]
    try:
        in_db = database_queries(db)
    except (ValueError, sqlite3.DatabaseError) as e:
        print("FAILED: %s" % e)
        return 1
    in_folder = folder_queries(folder)
    with open(gone_path) as f:
        gone = {norm(json.loads(line)) for line in f if line.strip()}
    wanted = (set(database_queries(before_db)) | set(folder_queries(before_folder))) - gone
    faults = []
    if set(in_db) != set(in_folder):
        faults.append("the sides differ: %d only in the database, %d only in the folder"
                      % (len(set(in_db) - set(in_folder)), len(set(in_folder) - set(in_db))))
    if not faults and database_notes(db) != folder_notes(folder):
        faults.append("the sides hold the same queries under other groups, titles or comments")
    lost = wanted - set(in_db)
    if lost:
        faults.append("%d notes lost, e.g. %r" % (len(lost), sorted(lost)[0]))
    kept = gone & set(in_db)
    if kept:
        faults.append("%d deleted notes came back" % len(kept))
    if faults:
        print("FAILED: " + "; ".join(faults))
        return 1
    print("both sides hold the same %d notes, every one either side held, none it deleted" % sum(in_db.values()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
