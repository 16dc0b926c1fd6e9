#!/usr/bin/env bash
# Two note databases and one git repository, through scripts/quillbox sync,
# checked with the sqlite3 shell and git: a first sync is a union; a note
# deleted by one user stays deleted after the other's sync, commit, pull and
# sync; added and changed notes travel; the same change on both sides is no
# conflict; different changes keep both versions and are named; a deletion
# against a change keeps the change; groups and descriptions travel and a
# group goes once it has no notes; a dry run changes nothing; a plain file
# is taken in once and stays one file; dot folders are skipped without a word;
# a file with git's conflict markers, a damaged header, an empty file or an
# over-long field makes the sync exit 2 and holds back only its own note or
# group description; a plain folder's group lasts; the repository's own
# README.md stays its own; file names depend on titles alone. A team of three
# on 3,000 notes, one clone with CRLF checkouts, goes through a merge in
# progress, renamed groups and the post-merge hook with moved notes. The memory
# travels inside the database: a database moved away, put back from a
# backup or copied, an emptied folder, the folder by other spellings, an old
# memory beside the database and two syncs at once lose, bring back and
# duplicate nothing. A sync opens only the files whose listing entry moved
# (touched, changed by git checkout or git pull, changed in the second of the
# last sync's listing) and plans what a sync that reads every file plans.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
quillbox=$root/scripts/quillbox
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/checks.sh"
export GIT_AUTHOR_NAME=t GIT_AUTHOR_EMAIL=t@t GIT_COMMITTER_NAME=t GIT_COMMITTER_EMAIL=t@t
a=$work/a.mdb b=$work/b.mdb u1=$work/u1 u2=$work/u2

sync() { "$quillbox" sync "$@" > "$work/out" || { echo "FAILED: sync $*"; cat "$work/out"; failures=$((failures + 1)); }; }
# A sync that refuses files: it exits 2 and says so on standard error.
sync_refusing() { "$quillbox" sync "$@" > "$work/out" 2> "$work/err"; check "a sync that refuses files exits 2 ($*)" same "$?" 2; }
publish() { git -C "$1" add -A 2>/dev/null && { git -C "$1" commit -qm "$2" >/dev/null; git -C "$1" push -q 2>/dev/null; }; }
pull() { git -C "$1" pull -q --no-rebase --no-edit 2>/dev/null; }
# Group, title, comments and query of every note, one line each.
notes() { sqlite3 "$1" "SELECT g.groupName || ' / ' || n.name || ' / ' || quote(n.comments) || ' / ' || n.query FROM notes n JOIN groups g ON g.id = n.groupId ORDER BY 1"; }
groups() { sqlite3 "$1" "SELECT groupName || ' / ' || quote(groupDescription) FROM groups ORDER BY 1"; }
files() { (cd "$1" && find . -path ./.git -prune -o -type f -print | LC_ALL=C sort); }
both_hold() { # what, expected notes
  check "$1: A" same "$(notes "$a")" "$2"
  check "$1: B" same "$(notes "$b")" "$2"
}

git init -q --bare "$work/origin.git" && git clone -q "$work/origin.git" "$u1" 2>/dev/null
mkdir "$work/empty" && "$quillbox" import "$a" "$work/empty" >/dev/null && "$quillbox" import "$b" "$work/empty" >/dev/null
sqlite3 "$a" "INSERT INTO groups VALUES(1,'Sales','Sales queries');
  INSERT INTO notes VALUES(1,0,'count',NULL,'SELECT count(*) FROM t;'); INSERT INTO notes VALUES(2,1,'orders','','SELECT * FROM orders;');
  INSERT INTO notes VALUES(3,1,'totals',NULL,'SELECT sum(x) FROM t;'); INSERT INTO notes VALUES(4,0,'shared','A','SELECT 1;')"
sqlite3 "$b" "INSERT INTO notes VALUES(7,0,'private',NULL,'SELECT 7;'); INSERT INTO notes VALUES(8,0,'shared','B','SELECT 1;')"
sync "$a" "$u1" && publish "$u1" "first"
check "the memory lives inside the database, not beside it" same "$(sqlite3 "$a" "SELECT count(*) FROM syncFolders"; ls -d "$a.sync" 2>/dev/null)" 1
check "nor in the repository" same "$(files "$u1" | grep -c state)" 0

# User 2 clones; the first sync is a union that deletes nothing, and a note both had differently is kept twice.
git clone -q "$work/origin.git" "$u2"
sync "$b" "$u2"
check "a first sync names the note both hold differently" grep -q 'shared: changed on both sides; the folder.s version kept as "shared (conflict 1)"' "$work/out"
publish "$u2" "union"
pull "$u1" && sync "$a" "$u1"
both_hold "after the union both databases hold every note" "None / count / NULL / SELECT count(*) FROM t;
None / private / NULL / SELECT 7;
None / shared (conflict 1) / 'A' / SELECT 1;
None / shared / 'B' / SELECT 1;
Sales / orders / '' / SELECT * FROM orders;
Sales / totals / NULL / SELECT sum(x) FROM t;"
check "the repository has a file per note" same "$(files "$u1" | grep -c '\.sql$')" 6

# The README's team story: user 1 deletes "count"; user 2 comments "orders", syncs, commits, pulls, syncs.
sqlite3 "$a" "DELETE FROM notes WHERE name = 'count'"
sync "$a" "$u1" && publish "$u1" "delete count"
check "user 1's sync removed count's file" same "$(ls "$u1" | grep -c '^count')" 0
sqlite3 "$b" "UPDATE notes SET comments = 'commented' WHERE name = 'orders'"
sync "$b" "$u2" && git -C "$u2" add -A && git -C "$u2" commit -qm "comment orders"
pull "$u2"
check "git merged cleanly" same "$(git -C "$u2" status --porcelain)" ""
sync "$b" "$u2" && publish "$u2" "after pull"
pull "$u1" && sync "$a" "$u1"
for db in "$a" "$b"; do check "count stays deleted in $(basename "$db")" same "$(sqlite3 "$db" "SELECT count(*) FROM notes WHERE name = 'count'")" 0; done
check "count stays deleted in the repository" same "$(ls "$u1" "$u2" | grep -c '^count')" 0
check "the comment reached user 1" same "$(sqlite3 "$a" "SELECT comments FROM notes WHERE name = 'orders'")" "commented"

# Added; the same change on both sides; different changes; deleted against changed; groups.
sqlite3 "$a" "INSERT INTO groups VALUES(5,'Reports','monthly'); INSERT INTO notes VALUES(20,5,'month',NULL,'SELECT 12;');
  UPDATE notes SET query = 'SELECT 2;' WHERE name = 'private'; UPDATE notes SET query = 'SELECT 1 AS a;' WHERE name = 'shared';
  DELETE FROM notes WHERE name = 'totals'; UPDATE groups SET groupDescription = 'all sales' WHERE groupName = 'Sales'"
sync "$a" "$u1" && publish "$u1" "user 1's changes"
sqlite3 "$b" "UPDATE notes SET query = 'SELECT 2;' WHERE name = 'private'; UPDATE notes SET query = 'SELECT 1 AS b;' WHERE name = 'shared';
  UPDATE notes SET query = 'SELECT sum(y) FROM t;' WHERE name = 'totals'"
pull "$u2"
before=$(notes "$b"; files "$u2")
"$quillbox" sync "$b" "$u2" --dry-run > "$work/dry"
check "a dry run lists what each side will do" same "$(head -2 "$work/dry")" "database: 2 notes to add, 0 to change, 0 to delete; 1 group to add, 1 to change, 0 to delete
folder: 2 notes to add, 1 to change, 0 to delete; 0 groups to add, 0 to change, 0 to delete"
check "and names the conflict" grep -q '^  shared: changed on both sides; the folder.s version kept as "shared (conflict 2)"' "$work/dry"
check "a dry run changes nothing" same "$(notes "$b"; files "$u2")" "$before"
sync "$b" "$u2"
check "the same change on both sides is no conflict" same "$(grep -c private "$work/out")" 0
publish "$u2" "user 2's changes"
pull "$u1" && sync "$a" "$u1"
expected="None / private / NULL / SELECT 2;
None / shared (conflict 1) / 'A' / SELECT 1;
None / shared (conflict 2) / 'B' / SELECT 1 AS a;
None / shared / 'B' / SELECT 1 AS b;
Reports / month / NULL / SELECT 12;
Sales / orders / 'commented' / SELECT * FROM orders;
Sales / totals / NULL / SELECT sum(y) FROM t;"
both_hold "every change arrived on both sides, both versions of a conflict kept, the changed note kept" "$expected"
check "groups and descriptions arrived" same "$(groups "$b")" "None / NULL
Reports / 'monthly'
Sales / 'all sales'"

# A plain file is one note in one file from then on; a dot folder is nobody's; a conflicted file stays as it is.
mkdir -p "$u1/.github" && printf 'SELECT 0;\n' > "$u1/.github/ci.sql" && printf 'SELECT 9;\n' > "$u1/Sales/plain.sql"
conflicted=$(grep -l 'SELECT 2;' "$u1"/*.sql)
printf '%s\n<<<<<<< ours\nSELECT 3;\n=======\nSELECT 4;\n>>>>>>> theirs\n' "$(cat "$conflicted")" > "$conflicted"
before=$(cat "$conflicted")
sync_refusing "$a" "$u1"
check "the plain file is taken in" same "$(sqlite3 "$a" "SELECT query FROM notes WHERE name = 'plain'")" "SELECT 9;"
check "the conflicted file is named, nothing else is refused, and its note is held back" same "$(sed -n '/^refused/,$p' "$work/out")" "refused 1
  $(basename "$conflicted"): an unresolved merge conflict
held back, as they may be in files that cannot be read: 1
  private"
check "and the failure says why on standard error" grep -q "1 file could not be taken" "$work/err"
check "its note stays in the database" same "$(sqlite3 "$a" "SELECT query FROM notes WHERE name = 'private'")" "SELECT 2;"
check "and its file is left as it is, with no second file" same "$(cat "$conflicted"; ls "$u1" | grep -c private)" "$before
1"
sync_refusing "$a" "$u1"
check "a second sync takes nothing in twice" same "$(sqlite3 "$a" "SELECT count(*) FROM notes WHERE name = 'plain'"; ls "$u1/Sales" | grep -c plain)" "1
1"
check "nor the dot folder's" same "$(sqlite3 "$a" "SELECT count(*) FROM notes WHERE query = 'SELECT 0;'")" 0
git -C "$u1" checkout -q -- "$conflicted" && rm -r "$u1/.github"

# A group goes once it has no notes left, on both sides and in the repository.
sqlite3 "$b" "DELETE FROM notes WHERE name = 'month'; DELETE FROM groups WHERE groupName = 'Reports'"
sync "$b" "$u2" && publish "$u2" "no reports"
pull "$u1" && sync "$a" "$u1"
check "the emptied group is gone from A" same "$(groups "$a")" "None / NULL
Sales / 'all sales'"
check "and from the repository" [ ! -e "$u1/Reports" ]
sync "$a" "$u1"
check "a sync after a sync has nothing to do" same "$(head -2 "$work/out")" "database: 0 notes to add, 0 to change, 0 to delete; 0 groups to add, 0 to change, 0 to delete
folder: 0 notes to add, 0 to change, 0 to delete; 0 groups to add, 0 to change, 0 to delete"

# None's description, changed in a database, is rewritten in the folder's own group file; a first sync
# with a folder that has no group file for None is no conflict.
for description in draft 'loose notes'; do
  sqlite3 "$a" "UPDATE groups SET groupDescription = '$description' WHERE id = 0" && sync "$a" "$u1"
done
check "None's description goes into its own group file at the top" same "$(ls "$u1" | grep -c '\.md$'; grep -c 'loose notes' "$u1/quillbox-none.md")" "1
2"
c=$work/c.mdb && mkdir "$work/fresh" && cp "$u1"/*.sql "$work/fresh" && sync "$c" "$work/fresh"
sqlite3 "$a" "UPDATE groups SET groupDescription = 'first' WHERE id = 0" && sync "$a" "$work/fresh"
check "a first sync takes None's description without a conflict" same "$(groups "$a" | grep -c 'None (conflict'; ls "$work/fresh" | grep -c 'None (conflict')" "0
0"

# The folder by other spellings is the same folder: letter case, a trailing separator, a "\\?\" prefix, a link.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
ln -s "$u1" "$work/link"
for spelling in "$(winpath "$u1")\\" "z:${u1//\//\\}" "\\\\?\\$(winpath "$u1")" "$(winpath "$work/link")"; do
  "$quillbox" sync "$a" "$spelling" --dry-run > "$work/out"
  check "$spelling is the folder this database knows" same "$(grep -c 'first sync' "$work/out"; grep -c ' 0 to delete' "$work/out")" "0
2"
done

# A database moved away: its old path makes a new database, whose first sync deletes nothing and says why.
count_files() { files "$u1" | grep -c '\.sql$'; }
held=$(count_files)
mv "$a" "$work/moved.mdb"
sync "$a" "$u1"
check "the new database's first sync says so" grep -q '^first sync (this database has never been synchronized)' "$work/out"
check "and deletes nothing" same "$(count_files; sqlite3 "$a" "SELECT count(*) FROM notes")" "$held
$held"
rm "$a" && mv "$work/moved.mdb" "$a"
sync "$a" "$u1"
check "moved back, it syncs with its own memory" same "$(grep -c 'first sync' "$work/out"; count_files)" "0
$held"

# A backup put back catches up with the team instead of deleting its notes.
cp "$b" "$work/backup.mdb"
sqlite3 "$a" "INSERT INTO notes VALUES(40,0,'after backup',NULL,'SELECT 40;')"
sync "$a" "$u1" && publish "$u1" "after backup"
pull "$u2" && sync "$b" "$u2"
cp "$work/backup.mdb" "$b"
sync "$b" "$u2"
check "the backup takes the note added since" same "$(sqlite3 "$b" "SELECT query FROM notes WHERE name = 'after backup'")" "SELECT 40;"
check "and the folder keeps it" same "$(ls "$u2" | grep -c '^after backup')" 1

# An emptied folder stops the sync before it changes anything, unless deletions are allowed.
mkdir "$work/aside" && (cd "$u1" && mv -- * "$work/aside/")
before=$(notes "$a")
"$quillbox" sync "$a" "$u1" > "$work/out" 2> "$work/err"
check "an emptied folder stops the sync" same "$?" 1
check "and says why" grep -q "would delete all [0-9]* notes of the database.*--allow-deletions" "$work/err"
check "nothing was changed" same "$(notes "$a")" "$before"
cp "$a" "$work/copy.mdb"
"$quillbox" sync "$work/copy.mdb" "$u1" --allow-deletions > "$work/out"
check "with --allow-deletions a copy carrying the memory deletes them" same "$?:$(sqlite3 "$work/copy.mdb" "SELECT count(*) FROM notes")" "0:0"
(cd "$work/aside" && mv -- * "$u1/")

# A memory an earlier build kept beside the database is taken over once, and its folder removed.
remembered="SELECT state FROM syncFolders WHERE folderPath = '$(winpath "$u1")'"
state=$(sqlite3 "$a" "$remembered")
name=$(/usr/bin/python3 -c 'import sys
h = 14695981039346656037
for ch in sys.argv[1].lower():
    for i in range(4):
        h = ((h ^ ((ord(ch) >> (8 * i)) & 0xFF)) * 1099511628211) % 2**64
for i in range(4):
    h = ((h ^ 0xFF) * 1099511628211) % 2**64
print("%016x.state" % h)' "$(winpath "$u1")")
sqlite3 "$a" "DELETE FROM syncFolders WHERE folderPath = '$(winpath "$u1")'" && mkdir "$a.sync" && printf '%s\n' "$state" > "$a.sync/$name"
sqlite3 "$a" "DELETE FROM notes WHERE name = 'after backup'"
sync "$a" "$u1"
check "the old memory is taken over: a deletion travels" same "$(grep -c 'first sync' "$work/out"; ls "$u1" | grep -c 'after backup')" "0
0"
check "and the folder beside the database is gone" same "$(ls -d "$a.sync" 2>/dev/null; sqlite3 "$a" "$remembered" | head -1)" "Quillbox sync state 1"

# Two syncs started together: one waits for the other; nothing is written twice.
sqlite3 "$a" "INSERT INTO notes VALUES(41,0,'together',NULL,'SELECT 41;')" && printf 'SELECT 42;\n' > "$u1/apart.sql"
"$quillbox" sync "$a" "$u1" > "$work/out1" 2>&1 & first=$!
"$quillbox" sync "$a" "$u1" > "$work/out2" 2>&1; second=$?
wait $first
check "both syncs succeed" same "$?:$second" "0:0"
check "no note is written twice" same "$(ls "$u1" | grep -c '(2)'; sqlite3 "$a" "SELECT count(*) FROM notes WHERE name IN ('together', 'apart')")" "0
2"
check "the folder's new note takes the id after the highest, as the dialog would" \
  same "$(sqlite3 "$a" "SELECT id > 41 FROM notes WHERE name = 'apart'")" 1
"$quillbox" sync "$a" "$u1" --dry-run > "$work/out"
check "and both sides are equal" same "$(grep -c ' 0 to delete' "$work/out"; grep -c '^database: 0 notes to add, 0 to change' "$work/out")" "2
1"

# A damaged header is refused with the line that is wrong, never read as a plain file.
publish "$u1" "before the damage"
orders=$(grep -l '^-- title: "orders"' "$u1"/Sales/*.sql)
sed -i 's/^-- title: "orders"/-- title: "orders/' "$orders" && damaged=$(cat "$orders")
sync_refusing "$a" "$u1"
check "the damaged header is named with its line" grep -q "^  Sales/$(basename "$orders"): a damaged header: line 2: -- title: \"orders$" <(tr '\\' / < "$work/out")
check "its note is as it was, and the file too" same "$(sqlite3 "$a" "SELECT query FROM notes WHERE name = 'orders'"; cat "$orders")" "SELECT * FROM orders;
$damaged"
git -C "$u1" checkout -q -- .

# A file that cannot be read holds back only its own note: a note deleted meanwhile stays deleted, a note
# changed meanwhile reaches its own file; a group file with markers keeps the group's description.
emptied=$(grep -l '^-- title: "together"' "$u1"/*.sql) && : > "$emptied"
long=$(grep -l '^-- title: "private"' "$u1"/*.sql) && sed -i "s/^-- comments: null/-- comments: \"$(printf 'c%.0s' {1..256})\"/" "$long"
printf '<<<<<<< ours\n<!-- Quillbox group -->\n=======\n<!-- Quillbox group -->\n>>>>>>> theirs\n' >> "$u1/Sales/README.md"
sqlite3 "$a" "DELETE FROM notes WHERE name = 'together'; UPDATE notes SET query = 'SELECT 43;' WHERE name = 'private';
  INSERT INTO notes VALUES(44,0,'unrelated',NULL,'SELECT 44;')"
sync_refusing "$a" "$u1"
check "three files refused, two notes held back, the rest synchronized" same "$(grep -c '^refused 3$' "$work/out"; sed -n '/^held back/,$p' "$work/out"; ls "$u1" | grep -c '^unrelated')" "1
held back, as they may be in files that cannot be read: 2
  private
  together
1"
check "the group keeps its description" same "$(sqlite3 "$a" "SELECT groupDescription FROM groups WHERE groupName = 'Sales'")" "all sales"
git -C "$u1" checkout -q -- .
sync "$a" "$u1"
check "once readable, the deleted note's file goes and the changed note is written into its own file" \
  same "$(ls "$u1" | grep -c '^together')$(ls "$u1" | grep -c '^private')$(grep -c 'SELECT 43;' "$long")" "011"
check "and the database holds it once, as changed" same "$(sqlite3 "$a" "SELECT count(*) || query FROM notes WHERE name IN ('private', 'together')")" "1SELECT 43;"

# A group taken in from a plain folder gets its group file, and stays when its last note goes.
mkdir "$u1/Loose" && printf 'SELECT loose;\n' > "$u1/Loose/only.sql"
sync "$a" "$u1"
check "the plain folder's group gets its group file" grep -q '^<!-- name: "Loose" -->' "$u1/Loose/README.md"
sqlite3 "$a" "DELETE FROM notes WHERE name = 'only'" && sync "$a" "$u1"
check "and stays, on both sides, when its last note goes" same "$(sqlite3 "$a" "SELECT count(*) FROM groups WHERE groupName = 'Loose'")$(ls "$u1/Loose")" "1README.md"

# The repository's own README.md stays its own; the one an earlier version wrote for None is taken over once.
printf '# Our team notes\n' > "$u1/README.md" && publish "$u1" "our readme"
sqlite3 "$a" "UPDATE groups SET groupDescription = 'loose notes, again' WHERE id = 0" && sync "$a" "$u1"
check "the repository's README.md is neither read nor written" same "$(cat "$u1/README.md")$(grep -c 'again' "$u1/quillbox-none.md")" "# Our team notes2"
mkdir "$work/old" && printf '<!-- Quillbox group -->\n<!-- name: "None" -->\n<!-- description: "from README" -->\n\n# None\n' > "$work/old/README.md"
sync "$work/old.mdb" "$work/old"
check "an earlier version's README.md for None is taken over" same "$(sqlite3 "$work/old.mdb" "SELECT groupDescription FROM groups WHERE id = 0")/$(ls "$work/old")" "from README/quillbox-none.md"

# File names two machines agree on: a title's name depends on the title alone, never on the case-blind twin.
publish "$u1" "names" && pull "$u2" && sync "$b" "$u2"
sqlite3 "$a" "INSERT INTO notes VALUES(50,0,'a/b',NULL,'SELECT 50;'); INSERT INTO notes VALUES(51,0,'Daily',NULL,'SELECT 51;')"
sqlite3 "$b" "INSERT INTO notes VALUES(60,0,'a:b',NULL,'SELECT 60;'); INSERT INTO notes VALUES(61,0,'daily',NULL,'SELECT 61;')"
sync "$a" "$u1" && publish "$u1" "user 1's names"
sync "$b" "$u2" && git -C "$u2" add -A && git -C "$u2" commit -qm "user 2's names" && pull "$u2"
check "two machines adding titles that share a safe name merge without a conflict" same "$(git -C "$u2" status --porcelain)" ""
check "and no two files share a name without regard to case" same "$(ls "$u2" | tr 'A-Z' 'a-z' | sort | uniq -d)" ""
sync "$b" "$u2" && publish "$u2" "merged names" && pull "$u1" && sync "$a" "$u1"
check "both databases hold all four" same "$(sqlite3 "$a" "SELECT name FROM notes WHERE id >= 50" | LC_ALL=C sort | tr '\n' ' ')" "Daily a/b a:b daily "
sqlite3 "$a" "UPDATE notes SET name = 'DAILY' WHERE name = 'Daily'" && sync "$a" "$u1"
check "a case-only rename renames the file, with no (2)" same "$(ls "$u1" | grep -ic '^daily')$(ls "$u1" | grep -c '(2)')$(ls "$u1" | grep -c '^Daily.sql')" "200"

# A team of three through git on a library of 3,000 notes in 30 groups. User 3's clone checks files out
# with CRLF (core.autocrlf=true, git for Windows' default) and starts from a copy of user 1's database.
x=$work/x.mdb y=$work/y.mdb z=$work/z.mdb c1=$work/c1 c2=$work/c2 c3=$work/c3
git init -q --bare "$work/team.git" && git clone -q "$work/team.git" "$c1" 2>/dev/null
"$quillbox" import "$x" "$work/empty" >/dev/null
sqlite3 "$x" "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30)
    INSERT INTO groups SELECT i, 'Group ' || i, 'about ' || i FROM n;
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)
    INSERT INTO notes SELECT i, (i - 1) % 30 + 1, 'Note ' || i, NULL, 'SELECT ' || i || char(10) || 'FROM t' FROM n;
  UPDATE notes SET groupId = 0, name = 'Big orders' WHERE id = 3000"
sync "$x" "$c1" && publish "$c1" "library"
git clone -q "$work/team.git" "$c2" && sync "$y" "$c2"
git clone -q -c core.autocrlf=true "$work/team.git" "$c3" && cp "$x" "$z" && sync "$z" "$c3"
check "user 3's checkout has CRLF lines" grep -q $'\r$' "$c3/Group 1/Note 1.sql"
check "and its first sync finds no conflict and rewrites no file" same "$(grep '^folder:' "$work/out"; grep '^conflicts' "$work/out"; git -C "$c3" status --porcelain)" \
  "folder: 0 notes to add, 0 to change, 0 to delete; 0 groups to add, 0 to change, 0 to delete
conflicts 0"

# User 1 renames all 30 groups and changes Big orders; user 2 changes it too: git stops with a conflict.
sqlite3 "$x" "UPDATE groups SET groupName = 'Team ' || id WHERE id > 0; UPDATE notes SET query = 'SELECT 1 -- user 1' WHERE name = 'Big orders'"
sync "$x" "$c1" && publish "$c1" "renamed groups"
sqlite3 "$y" "UPDATE notes SET query = 'SELECT 2 -- user 2' WHERE name = 'Big orders'"
sync "$y" "$c2" && git -C "$c2" add -A && git -C "$c2" commit -qm "user 2's big orders"
pull "$c2" >/dev/null
check "git stopped with Big orders in conflict" same "$(git -C "$c2" diff --name-only --diff-filter=U)" "Big orders.sql"
"$quillbox" sync "$y" "$c2" > "$work/out" 2> "$work/err" && git -C "$c2" add -A && git -C "$c2" commit -qm "Notes"
check "the README's line stops before git add: the sync exits 2" same "$?" 2
check "so the conflict is still git's, and no marker is committed" same "$(git -C "$c2" diff --name-only --diff-filter=U)/$(git -C "$c2" log -p | grep -c '^+<<<<<<<')" "Big orders.sql/0"
check "the renamed groups arrived, the old ones went, each note once" same "$(sqlite3 "$y" "SELECT count(*) FROM groups; SELECT count(*) FROM notes;
  SELECT count(*) FROM groups WHERE groupName LIKE 'Group %'; SELECT count(DISTINCT groupId || name) FROM notes" | tr '\n' ' ')" "31 3000 0 3000 "
check "no group file was written again for an old group" same "$(ls "$c2" | grep -c '^Group ')" 0
check "Big orders is held back as user 2 had it" same "$(sqlite3 "$y" "SELECT query FROM notes WHERE name = 'Big orders'"; grep -A1 '^held back' "$work/out")" "SELECT 2 -- user 2
held back, as they may be in files that cannot be read: 1
  Big orders"
git -C "$c2" checkout -q --theirs -- "Big orders.sql" && git -C "$c2" add -A && git -C "$c2" commit -qm "merged"
sync "$y" "$c2" && publish "$c2" "after the merge"
check "once merged, Big orders is user 1's, once, in its own file" same "$(sqlite3 "$y" "SELECT count(*) || query FROM notes WHERE name LIKE 'Big orders%'")/$(ls "$c2" | grep -c '^Big orders')" "1SELECT 1 -- user 1/1"

# User 3 edits notes in the database and pulls before syncing: the post-merge hook syncs notes that user 1
# meanwhile retitled, moved to another group or put in a renamed group: each stays one note with both changes.
printf '#!/bin/sh\nexec "%s" sync "%s" "$(git rev-parse --show-toplevel)" > "%s" 2>&1\n' "$quillbox" "$z" "$work/hook" > "$c3/.git/hooks/post-merge"
chmod +x "$c3/.git/hooks/post-merge"
pull "$c1" && sync "$x" "$c1"
sqlite3 "$x" "UPDATE groups SET groupName = 'Renamed 5' WHERE id = 5; UPDATE notes SET name = 'Note 7 retitled' WHERE id = 7;
  UPDATE notes SET groupId = 2 WHERE id = 9; UPDATE notes SET name = 'Note 11 moved', query = 'SELECT 11 -- moved' WHERE id = 11"
sync "$x" "$c1" && publish "$c1" "moved notes"
sqlite3 "$z" "UPDATE notes SET query = 'SELECT 5 -- user 3' WHERE id = 5; UPDATE notes SET query = 'SELECT 7 -- user 3' WHERE id = 7;
  UPDATE notes SET comments = 'user 3' WHERE id = 9; UPDATE notes SET query = 'SELECT 11 -- user 3' WHERE id = 11"
pull "$c3"
check "the hook's sync names no conflict" grep -q '^conflicts 0$' "$work/hook"
check "and names the note it keeps twice, moved and edited on one side, edited on the other" \
  same "$(grep -A1 '^kept, as changed' "$work/hook" | tail -1)" '  Group 11\Note 11'
check "each moved note is one note with both changes" same "$(sqlite3 "$z" "SELECT g.groupName || ' / ' || n.name || ' / ' || quote(n.comments) || ' / ' || n.query
  FROM notes n JOIN groups g ON g.id = n.groupId WHERE n.name IN ('Note 5', 'Note 7', 'Note 7 retitled', 'Note 9') ORDER BY n.id")" \
  "Renamed 5 / Note 5 / NULL / SELECT 5 -- user 3
Team 7 / Note 7 retitled / NULL / SELECT 7 -- user 3
Team 2 / Note 9 / 'user 3' / SELECT 9
FROM t"
publish "$c3" "user 3's edits" && pull "$c1" && sync "$x" "$c1" && pull "$c2" && sync "$y" "$c2"
same_notes() { notes "$1" | tr -d '\r'; groups "$1"; }
check "all three databases hold the same notes and groups" same "$(same_notes "$x"; same_notes "$y")" "$(same_notes "$z"; same_notes "$z")"
check "and the repository one file per note, Note 11 kept twice" same "$(files "$c1" | grep -c '\.sql$')" 3001
check "no marker was ever committed" same "$(git -C "$c1" log -p | grep -c '^+<<<<<<<')" 0

# A sync opens only the files whose size or time moved since the last one, and plans what a sync that
# reads every file plans: the same database with a memory that keeps no file's entry.
remembered() { sqlite3 "$x" "SELECT state FROM syncFolders" | grep -c '^f '; }
same_as_full_read() { # what
  "$quillbox" sync "$x" "$c1" --dry-run > "$work/fast"
  cp "$x" "$work/full.mdb" && sqlite3 "$x" "SELECT state FROM syncFolders" | grep -v '^f ' | sed '/^$/d' > "$work/state"
  sqlite3 "$work/full.mdb" "UPDATE syncFolders SET state = CAST(readfile('$work/state') AS TEXT)"
  "$quillbox" sync "$work/full.mdb" "$c1" --dry-run > "$work/full"
  check "$1, as a sync that reads every file plans it" same "$(cat "$work/fast")" "$(cat "$work/full")"
}
find "$c1" -name '*.sql' -exec touch -d '-1 hour' {} + && sync "$x" "$c1"
check "the memory keeps every note file that was written well before the listing" same "$(remembered)" 3001
note3="$c1/Team 3/Note 3.sql" && cp -p "$note3" "$work/note3" && sed -i 's/^SELECT 3$/SELECT 8/' "$note3" && touch -r "$work/note3" "$note3"
sync "$x" "$c1"
check "a file whose entry has not moved is not opened" same "$(head -1 "$work/out"; sqlite3 "$x" "SELECT query FROM notes WHERE id = 3")" \
  "database: 0 notes to add, 0 to change, 0 to delete; 0 groups to add, 0 to change, 0 to delete
SELECT 3
FROM t"
cp -p "$work/note3" "$note3" && touch "$note3" && sync "$x" "$c1"
check "a touched file is read and changes nothing" same "$(head -2 "$work/out" | grep -c ' 0 to change, 0 to delete; 0 groups')" 2
same_as_full_read "a touched file"
sed -i 's/^SELECT 3$/SELECT 5/' "$note3" && written=$(stat -c %y "$note3") && sync "$x" "$c1"
sed -i 's/^SELECT 5$/SELECT 6/' "$note3" && touch -d "$written" "$note3"
sync "$x" "$c1"
check "a file changed again in the second of the sync that read it, its size kept, is read" \
  same "$(sqlite3 "$x" "SELECT query FROM notes WHERE id = 3")" "SELECT 6
FROM t"
git -C "$c1" checkout -q -- "Team 3/Note 3.sql" && sync "$x" "$c1"
check "a file git checkout put back is read" same "$(sqlite3 "$x" "SELECT query FROM notes WHERE id = 3")" "SELECT 3
FROM t"
sqlite3 "$y" "UPDATE notes SET query = 'SELECT 4 -- pulled' WHERE name = 'Note 4'" && sync "$y" "$c2" && publish "$c2" "for the pull"
find "$c1" -name '*.sql' -exec touch -d '-1 hour' {} + && sync "$x" "$c1" && pull "$c1"
same_as_full_read "after git pull"
sync "$x" "$c1"
check "a file git pull changed is read" same "$(sqlite3 "$x" "SELECT query FROM notes WHERE name = 'Note 4'")" "SELECT 4 -- pulled"

echo "$failures failed"
[ "$failures" -eq 0 ]
