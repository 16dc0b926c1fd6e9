#!/usr/bin/env bash
# Installs Quillbox for the user who runs it, on Debian with Wine, from the
# files beside this script:
#   ./install.sh <plug-in folder>   the host's plug-in folder, a Unix path or
#                                   a Windows path of the prefix (C:\...)
#   ./install.sh --uninstall        removes what the last install added
# The Wine prefix is $WINEPREFIX (default ~/.wine), 32-bit or 64-bit. Nothing
# is written outside the user's home, the prefix and the plug-in folder:
#   ~/.local/lib/quillbox/libquillbox-mdb.so   the ODBC driver unixODBC loads
#   ~/.odbcinst.ini                            the driver's section
#   <prefix> C:\windows\system32\QuillboxMdbSetup.dll (syswow64 on 64-bit)
#   <prefix> HKLM\Software\ODBC\ODBCINST.INI   the driver's key, "ODBC Drivers" entry
#   <prefix> C:\windows\Fonts                  Wine's fonts the prefix lacks
#   <plug-in folder>/Quillbox.dll
#   ~/.local/lib/quillbox/QuillboxCli.exe      the command-line tool
#   ~/.local/bin/quillbox                      runs it under the prefix with Linux paths
# Each of them is listed in ~/.local/share/quillbox/install-manifest, which
# --uninstall follows; a second install first undoes the first.
set -euo pipefail

kit=$(cd "$(dirname "$0")" && pwd)
driver_name='Microsoft Access Driver (*.mdb)'
data_dir=${XDG_DATA_HOME:-$HOME/.local/share}/quillbox
manifest=$data_dir/install-manifest
lib_dir=$HOME/.local/lib/quillbox
bin_dir=$HOME/.local/bin
odbcinst=$HOME/.odbcinst.ini
drivers_key='HKLM\Software\ODBC\ODBCINST.INI\ODBC Drivers'
driver_key="HKLM\\Software\\ODBC\\ODBCINST.INI\\$driver_name"
# Debian packages the driver and the plug-in need under Wine.
required_packages=(wine32:i386 libsqlite3-0:i386 libodbc2:i386 libodbcinst2:i386 libstdc++6:i386)

wanted_prefix=${WINEPREFIX:-$HOME/.wine}

say() { echo "install.sh: $*"; }
fail() { echo "install.sh: $*" >&2; exit 1; }

# wine reg, quietly, in the registry view 32-bit programs see.
reg() { # verb key [arguments...]
  local verb=$1 key=$2
  shift 2
  wine reg "$verb" "$key" "$@" $view >/dev/null 2>&1
}

usage() {
  echo "usage: install.sh <plug-in folder> | install.sh --uninstall" >&2
  exit 2
}

missing_packages() {
  command -v dpkg-query >/dev/null || return 0
  local p
  for p in "${required_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

use_prefix() { # prefix
  prefix=$1
  export WINEPREFIX=$prefix
  [ -f "$prefix/system.reg" ] || fail "no Wine prefix at $prefix: run 'wineboot' once to make it, or set WINEPREFIX"
  read_prefix_kind
}

# The registry view and the system folder of 32-bit programs in the prefix.
read_prefix_kind() {
  view=
  system_dir=$prefix/drive_c/windows/system32
  if grep -q '^#arch=win64' "$prefix/system.reg"; then
    view=/reg:32
    system_dir=$prefix/drive_c/windows/syswow64
  fi
}

record() { printf '%s\t%s\n' "$1" "$2" >> "$manifest"; }

# Makes a folder and its missing parents; prints those it made, outermost first.
make_dirs() { # folder
  local dir=$1 made=()
  while [ ! -d "$dir" ]; do made=("$dir" "${made[@]}"); dir=$(dirname "$dir"); done
  mkdir -p "$1"
  printf '%s\n' "${made[@]}"
}

# Copies a file to `target`, which must not exist yet, and records it.
install_file() { # source target
  if [ -e "$2" ]; then fail "$2 is in the way (not put there by this installer): move it away first"; fi
  cp "$1" "$2.part" && mv "$2.part" "$2"
  record file "$2"
}

register_with_unixodbc() {
  if [ -f "$odbcinst" ] && grep -qxF "[$driver_name]" "$odbcinst"; then
    fail "$odbcinst already has a section [$driver_name]: remove it first"
  fi
  if [ ! -e "$odbcinst" ]; then
    record odbcinst-created "$odbcinst"
    : > "$odbcinst"
  elif [ -s "$odbcinst" ] && [ -n "$(tail -c1 "$odbcinst")" ]; then
    # The last line had no line end; the uninstall takes it away again.
    echo >> "$odbcinst"
    record odbcinst-line-end "$odbcinst"
  fi
  cat >> "$odbcinst" <<INI
[$driver_name]
Description=Quillbox note database driver over SQLite
Driver=$lib_dir/libquillbox-mdb.so
Setup=$lib_dir/libquillbox-mdb.so
FileUsage=1
INI
  record odbcinst-section "$odbcinst"
}

register_with_wine() {
  if reg query "$driver_key" /v Driver; then
    fail "the prefix already has a driver named \"$driver_name\": remove it first"
  fi
  reg query "$driver_key" || record registry-key "$driver_key"
  record registry-values "$driver_key"
  reg query "$drivers_key" /v "$driver_name" || record registry-driver-entry "$drivers_key"
  # Wine's odbccp32 loads the PE DLL named by Driver (and wants Setup too) to
  # create a note file; connections go through unixODBC.
  local setup='C:\windows\system32\QuillboxMdbSetup.dll'
  reg add "$driver_key" /v Driver /d "$setup" /f || fail "could not write the prefix's registry"
  reg add "$driver_key" /v Setup /d "$setup" /f || fail "could not write the prefix's registry"
  reg add "$drivers_key" /v "$driver_name" /d Installed /f || fail "could not write the prefix's registry"
}

install_fonts() {
  local fonts font
  if ! fonts=$("$kit/prefix-fonts" --missing-only "$prefix" 2>/dev/null); then
    say "fonts-wine is not installed: dialogs use other fonts than on Windows (install it and run install.sh again)"
    return 0
  fi
  while IFS= read -r font; do
    if [ -n "$font" ]; then record file "$font"; fi
  done <<< "$fonts"
}

# The quillbox command: QuillboxCli.exe under the prefix the install went
# into (or $WINEPREFIX when set), each argument that is not a command or an
# option turned from a Linux path into the same path on Wine's Z: drive.
write_command() { # target
  {
    echo '#!/usr/bin/env bash'
    echo "# Quillbox's command-line tool under Wine, as install.sh wrote it:"
    echo '#   quillbox export <database> <folder>'
    echo '#   quillbox import <database> <folder> [--dry-run]'
    echo '#   quillbox --help | --version'
    printf 'installed_prefix=%q\ncli=%q\n' "$prefix" "$lib_dir/QuillboxCli.exe"
    cat <<'SH'
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-$installed_prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "quillbox: no Wine prefix at $WINEPREFIX (set WINEPREFIX to the one Quillbox was installed into)" >&2
  exit 1
fi
args=()
for arg in "$@"; do
  if [ ${#args[@]} -eq 0 ]; then args+=("$arg"); continue; fi  # the command
  case $arg in
    -* | [A-Za-z]:\\* | [A-Za-z]:/*) args+=("$arg") ;;
    *) path=$(realpath -m -- "$arg"); args+=("Z:${path//\//\\}") ;;
  esac
done
exec wine "$cli" "${args[@]}"
SH
  } > "$1"
  chmod +x "$1"
}

do_install() { # plug-in folder
  local plugins=$1
  case $plugins in
    [A-Za-z]:\\*) plugins=$(winepath -u "$plugins" 2>/dev/null) || fail "cannot map $1 to a folder" ;;
  esac
  [ -d "$plugins" ] || fail "no such folder: $plugins"
  plugins=$(cd "$plugins" && pwd -P)

  local missing
  missing=$(missing_packages)
  if [ -n "$missing" ]; then
    fail "missing Debian packages: $(echo $missing). Install them (as root):
  dpkg --add-architecture i386 && apt-get update && apt-get install $(echo $missing)"
  fi
  command -v wine >/dev/null || fail "wine is not installed"

  if [ -f "$manifest" ]; then do_uninstall quietly; fi
  use_prefix "$wanted_prefix"
  local made
  made=$(make_dirs "$data_dir")
  : > "$manifest"
  made+=$'\n'$(make_dirs "$lib_dir")
  made+=$'\n'$(make_dirs "$bin_dir")
  while IFS= read -r dir; do
    if [ -n "$dir" ]; then record dir "$dir"; fi
  done <<< "$made"
  # A failure half-way undoes what was done so far.
  trap 'echo "install.sh: undoing the install" >&2; do_uninstall quietly' EXIT
  record prefix "$prefix"
  install_file "$kit/libquillbox-mdb.so" "$lib_dir/libquillbox-mdb.so"
  register_with_unixodbc
  install_file "$kit/QuillboxMdbSetup.dll" "$system_dir/QuillboxMdbSetup.dll"
  register_with_wine
  install_fonts
  install_file "$kit/Quillbox.dll" "$plugins/Quillbox.dll"
  install_file "$kit/QuillboxCli.exe" "$lib_dir/QuillboxCli.exe"
  write_command "$lib_dir/quillbox.new"
  install_file "$lib_dir/quillbox.new" "$bin_dir/quillbox"
  rm -f "$lib_dir/quillbox.new"
  trap - EXIT
  say "installed: Quillbox.dll in $plugins, the note database driver for $prefix, the quillbox command in $bin_dir"
  case ":$PATH:" in
    *":$bin_dir:"*) ;;
    *) say "$bin_dir is not on your PATH: log in again (Debian adds it when it exists) or run $bin_dir/quillbox" ;;
  esac
}

# Removes the section [driver] from odbcinst.ini, leaving every other line as it was.
remove_odbcinst_section() { # file
  [ -f "$1" ] || return 0
  awk -v header="[$driver_name]" '/^\[/ { skip = ($0 == header) } !skip' "$1" > "$1.part"
  mv "$1.part" "$1"
}

do_uninstall() { # [quietly]
  [ -f "$manifest" ] || { say "nothing to uninstall"; return 0; }
  local kind value dirs=()
  prefix=$(awk -F '\t' '$1 == "prefix" { print $2 }' "$manifest")
  export WINEPREFIX=$prefix
  # A prefix deleted since took its part along; the rest is still removed.
  local have_prefix=false
  if [ -f "$prefix/system.reg" ]; then have_prefix=true; read_prefix_kind; fi
  # Undo in the reverse order of the install; the folders go last, when empty.
  while IFS=$'\t' read -r kind value; do
    case $kind in
      dir) dirs+=("$value") ;;
      file) rm -f "$value" ;;
      registry-key) if $have_prefix; then reg delete "$value" /f || true; fi ;;
      registry-values) if $have_prefix; then reg delete "$value" /v Driver /f || true; reg delete "$value" /v Setup /f || true; fi ;;
      registry-driver-entry) if $have_prefix; then reg delete "$value" /v "$driver_name" /f || true; fi ;;
      odbcinst-section) remove_odbcinst_section "$value" ;;
      odbcinst-line-end) if [ -s "$value" ]; then truncate -s -1 "$value"; fi ;;
      odbcinst-created) [ -s "$value" ] || rm -f "$value" ;;
    esac
  done < <(tac "$manifest")
  rm -f "$manifest"
  for dir in "${dirs[@]}"; do rmdir "$dir" 2>/dev/null || true; done
  [ "${1:-}" = quietly ] || say "uninstalled from $prefix"
}

[ $# -eq 1 ] || usage
case $1 in
  --uninstall) do_uninstall ;;
  -*) usage ;;
  *) use_prefix "$wanted_prefix"; do_install "$1" ;;
esac
