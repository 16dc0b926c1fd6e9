# Shared settings of the scripts: where the trees live and how Wine and
# unixODBC are pointed at project-local folders. Sourced, not run.
QB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QB_BUILD=${QB_BUILD:-$QB_ROOT/build}
export WINEPREFIX=$QB_BUILD/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export ODBCSYSINI=$QB_BUILD/odbc
export ODBCINI=$QB_BUILD/odbc/odbc.ini
export XDG_CACHE_HOME=$QB_BUILD/cache
export XDG_CONFIG_HOME=$QB_BUILD/config
export XDG_DATA_HOME=$QB_BUILD/share
export TMPDIR=$QB_BUILD/tmp
mkdir -p "$TMPDIR" "$ODBCSYSINI" "$XDG_CACHE_HOME"

# A compiler cache, only when the developer names its folder in CCACHE_DIR
# (nothing is written outside the checkout otherwise): several checkouts
# then share their compiled objects, whatever their paths.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$QB_ROOT")}
export CCACHE_NOHASHDIR=1
qb_launcher() {
  [ -n "${CCACHE_DIR:-}" ] && command -v ccache >/dev/null || return 0
  printf '%s ' -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
}

# Configures the build tree $QB_BUILD/<dir>: the project's tree <tree>
# (native, pe, elf32, fuzz), an optional toolchain file of cmake/, a build
# type and any further cmake options. CMake runs again, from a fresh cache,
# whenever any of these or the toolchain file's contents differ from the
# tree's last configure, since a cache keeps old compilers and options.
# The compiler cache is the developer's choice, not an option: it is passed
# when CMake runs and does not by itself configure again.
qb_configure() { # dir tree toolchain build-type [cmake options...]
  local dir=$QB_BUILD/$1 tree=$2 toolchain=$3 type=$4
  shift 4
  local toolchain_file= toolchain_hash=
  if [ -n "$toolchain" ]; then
    toolchain_file=$QB_ROOT/cmake/$toolchain
    toolchain_hash=$(sha256sum < "$toolchain_file" | cut -d' ' -f1)
  fi
  local stamp=$dir/.qb-configured
  local wanted
  wanted=$(printf '%s\n' "tree=$tree" "toolchain=$toolchain" "toolchain-sha256=$toolchain_hash" "type=$type" "$@")
  [ -f "$dir/build.ninja" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$wanted" ] && return 0
  mkdir -p "$dir"
  rm -f "$stamp"
  local fresh=
  [ -f "$dir/CMakeCache.txt" ] && fresh=--fresh
  cmake $fresh -S "$QB_ROOT" -B "$dir" -G Ninja -DQB_TREE="$tree" -DCMAKE_BUILD_TYPE="$type" $(qb_launcher) \
    ${toolchain_file:+-DCMAKE_TOOLCHAIN_FILE=$toolchain_file} "$@" >/dev/null || return 1
  printf '%s\n' "$wanted" > "$stamp"
}

# A Unix path as Wine's Z: drive shows it to Windows programs.
qb_winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Replaces a fuzz corpus with the merged set in <merged> without ever losing
# a file on the way: the set is first copied whole beside the corpus and
# checked, its new files are then moved in, and only then are the files the
# set no longer keeps removed. Any failure leaves the corpus as it was, or
# with new files only.
qb_replace_corpus() { # corpus merged
  local corpus=$1 merged=$2 staged=$1.staged file
  [ -n "$(ls -A "$merged" 2>/dev/null)" ] || { echo "the merged corpus $merged is empty" >&2; return 1; }
  rm -rf "$staged"
  mkdir "$staged" || return 1
  cp -p "$merged"/* "$staged"/ || { rm -rf "$staged"; return 1; }
  if [ "$(ls -A "$staged" | wc -l)" -ne "$(ls -A "$merged" | wc -l)" ] || ! diff -rq "$merged" "$staged" >/dev/null; then
    echo "copying the merged corpus into $staged went wrong" >&2
    rm -rf "$staged"
    return 1
  fi
  mkdir -p "$corpus"
  for file in "$staged"/*; do
    [ -e "$corpus/${file##*/}" ] || mv "$file" "$corpus/" || return 1
  done
  for file in "$corpus"/*; do
    [ -e "$merged/${file##*/}" ] || rm -f "$file"
  done
  rm -rf "$staged"
}

# Starts a private Xvfb and exports DISPLAY (its pid in QB_XVFB_PID). Xvfb
# picks a free display number itself and says it once it is ready, so
# scripts and tests that start displays at the same time never share one.
qb_start_display() {
  local said=$TMPDIR/xvfb-display.$$.$RANDOM
  : > "$said"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$said" 2>>"$QB_BUILD/xvfb.log" &
  QB_XVFB_PID=$!
  for _ in $(seq 100); do
    if grep -q '^[0-9]' "$said"; then
      export DISPLAY=:$(head -1 "$said")
      rm -f "$said"
      return 0
    fi
    kill -0 "$QB_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$said"
  kill "$QB_XVFB_PID" 2>/dev/null
  echo "could not start Xvfb (see $QB_BUILD/xvfb.log)" >&2
  return 1
}

# Uses the display given, when it answers; starts a private Xvfb otherwise.
qb_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  qb_start_display
}

qb_stop_display() {
  [ -n "${QB_XVFB_PID:-}" ] && kill "$QB_XVFB_PID" 2>/dev/null
  wineserver -k 2>/dev/null || true
}
