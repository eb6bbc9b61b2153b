#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes what a user downloads, in dist/:
#   norvan-<version>-windows-x64.zip  norvan.exe with README.txt, LICENSE.txt and
#                                     THIRD-PARTY-NOTICES.txt
#   norvan_<version>-1_amd64.deb      the package for Debian 12
#   norvan-<version>.tar.gz           Norvan's source, from git
#   qt6-base_*.dsc and its tarballs   the source of the Qt inside norvan.exe
#   SHA256SUMS
# It builds the work tree's files in build folders of its own, build-release/.
# The same commit gives the same bytes, wherever and whenever it is built:
#   scripts/release.sh --check   also builds everything a second time, from a
#                                copy of the work tree in another folder
#                                (build-release/check/), and compares the two
#                                dist/ folders byte for byte.
set -euo pipefail
# A failing command inside $(...) fails the release too.
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD
# The flags are the release's own, whatever the caller's environment holds.
unset CC CXX CFLAGS CXXFLAGS CPPFLAGS LDFLAGS "${!DEB_@}"
check=false
case ${1:-} in
  --check) check=true ;;
  '') ;;
  *) echo "usage: scripts/release.sh [--check]" >&2; exit 2 ;;
esac

version=$(sed -n 's/^project(norvan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
umask 022

scripts/setup.sh windows release
qt=$(scripts/qt-windows.sh)
# The path maps go into the compilers' flags, which blanks would cut apart.
case "$root$qt" in
  *[[:space:]]*) echo "release.sh: the work tree and the Qt cache need paths without blanks" >&2; exit 1 ;;
esac
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)

crlf() { sed 's/\r*$/\r/'; }

# Runs a command with its output in the file $1, shown only when it fails.
logged() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { cat "$log" >&2; return 1; }
}

# Sets every file's time to the commit's, so that no archive holds the time it
# was made at.
normalise_times() { find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +; }

# Build paths out of the binaries: the source, the build folder and the Qt
# cache, which lies in the builder's home folder.
prefix_maps() {
  echo "-ffile-prefix-map=$1=. -ffile-prefix-map=$2=. -ffile-prefix-map=$qt=/opt/norvan-qt"
}

# norvan for Debian, with Debian's hardening and optimisation flags.
build_linux() {
  local source=$1 build=$2
  # Without debug information, and with the path maps of the release's own.
  local buildflags=(env DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath,-fixdebugpath"
    DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get)
  local cxxflags
  cxxflags="$("${buildflags[@]}" CPPFLAGS) $("${buildflags[@]}" CXXFLAGS) $(prefix_maps "$source" "$build")"
  mkdir -p "$build"
  logged "$build/configure.log" cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$("${buildflags[@]}" LDFLAGS)"
  logged "$build/build.log" cmake --build "$build" --target norvan -j"$(nproc)"
}

# norvan.exe, linked afresh each time so that the linker's trace of what it
# takes in is complete; the trace goes to $build/link-trace.txt.
build_windows() {
  local source=$1 build=$2
  mkdir -p "$build"
  logged "$build/configure.log" cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64.cmake" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CXX_FLAGS="$(prefix_maps "$source" "$build")" -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-Wl,--trace
  rm -f "$build/norvan.exe"
  logged "$build/link-trace.txt" cmake --build "$build" --target norvan -j"$(nproc)"
}

# The second build of --check uses the same Qt cache, so a comparison would
# miss its path: no build path may be in a program at all.
expect_no_build_paths() {
  local program found
  for program in "${@:3}"; do
    found=$(grep -a -o -F -e "$1/" -e "$2/" -e "$qt/" "$program" | head -n 1) || true
    if [ -n "$found" ]; then
      echo "release.sh: $program holds the build path $found" >&2
      return 1
    fi
  done
}

# Qt's source package, from the Qt cache; a cache made before it kept the
# source has it fetched again, from the same archives, and kept, under the
# cache's lock.
qt_source_package() {
  local out=$1
  (
    flock 9
    compgen -G "$qt/source/*.dsc" >/dev/null && exit 0
    rm -rf "$qt/source.partial"
    scripts/debian-source.sh "$qt/source.partial" "qt6-base=$qt_version" --download-only
    [ ! -e "$qt/source/config.summary" ] || cp "$qt/source/config.summary" "$qt/source.partial/"
    rm -rf "$qt/source"
    mv "$qt/source.partial" "$qt/source"
  ) 9>"$(dirname "$qt")/.lock"
  install -m 0644 "$qt/source"/*.dsc "$qt/source"/*.tar.* "$out/"
}

# The README's sections for users, as plain text: the introduction and the
# sections named, without the tables of pictures.
readme_text() {
  printf 'Norvan %s\n\n' "$version"
  awk -v wanted='Getting it|Using it with the real emulator|Behaviour worth knowing' '
    BEGIN { n = split(wanted, list, "|"); for (i = 1; i <= n; i++) want[list[i]] = 1; keep = 1 }
    function flush() { if (table !~ /!\[/) printf "%s", table; table = "" }
    NR == 1 && /^# / { getline; next }
    /^## / { title = substr($0, 4); keep = (title in want); if (keep) found[title] = 1 }
    /^\|/ { if (keep) table = table $0 "\n"; next }
    table != "" { flush() }
    keep { print }
    END {
      flush()
      for (title in want)
        if (!(title in found)) { print "README.md has no section " title >"/dev/stderr"; exit 1 }
    }' "$1" | cat -s
}

notices_text() {
  local qt_files=$1 trace=$2 build=$3 qt_tree=$4
  cat <<EOF
Third-party notices for norvan.exe, Norvan $version for Windows

norvan.exe is Norvan, free software under the GNU General Public License,
version 3 or later (LICENSE.txt), built into one program together with the
libraries below, each under its own license. Norvan's source is
norvan-$version.tar.gz, published beside this zip.

Qt is under the GNU Lesser General Public License, version 3. The exact
source of the Qt inside norvan.exe is Debian's qt6-base source package,
version $qt_version, published beside this zip as
$(printf '  %s\n' $qt_files)
"dpkg-source -x $(printf '%s\n' $qt_files | grep '\.dsc$')" unpacks it. Norvan's source holds
the scripts that build that Qt (scripts/qt-windows.sh) and norvan.exe with
it (scripts/windows.sh), so you can build norvan.exe with a Qt you changed.

EOF
  scripts/third-party-notices.pl "$trace" "$build" "$qt_tree"
}

make_zip() {
  local source=$1 build=$2 out=$3 stage=$2/zip qt_tree=$2/qt-source
  rm -rf "$stage" "$qt_tree"
  mkdir -p "$stage" "$qt_tree"
  tar -xJf "$out"/qt6-base_*.orig.tar.xz -C "$qt_tree" --strip-components=1
  install -m 0755 "$build/windows/norvan.exe" "$stage/norvan.exe"
  crlf <"$source/LICENSE" >"$stage/LICENSE.txt"
  readme_text "$source/README.md" | crlf >"$stage/README.txt"
  notices_text "$(cd "$out" && ls qt6-base_*)" "$build/windows/link-trace.txt" "$build/windows" "$qt_tree" |
    crlf >"$stage/THIRD-PARTY-NOTICES.txt"
  chmod 0644 "$stage"/*.txt
  normalise_times "$stage"
  # zip takes no SOURCE_DATE_EPOCH: the times are the files', in UTC; -X
  # leaves out the extra fields with owners and exact times.
  rm -f "$out/norvan-$version-windows-x64.zip"
  (cd "$stage" && ls | sort | zip -X -D -9 -q -@ "$out/norvan-$version-windows-x64.zip")
}

# The Depends of the program: what dpkg-shlibdeps finds it linked to, plus the
# fonts it falls back to, DejaVu Sans also for the arrows of the Keys window.
depends() {
  local scan=$1/shlibdeps program=$2
  mkdir -p "$scan/debian"
  printf 'Source: norvan\n\nPackage: norvan\nArchitecture: amd64\n' >"$scan/debian/control"
  local libraries
  libraries=$(cd "$scan" && dpkg-shlibdeps -O "$program" | sed -n 's/^shlibs:Depends=//p')
  echo "$libraries, fonts-dejavu-core, fonts-liberation2"
}

# In KiB as dpkg-gencontrol counts: each file rounded up, one for anything else.
installed_size() {
  find "$1" -mindepth 1 -path "$1/DEBIAN" -prune -o -printf '%y %s\n' |
    awk '{ size += $1 == "f" ? int(($2 + 1023) / 1024) : 1 } END { print size }'
}

make_deb() {
  local source=$1 build=$2 out=$3 package=$2/deb/norvan
  rm -rf "$build/deb"
  mkdir -p "$package/DEBIAN" "$package/usr/bin" "$package/usr/share/man/man1" "$package/usr/share/doc/norvan"
  install -m 0755 "$build/linux/app/norvan" "$package/usr/bin/norvan"
  strip --remove-section=.comment --remove-section=.note "$package/usr/bin/norvan"
  gzip -9n <"$source/packaging/debian/norvan.1" >"$package/usr/share/man/man1/norvan.1.gz"
  install -m 0644 "$source/packaging/debian/copyright" "$package/usr/share/doc/norvan/"
  gzip -9n <"$source/packaging/debian/changelog" >"$package/usr/share/doc/norvan/changelog.Debian.gz"
  (cd "$package" && find usr -type f | sort | xargs md5sum) >"$package/DEBIAN/md5sums"
  grep -v '^#' "$source/packaging/debian/control" |
    sed -e "s/@VERSION@/$version/" -e "s/@INSTALLED_SIZE@/$(installed_size "$package")/" \
      -e "s/@DEPENDS@/$(depends "$build" "$package/usr/bin/norvan")/" >"$package/DEBIAN/control"
  find "$package" -type d -exec chmod 0755 {} +
  find "$package" -type f ! -path '*/usr/bin/*' -exec chmod 0644 {} +
  normalise_times "$package"
  dpkg-deb --root-owner-group -Zxz --threads-max=1 --build "$package" \
    "$out/norvan_$version-1_amd64.deb" >/dev/null
}

# Everything, from the source folder $1, built in the folder $2, into the
# folder $3.
make_release() {
  local source=$1 build=$2 out=$3
  rm -rf "$out"
  mkdir -p "$out" "$build"
  build_linux "$source" "$build/linux"
  build_windows "$source" "$build/windows"
  expect_no_build_paths "$source" "$build" "$build/linux/app/norvan" "$build/windows/norvan.exe"
  qt_source_package "$out"
  make_zip "$source" "$build" "$out"
  make_deb "$source" "$build" "$out"
  git -C "$root" archive --format=tar.gz --prefix="norvan-$version/" -o "$out/norvan-$version.tar.gz" HEAD
  (cd "$out" && ls | sort | xargs sha256sum) >"$build/SHA256SUMS"
  mv "$build/SHA256SUMS" "$out/SHA256SUMS"
}

if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: the work tree has changes not committed; the programs hold them," \
    "norvan-$version.tar.gz does not" >&2
fi
make_release "$root" "$root/build-release" "$root/dist"
(cd dist && ls -l)

$check || exit 0
# The copy keeps the work tree's file times, so that its build folder, kept
# like the first one, rebuilds only what changed.
copy=$root/build-release/check
rm -rf "$copy/source"
mkdir -p "$copy/source"
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -c -f - 2>/dev/null | tar -x -C "$copy/source"
make_release "$copy/source" "$copy/build" "$copy/dist"
if ! diff -r dist "$copy/dist" >/dev/null; then
  echo "release.sh --check: the second build, in $copy, differs:" >&2
  diff -rq dist "$copy/dist" >&2 || true
  exit 1
fi
echo "release.sh --check: the second build, in $copy, gave the same bytes"
