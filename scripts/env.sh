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
# (native, pe, elf32), an optional toolchain file of cmake/, a build type and
# any further cmake options. Once only, unless the options change.
qb_configure() { # dir tree toolchain build-type [cmake options...]
  local dir=$QB_BUILD/$1 tree=$2 toolchain=$3 type=$4
  shift 4
  local options="$tree|$toolchain|$type|$*"
  [ -f "$dir/build.ninja" ] && [ "$(cat "$dir/.qb-options" 2>/dev/null)" = "$options" ] && return 0
  cmake -S "$QB_ROOT" -B "$dir" -G Ninja -DQB_TREE="$tree" -DCMAKE_BUILD_TYPE="$type" $(qb_launcher) \
    ${toolchain:+-DCMAKE_TOOLCHAIN_FILE=$QB_ROOT/cmake/$toolchain} "$@" >/dev/null
  printf '%s\n' "$options" > "$dir/.qb-options"
}

# Starts a private Xvfb when no display is given and exports DISPLAY.
qb_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >"$QB_BUILD/xvfb.log" 2>&1 &
    QB_XVFB_PID=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    kill "$QB_XVFB_PID" 2>/dev/null
  done
  echo "could not start Xvfb" >&2
  return 1
}

qb_stop_display() {
  [ -n "${QB_XVFB_PID:-}" ] && kill "$QB_XVFB_PID" 2>/dev/null
  wineserver -k 2>/dev/null || true
}
