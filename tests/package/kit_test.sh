#!/usr/bin/env bash
# The Wine kit as a new user gets it: unpacked and installed into a home
# folder and a Wine prefix (win64, Wine's default, or win32) of their own,
# outside the build tree, with no ODBCSYSINI/ODBCINI; a host in the plug-in
# folder makes a note file, saves a note and finds it (KitHostTest.exe); the
# quillbox command imports a folder and exports it again;
# installing again changes nothing; the uninstall leaves no trace. install.sh
# runs without WINEPREFIX, so it finds the prefix at its default, ~/.wine.
# Each run has an X display of its own, so it runs beside the other tests.
#   kit_test.sh <folder with the packages> <KitHostTest.exe> win64|win32
set -euo pipefail
packages=$1
host_exe=$2
arch=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(tr -d '[:space:]' < "$root/VERSION")
kit=quillbox-$version-wine-i386
driver_name='Microsoft Access Driver (*.mdb)'
driver_key="HKLM\\Software\\ODBC\\ODBCINST.INI\\$driver_name"
drivers_key='HKLM\Software\ODBC\ODBCINST.INI\ODBC Drivers'

source "$root/scripts/env.sh"

work=$(mktemp -d /tmp/quillbox-kit.XXXXXX)
export HOME=$work/home
export WINEPREFIX=$HOME/.wine TMPDIR=$work/tmp
export WINEARCH=$arch
unset ODBCSYSINI ODBCINI XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
mkdir -p "$HOME" "$TMPDIR"
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "${QB_XVFB_PID:-}" ] && kill "$QB_XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# A display of its own, as a user's desktop is: the kit's prefix has no
# virtual desktop, so its windows would otherwise take the X focus from the
# other tests' windows.
qb_start_display || exit 1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
fatal() { fail "$*"; echo "kit_test: $failures failures"; exit 1; }
expect_file() { [ -e "$1" ] || fail "$2: $1 is missing"; }
expect_no_file() { [ ! -e "$1" ] || fail "$2: $1 is still there"; }
reg_value() { # key name: the value's data, or nothing
  wine reg query "$1" /v "$2" /reg:32 2>/dev/null | tr -d '\r' |
    awk -F '    REG_SZ    ' -v name="$2" '{ n = $1; sub(/^ +/, "", n) } n == name { print $2 }' || true
}
# The files a user has, outside what Wine itself keeps changing.
home_files() { (cd "$HOME" && find . -path ./.wine -prune -o -print | sort); }
inventory() {
  home_files
  (cd "$WINEPREFIX/drive_c/windows" && find system32 syswow64 Fonts -maxdepth 1 2>/dev/null | sort)
  (cd "$WINEPREFIX/drive_c/Host" && find . | sort)
}

# The user's own prefix, with a Wine desktop as the project's has.
start=$(date +%s)
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
wineserver -k  # writes the registry files, as a user's prefix has them
grep -q "^#arch=$arch" "$WINEPREFIX/system.reg" || fatal "the new prefix is not $arch"
unset WINEARCH  # the user's later commands do not name it
system_dir=$WINEPREFIX/drive_c/windows/system32
[ "$arch" = win64 ] && system_dir=$WINEPREFIX/drive_c/windows/syswow64
echo "prefix made in $(( $(date +%s) - start )) s"
mkdir -p "$WINEPREFIX/drive_c/Host" "$WINEPREFIX/drive_c/notes"
# The user already has another driver in ~/.odbcinst.ini (its last line
# without a line end): it must come through untouched.
printf '[Other driver]\nDriver=/usr/lib/other.so\n\n[Another]\nDriver=/usr/lib/another.so' > "$HOME/.odbcinst.ini"
cp "$HOME/.odbcinst.ini" "$work/odbcinst.before"
# The prefix has a Tahoma of its own already: it is left alone.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
printf 'the user'"'"'s own Tahoma' > "$WINEPREFIX/drive_c/windows/Fonts/tahoma.ttf"
before=$(inventory)
home_before=$(home_files)

tar -C "$work" -xzf "$packages/$kit.tar.gz"
install=$work/$kit/install.sh

# A missing Debian package is named, and nothing is installed.
mkdir -p "$work/fakebin"
printf '#!/bin/sh\n[ "$3" = libsqlite3-0:i386 ] && exit 1\nexec /usr/bin/dpkg-query "$@"\n' > "$work/fakebin/dpkg-query"
chmod +x "$work/fakebin/dpkg-query"
if message=$(PATH=$work/fakebin:$PATH env -u WINEPREFIX "$install" 'C:\Host' 2>&1); then
  fail "install.sh succeeded without libsqlite3-0:i386"
fi
grep -q 'libsqlite3-0:i386' <<< "$message" || fail "install.sh did not name the missing package: $message"
[ "$(inventory)" = "$before" ] || fail "a refused install left files behind"

start=$(date +%s)
env -u WINEPREFIX "$install" 'C:\Host' || fatal "install.sh failed"
echo "installed in $(( $(date +%s) - start )) s"
expect_file "$WINEPREFIX/drive_c/Host/Quillbox.dll" "the plug-in"
expect_file "$system_dir/QuillboxMdbSetup.dll" "the setup DLL"
expect_file "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" "Marlett"
grep -q "own Tahoma" "$WINEPREFIX/drive_c/windows/Fonts/tahoma.ttf" || fail "the prefix's own Tahoma was replaced"
[ "$(grep -cxF "[$driver_name]" "$HOME/.odbcinst.ini")" = 1 ] || fail "odbcinst.ini has no section for the driver"
setup=$(reg_value "$driver_key" Driver)
[ "$setup" = 'C:\windows\system32\QuillboxMdbSetup.dll' ] || fail "Driver is '$setup'"
[ "$(reg_value "$driver_key" Setup)" = "$setup" ] || fail "Setup is not the setup DLL"
[ "$(reg_value "$drivers_key" "$driver_name")" = Installed ] || fail "the driver is not among the ODBC Drivers"

# The host in the plug-in folder: New, Save, Find.
cp "$host_exe" "$WINEPREFIX/drive_c/Host/"
start=$(date +%s)
(cd "$WINEPREFIX/drive_c/Host" && QB_KIT_NOTE_FILE='C:\notes\kit.mdb' wine KitHostTest.exe </dev/null 2>&1) ||
  fail "the host could not use the installed kit"
echo "host ran in $(( $(date +%s) - start )) s"
notes=$(sqlite3 "$WINEPREFIX/drive_c/notes/kit.mdb" 'SELECT name FROM notes' 2>&1) || true
[ "$notes" = "Kit note" ] || fail "the note file holds '$notes'"

# The quillbox command, with Linux paths and the prefix it was installed into.
mkdir -p "$work/shared/Reports"
printf 'SELECT 1;\n' > "$work/shared/Reports/first.sql"
quillbox=$HOME/.local/bin/quillbox
"$quillbox" --version | grep -qx "QuillboxCli $version" || fail "quillbox --version does not say $version"
(cd "$work" && env -u WINEPREFIX "$quillbox" import team.mdb shared) | grep -qx 'added 1' || fail "quillbox import did not add the note"
(cd "$work" && env -u WINEPREFIX "$quillbox" export team.mdb shared) | grep -qx 'written 2' || fail "quillbox export did not write the note and group files"
head -1 "$work/shared/Reports/first.sql" | grep -qx -- '-- Quillbox note' || fail "the exported note has no header"
[ "$(ls "$work/shared/Reports")" = "$(printf 'README.md\nfirst.sql')" ] || fail "the export wrote $(ls "$work/shared/Reports")"

# Installing again replaces the first install.
env -u WINEPREFIX "$install" 'C:\Host' >/dev/null || fail "the second install failed"
[ "$(grep -cxF "[$driver_name]" "$HOME/.odbcinst.ini")" = 1 ] || fail "a second install doubled the driver's section"

env -u WINEPREFIX "$install" --uninstall || fail "install.sh --uninstall failed"
cmp -s "$work/odbcinst.before" "$HOME/.odbcinst.ini" || fail "odbcinst.ini differs from before: $(diff "$work/odbcinst.before" "$HOME/.odbcinst.ini")"
wine reg query "$driver_key" /reg:32 >/dev/null 2>&1 && fail "the driver's registry key is still there"
[ -z "$(reg_value "$drivers_key" "$driver_name")" ] || fail "the driver is still among the ODBC Drivers"
rm "$WINEPREFIX/drive_c/Host/KitHostTest.exe"
grep -q "own Tahoma" "$WINEPREFIX/drive_c/windows/Fonts/tahoma.ttf" || fail "the uninstall took the prefix's own Tahoma"
after=$(inventory)
[ "$after" = "$before" ] || fail "the uninstall left: $(diff <(echo "$before") <(echo "$after") | grep '^[<>]')"
env -u WINEPREFIX "$install" --uninstall | grep -q 'nothing to uninstall' || fail "a second uninstall did something"

# A prefix deleted after the install: the uninstall still clears the home folder.
env -u WINEPREFIX "$install" 'C:\Host' >/dev/null || fail "the install before deleting the prefix failed"
wineserver -k
rm -rf "$WINEPREFIX"
env -u WINEPREFIX "$install" --uninstall >/dev/null || fail "the uninstall without the prefix failed"
cmp -s "$work/odbcinst.before" "$HOME/.odbcinst.ini" || fail "without the prefix, odbcinst.ini differs from before"
home_after=$(home_files)
[ "$home_after" = "$home_before" ] ||
  fail "without the prefix, the uninstall left: $(diff <(echo "$home_before") <(echo "$home_after") | grep '^[<>]')"

echo "kit_test: $failures failures"
[ "$failures" -eq 0 ]
