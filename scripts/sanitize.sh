#!/usr/bin/env bash
# The tests under sanitizers; exits non-zero on any failure or sanitizer report.
#   build-asan: the whole build with AddressSanitizer and UndefinedBehaviorSanitizer, every test run
#               (window tests offscreen); any report aborts the test program, so ctest fails.
#   build-tsan: ThreadSanitizer over the engine tests that run workers (start-up loader, download jobs,
#               lineup search, live refresh); only those test programs are built there, not the windows.
# Usage: scripts/sanitize.sh [asan|tsan]...   (default: both)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
SUPP="$ROOT/scripts/sanitize"
if command -v ccache >/dev/null; then export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"; fi
# Reports must fail: ASan stops at the first error anyway, UBSan is told to as well, and both exit non-zero.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0:strict_string_checks=1:check_initialization_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$SUPP/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$SUPP/tsan.supp${TSAN_OPTIONS:+:$TSAN_OPTIONS}"
export QT_QPA_PLATFORM=offscreen

# The engine test programs whose tests start workers, and the tests in them that do.
TSAN_TARGETS=(test_data test_download test_ratings)
TSAN_FILTER='Startup*:Dl*:LiveProtocol*:*Download*:LiveMatch*:TeamSelect*:*Lineup*:GameServer*:KVIndy*:CmdServe*'

configure() {  # configure FOLDER FLAGS CMAKE-ARGS...
  local folder="$1" flags="$2"
  shift 2
  cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DPITCHBOOK_BUILD_BENCH=OFF "$@" >/dev/null
}

step() {  # step NAME COMMAND...
  local name="$1" start rc=0
  shift
  start=$(date +%s)
  echo "--- sanitize: $name"
  "$@" || rc=$?
  echo "--- sanitize: $name took $(( $(date +%s) - start ))s (exit $rc)"
  return "$rc"
}

run_asan() {
  configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  step "ASan+UBSan build" cmake --build build-asan
  step "ASan+UBSan tests" ctest --test-dir build-asan --output-on-failure -j2
}

run_tsan() {
  configure build-tsan "-fsanitize=thread -fno-omit-frame-pointer" -DPITCHBOOK_BUILD_UI=OFF
  step "TSan build" cmake --build build-tsan --target "${TSAN_TARGETS[@]}"
  local target
  for target in "${TSAN_TARGETS[@]}"; do
    step "TSan $target" env LC_ALL=C.UTF-8 "build-tsan/tests/$target" --gtest_filter="$TSAN_FILTER" --gtest_brief=1
  done
}

[ $# -gt 0 ] || set -- asan tsan
for what in "$@"; do
  case "$what" in
    asan) run_asan ;;
    tsan) run_tsan ;;
    *) echo "usage: $0 [asan|tsan]..." >&2; exit 2 ;;
  esac
done
echo "--- sanitize: no reports"
