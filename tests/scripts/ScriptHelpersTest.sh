#!/usr/bin/env bash
# scripts/env.sh's helpers as the scripts use them: a build tree configured
# once and again only when its toolchain file or options change, Unix paths
# as Wine programs see them, and a fuzz corpus replaced by a merged set
# without losing a file when the copy fails. cmake is a shell function here
# that records its arguments, so nothing is built.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
expect() { # what got expected
  [ "$2" = "$3" ] && { echo "ok: $1"; return; }
  printf 'FAILED: %s\n  got:      %s\n  expected: %s\n' "$1" "$2" "$3"
  failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy of the project's scripts and cmake folders: the toolchain files can
# change without touching the checkout.
mkdir -p "$work/project"
cp -r "$root/scripts" "$root/cmake" "$work/project/"
export QB_BUILD=$work/build CCACHE_DIR=
source "$work/project/scripts/env.sh"
set +e

calls=$work/cmake-calls
cmake_fails=0
cmake() { # records its arguments; makes the files a configure leaves
  printf '%s\n' "$*" >> "$calls"
  [ $cmake_fails -eq 0 ] || return 1
  local dir= previous=
  for arg in "$@"; do [ "$previous" = -B ] && dir=$arg; previous=$arg; done
  touch "$dir/build.ninja" "$dir/CMakeCache.txt"
}
runs() { [ -f "$calls" ] && wc -l < "$calls" || echo 0; }
last() { tail -1 "$calls"; }

qb_configure pe pe mingw-i686.cmake RelWithDebInfo
expect "a new tree is configured" "$(runs)" 1
expect "with the toolchain file, tree and type" "$(last)" \
  "-S $work/project -B $QB_BUILD/pe -G Ninja -DQB_TREE=pe -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=$work/project/cmake/mingw-i686.cmake"
qb_configure pe pe mingw-i686.cmake RelWithDebInfo
expect "the same request configures nothing" "$(runs)" 1
qb_configure pe pe mingw-i686.cmake Release
expect "another build type configures again, from a fresh cache" "$(last | cut -d' ' -f1,9)" "--fresh -DCMAKE_BUILD_TYPE=Release"
qb_configure pe pe mingw-i686.cmake Release -DQB_SANITIZE=OFF
expect "an added option configures again" "$(runs)" 3
expect "and is passed" "$(last | awk '{print $NF}')" "-DQB_SANITIZE=OFF"
qb_configure pe pe mingw-i686.cmake Release
expect "a dropped option configures again from a fresh cache, so the cache forgets it" "$(runs)|$(last | cut -d' ' -f1)" "4|--fresh"
echo '# changed' >> "$work/project/cmake/mingw-i686.cmake"
qb_configure pe pe mingw-i686.cmake Release
expect "a changed toolchain file configures again" "$(runs)" 5
qb_configure pe pe mingw-i686.cmake Release
expect "and then no more" "$(runs)" 5
rm "$QB_BUILD/pe/build.ninja"
qb_configure pe pe mingw-i686.cmake Release
expect "a tree without build.ninja is configured" "$(runs)" 6
qb_configure native native "" RelWithDebInfo
expect "a tree without a toolchain file names none" "$(last)" \
  "-S $work/project -B $QB_BUILD/native -G Ninja -DQB_TREE=native -DCMAKE_BUILD_TYPE=RelWithDebInfo"
cmake_fails=1
qb_configure native native "" Release
expect "a failed configure says so" "$?" 1
cmake_fails=0
qb_configure native native "" Release
expect "and is tried again next time" "$(runs)" 9
qb_configure native native "" Release
expect "until it succeeds" "$(runs)" 9

expect "a Unix path on Wine's Z: drive" "$(qb_winpath "/home/a user/notes.mdb")" 'Z:\home\a user\notes.mdb'
expect "the root" "$(qb_winpath /)" 'Z:\'

# The corpus: three committed files; the merge keeps two and adds one.
corpus=$work/corpus/Target
merged=$work/merged
mkdir -p "$corpus" "$merged"
for name in kept1 kept2 dropped; do echo "$name" > "$corpus/$name"; done
echo kept1 > "$merged/kept1"; echo kept2 > "$merged/kept2"; echo found > "$merged/found"
listing() { (cd "$1" && ls -A | tr '\n' ' '); }

cp() { return 1; }
qb_replace_corpus "$corpus" "$merged" 2>/dev/null
expect "a failed copy is reported" "$?" 1
expect "and leaves the corpus as it was" "$(listing "$corpus")" "dropped kept1 kept2 "
expect "with nothing left beside it" "$(ls "$work/corpus")" "Target"
unset -f cp

cp() { command cp "$@" && rm -f "${*: -1}"/found; }  # a copy that silently loses a file
qb_replace_corpus "$corpus" "$merged" 2>/dev/null
expect "a copy that lost a file is noticed" "$?" 1
expect "and the corpus is kept" "$(listing "$corpus")" "dropped kept1 kept2 "
unset -f cp

empty=$work/empty
mkdir -p "$empty"
qb_replace_corpus "$corpus" "$empty" 2>/dev/null
expect "an empty merge never empties the corpus" "$?|$(listing "$corpus")" "1|dropped kept1 kept2 "

qb_replace_corpus "$corpus" "$merged"
expect "a good merge is put in place" "$?|$(listing "$corpus")" "0|found kept1 kept2 "
expect "with the merged contents" "$(cat "$corpus/found")" "found"
expect "and the merge's own folder untouched" "$(listing "$merged")" "found kept1 kept2 "

echo "scripts helpers: $failures failures"
[ $failures -eq 0 ]
