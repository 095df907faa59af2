# shellcheck shell=bash disable=SC2154 # platform and key_extra: the caller's
# Sourced by build-qt-windows and build-qt-wasm: builds Debian's own qtbase
# for another platform, static, into a cache outside the checkout, so that
# every later build, clone and CI run on this machine reuses it.
#
# The caller sets:
#   platform      a word for the cache folder and the log ("mingw", "wasm")
#   options_*     its own configure options (arrays, see Qt_Options)
#   key_extra     text that also changes the result (toolchain, compiler)
# and may define Prepare_Configure (runs before configuring; may add to the
# array configure_extra) and After_Install (runs after installing).
# Build_Qt then prints the Qt prefix on its standard output, progress on its
# standard error, and does nothing but print it when the cache is complete.
# `Build_Qt --cached` never builds: it fails when the cache is not complete.
#
# The cache folder's name carries a hash of everything that changes the
# result. The installed prefix is not relocatable, so it is built in place
# and marked complete only at the very end.

qt_source_version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
qt_version="${qt_source_version%%+*}"
jobs="${JOBS:-$(nproc)}"
configure_extra=()
log() { echo "build-qt-$platform: $*" >&2; }

# The configure options of every Qt built here: Core, Gui, Widgets and
# Test, static, small, and everything Qt could take from the system taken
# from its own bundled copy, as neither Windows nor the browser has one.
# A platform's own options stand where they always have, in the arrays
# options_first, options_static, options_dbus, options_vulkan and
# options_last (each may be unset): the cache key hashes the options in
# order, and one moved would build Qt again for nothing.
Qt_Options() {
  options=(
    "${options_first[@]}"
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DBUILD_SHARED_LIBS=OFF
    "${options_static[@]}"
    -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DFEATURE_optimize_size=ON
    -DFEATURE_pkg_config=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    "${options_dbus[@]}"
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_testlib=ON
    -DFEATURE_vulkan=OFF
    "${options_vulkan[@]}"
    -DFEATURE_tabletevent=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_glib=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
    "${options_last[@]}"
  )
}

Build_Qt() {
  local key cache options
  Qt_Options
  key="$(
    {
      echo "$qt_source_version"
      printf '%s\n' "${options[@]}"
      echo "$key_extra"
    } | sha256sum | cut -c1-12
  )"
  cache="${XDG_CACHE_HOME:-$HOME/.cache}/trimwell"
  prefix="$cache/qt-$qt_version-$platform-static-$key"
  if [ -f "$prefix/.complete" ]; then
    log "Qt for $platform is cached in $prefix"
    echo "$prefix"
    return 0
  fi
  if [ "${1:-}" = --cached ]; then
    log "Qt for $platform is not built on this machine yet"
    return 1
  fi

  log "building Qt $qt_version for $platform into $prefix (15 to 30 minutes on 2 cores)"
  rm -rf "$prefix"
  work="$cache/work-$platform-$key"
  rm -rf "$work"
  mkdir -p "$work" "$prefix/share/trimwell"
  "$(dirname "${BASH_SOURCE[0]}")/fetch-qt-source" "$work"

  if declare -F Prepare_Configure >/dev/null; then Prepare_Configure; fi
  log "configuring"
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    "${configure_extra[@]}" "${options[@]}" >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log" >&2; return 1; }

  # Qt's own warnings go to the log; the console gets a line every 5 %.
  log "building with $jobs jobs (log: $work/build.log)"
  local started=$SECONDS
  cmake --build "$work/build" --parallel "$jobs" 2>&1 | tee "$work/build.log" | awk -v p="$platform" '
    /^\[[0-9]+\/[0-9]+\]/ {
      split(substr($1, 2), n, "/"); pct = int(100 * n[1] / n[2])
      if (pct >= shown + 5) { shown = pct; printf "build-qt-%s: %d%%\n", p, pct; fflush() }
    }' >&2 || { grep -B2 -A20 -m3 'error' "$work/build.log" | tail -n 60 >&2; return 1; }
  log "built in $(((SECONDS - started) / 60)) min"

  cmake --install "$work/build" >/dev/null
  # Qt's copyright and licence notice, which travels with every package of
  # the program that links it.
  cp "$work/src/debian/copyright" "$prefix/share/trimwell/qt-copyright"
  if declare -F After_Install >/dev/null; then After_Install; fi
  rm -rf "$work"
  touch "$prefix/.complete"
  log "Qt for $platform is in $prefix"
  echo "$prefix"
}
