#!/usr/bin/env bash
# QuillboxCli through scripts/quillbox, checked with the sqlite3 shell, diff
# and git: notes with every awkward character go from a folder into a new
# note database, out again, into a second database and out again; the two
# exports are byte for byte the same, the databases hold the same rows, a
# second export rewrites nothing, an import of a database's own export
# changes nothing, a dry run changes nothing, and failures exit 1 with a
# message. Then a git working copy as a team has it: git's own files are
# left alone and not reported, plain files are taken in and become their
# notes' files, names with a leading dot round-trip, every file keeps one
# line end, and a merge conflict is refused. Run by ctest in the pe tree
# (scripts/test sets up the prefix).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
quillbox=$root/scripts/quillbox
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/checks.sh"

# A folder of notes as other tools and hand edits leave them.
src=$work/src
mkdir -p "$src/odd group" "$src/Plain" "$src/Empty"
printf -- '-- Quillbox note\n-- title: "  spaced -- */ \\"quoted\\"\\ttab  "\n-- group: "None"\n-- comments: "line\\nbreak \xf0\x9f\x98\x80 and > -->"\n\nSELECT 1; -- */\r\n\ttabbed \xf0\x90\x90\xb7 caf\xc3\xa9  \n' > "$src/a.sql"
printf -- '-- Quillbox note\n-- title: "CON"\n-- group: "Odd: group."\n-- comments: null\n\nSELECT '"'"'it'"'"''"'"'s'"'"';' > "$src/odd group/device.sql"
printf -- '-- Quillbox note\n-- title: "Report"\n-- group: "Odd: group."\n-- comments: ""\n\nSELECT 2;' > "$src/odd group/r1.sql"
printf -- '-- Quillbox note\n-- title: "Report"\n-- group: "Odd: group."\n-- comments: "twin"\n\nSELECT 3;' > "$src/odd group/r2.sql"
printf -- '-- Quillbox note\n-- title: "report"\n-- group: "Odd: group."\n-- comments: "lower"\n\nSELECT 4;' > "$src/odd group/r3.sql"
printf -- '-- Quillbox note\n-- title: "a/b\\\\c*d?e"\n-- group: "Odd: group."\n-- comments: null\n\n/* no line break at the end */' > "$src/odd group/slash.sql"
printf '<!-- Quillbox group -->\n<!-- name: "Odd: group." -->\n<!-- description: "first line\\nsecond \\u2028 line" -->\n' > "$src/odd group/README.md"
printf '<!-- Quillbox group -->\n<!-- name: "Empty" -->\n<!-- description: null -->\n' > "$src/Empty/README.md"
printf 'SELECT plain FROM elsewhere;\r\n' > "$src/Plain/From another tool.sql"
printf '\xef\xbb\xbfSELECT bom;' > "$src/Plain/With BOM.sql"
printf '\xff\xfeS\0E\0L\0\x3d\xd8\x00\xde' > "$src/Plain/Utf16.sql"
printf 'SELECT \xe9t\xe9;' > "$src/Plain/Ansi.sql"
printf 'not a note' > "$src/Plain/notes.txt"
# Texts Windows' driver takes only as parameters: a pipe, SQL's ||, and a query past 65,000 characters.
printf -- '-- Quillbox note\n-- title: "a|b \xe6\xbc\xa2 \xf0\x9f\x98\x80"\n-- group: "None"\n-- comments: "| [dbo].[t] #temp * ? %% _ '"'"'"\n\nSELECT a || b FROM [dbo].[t];' > "$src/pipe.sql"
{ printf 'SELECT '; head -c 70000 /dev/zero | tr '\0' x; printf ' || y;'; } > "$src/Plain/Long.sql"
notes_in_src=12

a=$work/a.mdb b=$work/b.mdb out_a=$work/out-a out_b=$work/out-b
mkdir -p "$out_a" "$out_b"
out=$("$quillbox" import "$a" "$src")
check "import into a new database creates it and adds every note" same "$(grep -E '^(added|refused)' <<<"$out")" "added $notes_in_src
refused 0"
check "export A" "$quillbox" export "$a" "$out_a" >/dev/null
check "import A's export into a new B" "$quillbox" import "$b" "$out_a" >/dev/null
check "export B" "$quillbox" export "$b" "$out_b" >/dev/null
check "the two exports are byte for byte the same" diff -r "$out_a" "$out_b"

# The same rows, read with plain SQLite (hex keeps the order the engine's own).
rows() {
  sqlite3 "$1" "SELECT hex(g.groupName), hex(n.name), quote(n.comments), hex(n.query) FROM notes n JOIN groups g ON g.id = n.groupId ORDER BY 1, 2, 3, 4;
                SELECT hex(groupName), quote(groupDescription) FROM groups ORDER BY 1;"
}
check "B holds exactly A's notes and groups" same "$(rows "$b")" "$(rows "$a")"
check "A holds $notes_in_src notes" same "$(sqlite3 "$a" 'SELECT count(*) FROM notes')" "$notes_in_src"
check "a query keeps its bytes but the file's final line end" same "$(sqlite3 "$a" "SELECT hex(query) FROM notes WHERE hex(name) = hex('  spaced -- */ \"quoted\"	tab  ')")" \
  "$(printf 'SELECT 1; -- */\r\n\ttabbed \xf0\x90\x90\xb7 caf\xc3\xa9  ' | od -An -tx1 | tr -d ' \n' | tr a-f A-F)"
check "a pipe and || are kept" same "$(sqlite3 "$a" "SELECT comments || '/' || query FROM notes WHERE name LIKE 'a|b%'")" "| [dbo].[t] #temp * ? % _ '/SELECT a || b FROM [dbo].[t];"
check "a 70,013-character query is kept whole" same "$(sqlite3 "$a" "SELECT length(query) FROM notes WHERE name = 'Long'")" 70013
check "NULL comments stay NULL" same "$(sqlite3 "$a" "SELECT quote(comments) FROM notes WHERE hex(name) = hex('CON')")" "NULL"
check "UTF-16, BOM and ANSI files are read as text" same "$(sqlite3 "$a" "SELECT query FROM notes WHERE hex(name) IN (hex('With BOM'), hex('Utf16'), hex('Ansi')) ORDER BY hex(name)")" \
  "$(printf 'SELECT \xc3\xa9t\xc3\xa9;\nSEL\xf0\x9f\x98\x80\nSELECT bom;')"
# A name is the title's own in sentence case, else marked by its exact
# spelling; a second note of the very same title is marked by its texts.
check "file names are safe and unique without regard to case, the same on every machine" same "$(cd "$out_a" && ls "Odd_ group_" | LC_ALL=C sort)" \
  "$(printf 'README.md\nReport (7e8438).sql\nReport.sql\n_CON ~716bcac7.sql\na_b_c_d_e ~0c9431c2.sql\nreport ~1f986c4b.sql')"

# Stable: a second export rewrites nothing, git sees no change.
git -C "$out_a" init -q && git -C "$out_a" add -A && git -C "$out_a" -c user.name=t -c user.email=t@t commit -qm export
before=$(find "$out_a" -path '*/.git' -prune -o -type f -printf '%p %T@\n' | sort)
out=$("$quillbox" export "$a" "$out_a")
check "a second export writes nothing" same "$(head -1 <<<"$out")" "written 0"
check "modification times unchanged" same "$(find "$out_a" -path '*/.git' -prune -o -type f -printf '%p %T@\n' | sort)" "$before"
check "git status is clean" same "$(git -C "$out_a" status --porcelain)" ""
out=$("$quillbox" import "$a" "$out_a")
check "importing A's export into A changes nothing" same "$(head -2 <<<"$out")" "added 0
changed 0"

# A changed, a renamed and a deleted note touch only their own files.
sqlite3 "$a" "UPDATE notes SET query = 'SELECT 22;' WHERE hex(query) = hex('SELECT 2;');
              UPDATE notes SET name = 'Renamed' WHERE hex(name) = hex('CON'); DELETE FROM notes WHERE hex(query) = hex('SELECT 4;')"
"$quillbox" export "$a" "$out_a" >/dev/null
check "only the changed, renamed and deleted notes' files change" same "$(git -C "$out_a" status --porcelain | LC_ALL=C sort)" \
  "$(printf ' D "Odd_ group_/_CON ~716bcac7.sql"\n D "Odd_ group_/report ~1f986c4b.sql"\n M "Odd_ group_/Report.sql"\n?? "Odd_ group_/Renamed.sql"')"

# A dry run reports and changes nothing.
printf -- '-- Quillbox note\n-- title: "Dry"\n-- group: "None"\n-- comments: null\n\nSELECT dry;' > "$out_b/dry.sql"
out=$("$quillbox" import "$b" "$out_b" --dry-run)
check "a dry run says what it would add" same "$(head -1 <<<"$out")" "added 1"
check "a dry run changes nothing" same "$(sqlite3 "$b" 'SELECT count(*) FROM notes')" "$notes_in_src"

# A git working copy: .git, .github and .gitignore, a note file a user
# wrote by hand, a group named ".git" and a note titled ".hidden".
team=$work/team.mdb wc=$work/wc
mkdir -p "$work/dotted/g" "$wc/Plain" "$wc/.github"
printf '<!-- Quillbox group -->\n<!-- name: ".git" -->\n<!-- description: null -->\n' > "$work/dotted/g/README.md"
printf -- '-- Quillbox note\n-- title: ".hidden"\n-- group: ".git"\n-- comments: null\n\nSELECT hidden;\n' > "$work/dotted/g/h.sql"
"$quillbox" import "$team" "$work/dotted" >/dev/null
git -C "$wc" init -q && printf '*.mdb\n' > "$wc/.gitignore" && printf 'on: push\n' > "$wc/.github/ci.yml"
printf 'SELECT new;\n' > "$wc/new.sql"
printf 'SELECT p\r\nFROM t;\r\n' > "$wc/Plain/p.sql"
out=$("$quillbox" import "$team" "$wc")
check "plain files are taken in, git's files are not reported" same "$(grep -E '^(added|refused)' <<<"$out")" "added 2
refused 0"
dotted() { (cd "$wc" && find .git .github .gitignore -type f -exec md5sum {} + | sort); }
git_files=$(dotted)
"$quillbox" export "$team" "$wc" >/dev/null
check "export leaves git's files alone" same "$(dotted)" "$git_files"
check "one file per note: plain files get the header in place, dot names a safe first character" \
  same "$(cd "$wc" && find . -path ./.git -prune -o -type f -print | LC_ALL=C sort)" "$(printf './.github/ci.yml\n./.gitignore\n./Plain/README.md\n./Plain/p.sql\n./_git/README.md\n./_git/_hidden ~b8337c01.sql\n./new.sql')"
check "new.sql has the header now" same "$(head -2 "$wc/new.sql")" '-- Quillbox note
-- title: "new"'
check "an LF query's file has LF lines only and ends with one" same "$(tr -cd '\r' < "$wc/new.sql" | wc -c)/$(tail -c1 "$wc/new.sql" | od -An -c | tr -d ' ')" '0/\n'
check "a CRLF query's file has CRLF lines only and ends with one" \
  same "$(tr -cd '\r' < "$wc/Plain/p.sql" | wc -c)/$(tail -c2 "$wc/Plain/p.sql" | od -An -c | tr -d ' ')" "$(tr -cd '\n' < "$wc/Plain/p.sql" | wc -c)/\\r\\n"
check "importing the same folder again changes nothing" same "$("$quillbox" import "$team" "$wc" | head -2)" "added 0
changed 0"
"$quillbox" import "$work/team2.mdb" "$wc" >/dev/null
check "a second database holds exactly the same notes and groups" same "$(rows "$work/team2.mdb")" "$(rows "$team")"
printf '\n' >> "$wc/new.sql"
check "a final line end an editor added is no change" same "$("$quillbox" import "$team" "$wc" | head -2)" "added 0
changed 0"
printf '<<<<<<< HEAD\nSELECT 1;\n=======\nSELECT 2;\n>>>>>>> theirs\n' > "$wc/merged.sql"
check "a merge conflict is refused" same "$("$quillbox" import "$team" "$wc" 2>/dev/null | sed -n '/^refused/,$p')" "refused 1
  merged.sql: an unresolved merge conflict"
"$quillbox" import "$team" "$wc" >/dev/null 2>&1
check "and the import exits 2, so a script sees it" same "$?" 2
"$quillbox" export "$team" "$wc" >/dev/null 2>"$work/err"
check "export stops rather than overwrite it" grep -q 'merged.sql: an unresolved merge conflict' "$work/err"

# Export makes a missing folder, but only inside one that exists.
check "export into a missing folder makes it" "$quillbox" export "$a" "$work/missing" >/dev/null
check "and fills it" [ -f "$work/missing/Odd_ group_/README.md" ]

# A note run from a script on Debian's SQLite ODBC driver: found by title or
# group/title, its blanks from --set, its rows as TSV or CSV, failures told.
runsrc=$work/runsrc data=$work/people.sqlite runs=$work/runs.mdb
mkdir -p "$runsrc/Queries" "$runsrc/Other"
sqlite3 "$data" "CREATE TABLE people (id INTEGER, name TEXT); INSERT INTO people VALUES (1, 'Ann'), (42, 'O''Brien'), (3, 'say \"hi\", ok');"
printf -- '-- Quillbox note\n-- title: "people"\n-- group: "Queries"\n-- comments: null\n\nSELECT id, name FROM ${table} WHERE id = :id OR name = :name ORDER BY id;' > "$runsrc/Queries/people.sql"
printf -- '-- Quillbox note\n-- title: "people"\n-- group: "Other"\n-- comments: null\n\nSELECT 1;' > "$runsrc/Other/people.sql"
printf -- '-- Quillbox note\n-- title: "broken"\n-- group: "Queries"\n-- comments: null\n\nSELECT 1 AS one;\nSELECT * FROM\n  missing;\nDELETE FROM people;' > "$runsrc/Queries/broken.sql"
"$quillbox" import "$runs" "$runsrc" >/dev/null
connect="DRIVER={SQLite3 ODBC Driver};Database=$data;"
"$quillbox" run "$runs" people --connect "$connect" >/dev/null 2>"$work/err"
check "a title two notes share exits 1" [ $? -eq 1 ]
check "and names both as group/title" grep -q 'Other/people' "$work/err"
"$quillbox" run "$runs" Queries/people --connect "$connect" --set table=people --set ID=42 >"$work/out" 2>"$work/err"
check "a missing value exits 1" [ $? -eq 1 ]
check "naming it, before anything runs" same "$(cat "$work/err" "$work/out")" "QuillboxCli: no value for name: give each with --set name=value"
check "values as parameters, rows as TSV with a header" same \
  "$("$quillbox" run "$runs" Queries/people --connect "$connect" --set table=people --set id=42 --set name='1 OR 1=1')" "id	name
42	O'Brien"
check "CSV quoted as RFC 4180 says" same \
  "$("$quillbox" run "$runs" Queries/people --connect "$connect" --set table=people --set id=0 --set name='say "hi", ok' --format csv | od -c | head -3)" \
  "$(printf 'id,name\r\n3,"say ""hi"", ok"\r\n' | od -c | head -3)"
"$quillbox" run "$runs" broken --connect "$connect" >"$work/out" 2>"$work/err"
check "a failing statement exits 1" [ $? -eq 1 ]
check "after the rows before it" same "$(cat "$work/out")" "one
1"
check "saying which statement and why" grep -q '^QuillboxCli: statement 2 (SELECT \* FROM) failed: \[' "$work/err"
check "and running nothing after it" same "$(sqlite3 "$data" 'SELECT count(*) FROM people')" 3

# Failures: exit 1 and a message on standard error.
"$quillbox" export "$a" "$work/nowhere/deeper" 2>"$work/err" >/dev/null
check "a folder without a parent exits 1" [ $? -eq 1 ]
check "and says so" grep -q 'no such folder' "$work/err"
"$quillbox" export "$work/missing.mdb" "$out_a" 2>"$work/err" >/dev/null
check "a missing database exits 1" [ $? -eq 1 ]
"$quillbox" frobnicate "$a" "$out_a" 2>"$work/err" >/dev/null
check "an unknown command exits 1 with the usage" [ $? -eq 1 ]
grep -q usage "$work/err" || { echo "FAILED: no usage text"; failures=$((failures + 1)); }

echo "$failures failed"
[ "$failures" -eq 0 ]
