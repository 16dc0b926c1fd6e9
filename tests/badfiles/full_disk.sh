#!/usr/bin/env bash
# A full disk, on a 2 MB tmpfs mounted for the test (so it needs root; as
# another user it is skipped, exit 77). First through QuillboxCli: with the
# disk filled, an import and an export exit 1 with a message that says the
# disk is full and names the file; the database passes SQLite's integrity
# check and holds exactly its rows; the export folder holds exactly its
# files; once space is freed both succeed. Then FullDiskTest.exe ($1) does
# the same through the dialog (Save a note, save a group, Import, Export,
# File New) on a fresh mount, and the files it leaves are checked again.
set -uo pipefail
exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
quillbox=$root/scripts/quillbox
if [ "$(id -u)" -ne 0 ]; then echo "skipped: mounting a small file system needs root"; exit 77; fi
work=$(mktemp -d)
disk=$work/disk
mkdir "$disk"
unmount() { mountpoint -q "$disk" && umount "$disk"; }
trap 'unmount; rm -rf "$work"' EXIT
mount_disk() { unmount; mount -t tmpfs -o size=2m,mode=0755 quillbox-full "$disk"; }
mount_disk || { echo "skipped: tmpfs cannot be mounted here"; exit 77; }
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
fill() { dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null; [ "$(stat -f -c %a "$disk")" -eq 0 ]; }
rows() { sqlite3 "$1" "SELECT * FROM groups ORDER BY id; SELECT * FROM notes ORDER BY id"; }
whole() { [ "$(sqlite3 "$1" 'PRAGMA integrity_check')" = ok ]; }

src=$work/src
mkdir -p "$src/Group"
for n in 1 2 3 4 5; do printf 'SELECT %d;\n' $n > "$src/Group/note $n.sql"; done
"$quillbox" import "$disk/notes.mdb" "$src" >/dev/null
mkdir "$disk/out"
"$quillbox" export "$disk/notes.mdb" "$disk/out" >/dev/null
# More to import and to export than there is room for.
for n in $(seq 6 40); do printf 'SELECT %d; -- %0500d\n' $n 0 > "$src/Group/note $n.sql"; done
sqlite3 "$disk/notes.mdb" "UPDATE notes SET query = query || ' -- changed'"
before=$(rows "$disk/notes.mdb")
exported=$(cd "$disk/out" && find . -type f -exec sha1sum {} + | sort)
check "the disk fills" fill

"$quillbox" import "$disk/notes.mdb" "$src" >/dev/null 2>"$work/err"
check "an import exits 1" [ $? -eq 1 ]
check "and says the disk is full, naming the database" grep -q "disk holding the note database file '.*notes.mdb' is full" "$work/err"
check "the database passes its integrity check" whole "$disk/notes.mdb"
check "and holds exactly what it held" [ "$(rows "$disk/notes.mdb")" = "$before" ]
"$quillbox" export "$disk/notes.mdb" "$disk/out" >/dev/null 2>"$work/err"
check "an export exits 1" [ $? -eq 1 ]
check "and says the disk is full, naming the file" grep -q 'out.Group.note [0-9]* ~[0-9a-f]*.sql: the disk is full' "$work/err"
check "the export folder holds exactly its files, none partial or temporary" \
  [ "$(cd "$disk/out" && find . -type f -exec sha1sum {} + | sort)" = "$exported" ]
cat "$work/err"

rm "$disk/filler"
check "with room, the import succeeds" "$quillbox" import "$disk/notes.mdb" "$src"
check "and holds every note" [ "$(sqlite3 "$disk/notes.mdb" 'SELECT count(*) FROM notes')" = 40 ]
check "with room, the export succeeds" "$quillbox" export "$disk/notes.mdb" "$disk/out"
check "and writes every file" [ "$(find "$disk/out" -name '*.sql' | wc -l)" = 40 ]
check "the database passes its integrity check" whole "$disk/notes.mdb"

# The dialog, on an empty disk of its own.
mount_disk
QB_FULL_DISK=$disk "$root/cmake/wine-run.sh" "$exe"
check "the dialog's full-disk story" [ $? -eq 0 ]
for db in "$disk"/*.mdb; do check "$(basename "$db") passes its integrity check" whole "$db"; done
check "no temporary file is left" [ -z "$(find "$disk" -name '~qb*')" ]

echo "$failures failed"
[ "$failures" -eq 0 ]
