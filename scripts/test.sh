#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test: the suite; the
# fuzzers for a bounded time each; the program built for Windows, its tests
# under wine64; the release, built twice and compared, and what a user
# downloads tested as a user gets it; last the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Every part runs; any
# failure fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fuzz_seconds=${FUZZ_SECONDS:-30}
failed=()

section() { printf '\n======== %s ========\n' "$*"; }

suite() {
  scripts/build.sh build || return 1
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

# The whole program cross-built for Windows (static Qt, built once and kept),
# and its tests under wine64: the core tests, the window tests and the
# end-to-end tests of norvan.exe, each window on a private Xvfb.
windows() {
  scripts/windows.sh || return 1
  (cd build-windows && ctest --output-on-failure)
}

# dist/ built twice, the second time elsewhere, and compared byte for byte;
# then the zip's norvan.exe and the .deb's norvan through the end-to-end tests.
release() {
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

section "Test suite"
suite || failed+=("test suite")

section "Fuzzing: each target for $fuzz_seconds s"
fuzz || failed+=("fuzzing")

section "Windows: norvan.exe cross-built with mingw-w64 and static Qt, its tests under wine64"
windows || failed+=("Windows")

section "Release: dist/ built twice and compared; the zip and the .deb tested as a user gets them"
release || failed+=("release")

section "Sanitizers: the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer"
sanitizers || failed+=("sanitizers")

if [ ${#failed[@]} -gt 0 ]; then
  printf '\nFAILED: %s\n' "$(IFS=,; echo "${failed[*]}" | sed 's/,/, /g')"
  exit 1
fi
