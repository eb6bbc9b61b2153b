#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test: the suite; the
# fuzzers for a bounded time each; the suite and the fuzzers again in a fresh
# Debian 13 root; the program built for Windows, its tests under wine64; the
# release, built twice and compared, and what a user downloads tested as a
# user gets it; last the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer. Every part runs; any failure fails the script.
#   scripts/test.sh [SECTION...]   only these of: suite fuzz debian13 windows
#                                  release sanitizers
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fuzz_seconds=${FUZZ_SECONDS:-30}
all=(suite fuzz debian13 windows release sanitizers)
sections=("$@")
[ $# -gt 0 ] || sections=("${all[@]}")
for name in "${sections[@]}"; do
  [[ " ${all[*]} " == *" $name "* ]] || { echo "test.sh: no section \"$name\" (known: ${all[*]})" >&2; exit 2; }
done
failed=()

section() { printf '\n======== %s ========\n' "$*"; }

# Warnings fail the build here: there are to be none, on any Qt.
suite() {
  scripts/build.sh build -DCMAKE_COMPILE_WARNING_AS_ERROR=ON || return 1
  (cd build && ctest --output-on-failure)
}

fuzz() {
  CXX=clang++ scripts/build.sh build-fuzz -DNORVAN_WITH_QT=OFF -DNORVAN_FUZZ=ON || return 1
  local name status=0
  for name in settings_record; do
    local corpus=build-fuzz/corpus/$name artifacts=build-fuzz/findings/$name/ log=build-fuzz/$name.log
    mkdir -p "$corpus" "$artifacts"
    # New inputs go to the first folder, so the seeds in tests/ stay as they are.
    # -timeout makes one slow input a finding; timeout(1) catches a stuck fuzzer.
    local rc=0
    timeout $((fuzz_seconds + 120)) "build-fuzz/tests/fuzz/${name}_fuzz" \
      -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$artifacts" "$corpus" "tests/fuzz/corpus/$name" >"$log" 2>&1 || rc=$?
    if [ $rc -ne 0 ]; then
      tail -n 60 "$log"
      echo "$name: FINDING (exit $rc), the input is in $artifacts"
      status=1
      continue
    fi
    echo "$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") executions" \
      "in $fuzz_seconds s, corpus $(find "$corpus" -type f | wc -l) inputs, no finding"
  done
  return $status
}

# The suite and the fuzzers again, on Debian 13 (Qt 6.8) in a root of its own
# made from Debian's packages, in which scripts/setup.sh installed what they
# need: kept, and made again when setup.sh changes. The work tree is copied
# into build-debian13/source, keeping the files' times, so that the build
# there, kept too, redoes only what changed.
debian13() {
  if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = trixie ]; then
    echo "Skipped: this system is Debian 13 itself, so the suite and fuzzing sections run on it"
    return 0
  fi
  local debian copy=$root/build-debian13
  debian=$(scripts/debian-root.sh trixie) || return 1
  mkdir -p "$copy/source"
  find "$copy/source" -mindepth 1 -maxdepth 1 ! -name 'build*' -exec rm -rf {} + || return 1
  git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -c -f - 2>/dev/null | tar -x -C "$copy/source" || return 1
  scripts/in-root.sh "$debian" "$copy" env FUZZ_SECONDS=10 source/scripts/test.sh suite fuzz
}

# norvan.exe is built with Qt for Windows from the source of the system's own
# Qt, with options written for Qt 6.4: on Debian 12 only, as the releases are.
qt_for_windows() {
  local version
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
  case $version in 6.4.*) return 0 ;; esac
  echo "Skipped: $1 is built on Debian 12, with Qt 6.4; this system has Qt ${version%%+*}"
  return 1
}

# The whole program cross-built for Windows (static Qt, built once and kept),
# and its tests under wine64: the core tests, the window tests and the
# end-to-end tests of norvan.exe, each window on a private Xvfb.
windows() {
  qt_for_windows norvan.exe || return 0
  scripts/windows.sh || return 1
  (cd build-windows && ctest --output-on-failure)
}

# dist/ built twice, the second time elsewhere, and compared byte for byte;
# then the zip's norvan.exe and the .deb's norvan through the end-to-end tests.
release() {
  qt_for_windows "The release" || return 0
  scripts/release.sh --check || return 1
  bash tests/release/dist_test.sh dist build build-windows
}

sanitizers() {
  scripts/build.sh build-asan -DNORVAN_SANITIZE=ON || return 1
  local reports=$root/build-asan/sanitizer-reports status=0
  rm -rf "$reports"
  mkdir -p "$reports"
  # Reports go to files, so that one from any process fails the run, also from
  # a program the tests start and do not wait for.
  (
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/report"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/report"
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
    cd build-asan && ctest --output-on-failure
  ) || status=1
  local report
  for report in "$reports"/report.*; do
    [ -e "$report" ] || continue
    echo "---- $report"
    cat "$report"
    status=1
  done
  return $status
}

section "Set-up"
scripts/setup.sh

declare -A titles=(
  [suite]="Test suite"
  [fuzz]="Fuzzing: each target for $fuzz_seconds s"
  [debian13]="Debian 13: the suite and the fuzzers in a fresh Debian 13 root"
  [windows]="Windows: norvan.exe cross-built with mingw-w64 and static Qt, its tests under wine64"
  [release]="Release: dist/ built twice and compared; the zip and the .deb tested as a user gets them"
  [sanitizers]="Sanitizers: the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer"
)
for name in "${sections[@]}"; do
  section "${titles[$name]}"
  "$name" || failed+=("${titles[$name]%%:*}")
done

if [ ${#failed[@]} -gt 0 ]; then
  printf '\nFAILED: %s\n' "$(IFS=,; echo "${failed[*]}" | sed 's/,/, /g')"
  exit 1
fi
