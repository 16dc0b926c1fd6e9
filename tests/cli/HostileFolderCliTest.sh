#!/usr/bin/env bash
# Import of folders that fight back, through scripts/quillbox, made on the
# Unix side where Wine sees them: a link back to the folder itself, a link
# from a group's folder to its parent, two links that point at each other, a
# .sql link to itself, a folder the user cannot read, the chosen folder
# itself unreadable, and (as root) a folder bind-mounted inside itself.
# Each is a listed refusal or a clear message; the rest
# is imported whole; nothing hangs. Root reads everything on Linux, so as
# root the tool runs without the two capabilities that let it (setpriv).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
quillbox=$root/scripts/quillbox
work=$(mktemp -d)
mirror=$work/mirrored/mirror
trap 'mountpoint -q "$mirror" && umount "$mirror"; chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
source "$(dirname "$0")/checks.sh"
as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --bounding-set=-dac_override,-dac_read_search --inh-caps=-dac_override,-dac_read_search "$@"
  else
    "$@"
  fi
}

src=$work/src
mkdir -p "$src/Group" "$src/locked"
printf 'SELECT 1;' > "$src/top.sql"
printf 'SELECT 2;' > "$src/Group/in group.sql"
printf 'SELECT 3;' > "$src/locked/hidden.sql"
ln -s . "$src/loop"
ln -s .. "$src/Group/back"
ln -s b "$src/a"; ln -s a "$src/b"
ln -s self.sql "$src/self.sql"
chmod 000 "$src/locked"

out=$(as_user timeout 120 "$quillbox" import "$work/notes.mdb" "$src" 2>"$work/err")
check "the import ends, and exits 2 as a folder it cannot read may hold notes" [ $? -eq 2 ]
check "which it says on standard error" grep -q '^QuillboxCli: 2 files could not be taken' "$work/err"
check "it lists what it refused, and why" same "$(sed -n '/^refused/,$p' <<<"$out" | sed 's/ (.*)$//')" "refused 3
  Group\\back: a folder inside a group's folder
  locked: cannot be read
  loop: a link, not followed"
check "and takes the rest whole" same "$(sqlite3 "$work/notes.mdb" "SELECT g.groupName || '/' || n.name || '/' || n.query FROM notes n JOIN groups g ON g.id = n.groupId ORDER BY n.name")" \
  "Group/in group/SELECT 2;
None/top/SELECT 1;"
check "the same folder again changes nothing" same "$(as_user timeout 120 "$quillbox" import "$work/notes.mdb" "$src" | head -2)" "added 0
changed 0"

as_user timeout 120 "$quillbox" import "$work/notes.mdb" "$src/locked" >/dev/null 2>"$work/err"
check "an unreadable chosen folder exits 1" [ $? -eq 1 ]
check "and names it" grep -q 'locked: ' "$work/err"
check "the database still holds its two notes" same "$(sqlite3 "$work/notes.mdb" 'SELECT count(*) FROM notes')" 2

# A folder mounted inside itself (a bind mount, as root): Wine reports a
# mount point as a reparse point, as it does a symbolic link.
if [ "$(id -u)" -eq 0 ]; then
  mkdir -p "$mirror"
  printf 'SELECT 5;' > "$work/mirrored/once.sql"
  if mount --bind "$work/mirrored" "$mirror"; then
    out=$(timeout 120 "$quillbox" import "$work/mirror.mdb" "$work/mirrored" 2>/dev/null)
    check "a folder mounted inside itself is refused" same "$(sed -n '/^refused/,$p' <<<"$out")" "refused 1
  mirror: a link, not followed"
    check "and its note is taken once" same "$(sqlite3 "$work/mirror.mdb" 'SELECT count(*) FROM notes')" 1
  else
    echo "skipped: a bind mount is not possible here"
  fi
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
