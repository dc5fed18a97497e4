#!/usr/bin/env bash
# Builds libjpeg-turbo for the Windows build: fetches Debian's libjpeg-turbo source package
# through a private apt configuration inside the build tree (the machine's apt configuration is
# only read, never changed), cross-compiles it with the MinGW-w64 toolchain as a static library
# with its SIMD code (nasm) and installs it into build/deps/libjpeg-mingw, where the windows
# preset looks for it. A second run finds the installed library and does nothing.
#
# usage: tools/build-libjpeg-mingw.sh [--force]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

deps="$root/build/deps"
prefix="$deps/libjpeg-mingw"
work="$deps/libjpeg-src"
apt_dir="$deps/apt"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

if [ "${1:-}" = "--force" ]; then
  rm -rf "$prefix" "$work"
elif [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ]; then
  echo "libjpeg for MinGW already installed in $prefix"
  exit 0
fi

for tool in apt-get dpkg-source cmake nasm x86_64-w64-mingw32-gcc-posix; do
  command -v "$tool" >/dev/null || { echo "build-libjpeg-mingw: '$tool' is missing" >&2; exit 1; }
done

# The machine's binary package sources, turned into source package entries of our own.
private_apt_config() {
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  local found=0
  for sources in /etc/apt/sources.list.d/*.sources; do
    [ -e "$sources" ] || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$sources" >"$apt_dir/sources.list.d/$(basename "$sources")"
    found=1
  done
  if [ -f /etc/apt/sources.list ] && grep -qE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list; then
    sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$apt_dir/sources.list.d/machine.list"
    found=1
  fi
  [ "$found" = 1 ] || { echo "build-libjpeg-mingw: no apt sources found in /etc/apt" >&2; exit 1; }
}

apt_private() {
  local sandbox=()
  # The download folder is ours, not apt's sandbox user's.
  [ "$(id -u)" = 0 ] && sandbox=(-o APT::Sandbox::User=root)
  apt-get -q "${sandbox[@]}" \
    -o Dir::Etc::SourceList=/dev/null \
    -o Dir::Etc::SourceParts="$apt_dir/sources.list.d" \
    -o Dir::State::Lists="$apt_dir/lists" \
    -o Dir::Cache="$apt_dir/cache" \
    "$@"
}

fetch_source() {
  rm -rf "$work"
  mkdir -p "$work"
  private_apt_config
  apt_private update >"$deps/apt-update.log" 2>&1 || { cat "$deps/apt-update.log" >&2; exit 1; }
  (cd "$work" && apt_private source --download-only libjpeg-turbo)
  local dsc
  dsc=$(ls "$work"/libjpeg-turbo_*.dsc | head -n 1)
  (cd "$work" && dpkg-source --no-check -x "$(basename "$dsc")" src >/dev/null)
}

build_and_install() {
  cmake -S "$work/src" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_ASM_NASM_COMPILER=nasm \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    >"$deps/libjpeg-configure.log" 2>&1 || { cat "$deps/libjpeg-configure.log" >&2; exit 1; }
  cmake --build "$work/build" -j2 --target jpeg-static >"$deps/libjpeg-build.log" 2>&1 \
    || { tail -n 50 "$deps/libjpeg-build.log" >&2; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
  cp "$work/build/jconfig.h" "$work/src/jerror.h" "$work/src/jmorecfg.h" "$work/src/jpeglib.h" \
     "$prefix/include/"
}

mkdir -p "$deps"
echo "fetching the libjpeg-turbo source package"
fetch_source
echo "building libjpeg-turbo with MinGW-w64 (static, SIMD)"
build_and_install
echo "libjpeg for MinGW installed in $prefix"
