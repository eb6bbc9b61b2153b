#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source
# package with Debian's mingw-w64, once, into a cache folder outside the work
# tree, and prints that folder. The folder's name carries the Qt version, the
# compiler version and the options, so a second run with the same ones finds it
# and returns at once. A build is installed under a temporary name and renamed
# only when it is complete, so a half-finished one is never taken.
# NORVAN_QT_CACHE chooses the cache folder (default ~/.cache/norvan).
#
# Qt is configured for a fixed prefix that never exists and installed into the
# cache with DESTDIR: QtCore stores its prefix, and norvan.exe must not carry
# the builder's home folder. Qt's CMake packages find themselves wherever they
# lie. The source package it was built from is kept beside it, in source/, for
# the release to hand on.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# The Windows Qt must be the version of the host tools (moc, rcc, uic) it is built with.
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
compiler_version=$(x86_64-w64-mingw32-g++-posix -dumpversion)
upstream=${source_version%%+*}
case $upstream in
  6.4.*) ;;
  *) echo "qt-windows.sh: the options below are written for Qt 6.4, Debian 12's; this system has Qt $upstream" >&2; exit 1 ;;
esac

# Only what the windows and their tests use: Core, Gui, Widgets and Test.
# OpenGL stays on because 6.4's Windows platform plugin does not build without
# it; it is loaded at run time, so it costs no DLL beside the program.
options=(
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DFEATURE_optimize_size=ON
  -DFEATURE_gc_binaries=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_tabletevent=OFF # its header, wintab.h, is not in the source package
  -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_freetype=OFF
  # GDI draws the text. 6.4 builds its DirectWrite font database only with
  # Direct2D, yet the platform plugin asks for it whenever directwrite3 is on.
  -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_pdf=OFF
  -DFEATURE_sessionmanager=OFF -DFEATURE_textodfwriter=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
)

install_prefix=/opt/norvan-qt-$upstream-mingw-w64
key=$(printf '%s\n' "$source_version" "$compiler_version" "$install_prefix" "${options[@]}" |
  sha256sum | cut -c1-12)
home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
cache=${NORVAN_QT_CACHE:-${XDG_CACHE_HOME:-$home/.cache}/norvan}
prefix=$cache/qt-$upstream-mingw-w64-static-$key
# One build at a time: a second run waits here, then finds the first's Qt.
mkdir -p "$cache"
exec {lock}>"$cache/.lock"
flock "$lock"
if [ -d "$prefix" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/work-$key
# Its path goes into the compilers' flags, which a blank would cut apart.
case $work in
  *[[:space:]]*) echo "qt-windows.sh: the cache folder $cache has a blank; choose another with NORVAN_QT_CACHE" >&2; exit 1 ;;
esac
rm -rf "$work" "$prefix.partial"
mkdir -p "$work/source"
scripts/debian-source.sh "$work/source" "qt6-base=$source_version"
source_dir=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

echo "Building Qt $upstream for Windows (static) into $prefix; this takes a while" >&2
cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$install_prefix" "${options[@]}" \
  -DCMAKE_C_FLAGS="-ffile-prefix-map=$work=/qt-build" \
  -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work=/qt-build" >"$work/configure.log" 2>&1 ||
  { tail -n 80 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
  { tail -n 80 "$work/build.log" >&2; exit 1; }
# Qt's install follows the prefix it was configured with; install to the
# temporary name and move the whole tree into place at the end.
DESTDIR="$work/stage" cmake --install "$work/build" >"$work/install.log" 2>&1 ||
  { tail -n 40 "$work/install.log" >&2; exit 1; }
mv "$work/stage$install_prefix" "$prefix.partial"
mkdir "$prefix.partial/source"
cp "$work/build/config.summary" "$prefix.partial/source/"
find "$work/source" -maxdepth 1 -type f -exec mv -t "$prefix.partial/source" {} +
mv "$prefix.partial" "$prefix"
rm -rf "$work"
echo "$prefix"
